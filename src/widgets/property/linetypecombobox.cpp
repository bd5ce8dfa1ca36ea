#include "linetypecombobox.h"

#include "swatchpainters.h"

namespace KvCc {

LineTypeComboBox::LineTypeComboBox(QWidget* parent)
    : BaseComboBox(parent)
{
    setButtonText(QStringLiteral("Others..."));
    setFixedSize(150, 20);
    setItemIconSize(QSize(48, 16));

    lineTypeNames << QStringLiteral("By Layer") << QStringLiteral("By Block") << QStringLiteral("Continuous");
    penStyles << Qt::SolidLine << Qt::SolidLine << Qt::SolidLine;
    for (int i = 0; i < lineTypeNames.size(); ++i)
        addItem(drawLineType(penStyles.at(i)), lineTypeNames.at(i));

    const int n = lineTypeNames.size();
    setListWidgetHeight(n <= 9 ? 20 * n + 30 : 230);
    setCurrentIndex(0);
}

LineTypeComboBox::~LineTypeComboBox() = default;

void LineTypeComboBox::openDialog()
{
}

} // namespace KvCc
