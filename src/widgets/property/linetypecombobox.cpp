#include "linetypecombobox.h"

#include "swatchpainters_p.h"

namespace KvCc {

LineTypeComboBox::LineTypeComboBox(QWidget* parent)
    : BaseComboBox(parent)
{
    setButtonText(tr("Others..."));
    setFixedSize(150, 20);
    setItemIconSize(QSize(48, 16));

    lineTypeNames << tr("By Layer") << tr("By Block") << QStringLiteral("Continuous");
    penStyles << Qt::SolidLine << Qt::SolidLine << Qt::SolidLine;
    // The samples take the text color, so that they show on a dark palette too.
    const QColor ink = palette().color(QPalette::Text);
    for (int i = 0; i < lineTypeNames.size(); ++i)
        addItem(lineTypeSample(penStyles.at(i), ink), lineTypeNames.at(i));

    const int n = lineTypeNames.size();
    setListWidgetHeight(n <= 9 ? 20 * n + 30 : 230);
    setCurrentIndex(0);
}

LineTypeComboBox::~LineTypeComboBox() = default;

void LineTypeComboBox::openDialog()
{
}

} // namespace KvCc
