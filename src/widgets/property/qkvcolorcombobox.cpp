#include "qkvcolorcombobox.h"

#include "swatchpainters.h"

#include <QColorDialog>

namespace KvCc {

QKvColorComboBox::QKvColorComboBox(QWidget* parent)
    : BaseComboBox(parent)
{
    setButtonText(tr("select a color..."));
    setFixedWidth(150);
    // As high as the lineweight and linetype selectors it shares the property page with.
    setFixedHeight(20);
    setItemIconSize(QSize(14, 14));

    colorNames << tr("By Layer") << tr("By Block") << tr("Red")
               << tr("Yellow") << tr("Green") << tr("Cyan")
               << tr("Blue") << tr("Magenta") << tr("White");
    colors << QColor(Qt::white) << QColor(Qt::white) << QColor(Qt::red) << QColor(Qt::yellow)
           << QColor(Qt::green) << QColor(Qt::cyan) << QColor(Qt::blue) << QColor(Qt::magenta)
           << QColor(Qt::white);
    for (int i = 0; i < colors.size(); ++i)
        addItem(creatColorPix(colors.at(i)), colorNames.at(i));

    adjustListHeight();
    setCurrentIndex(0);
}

QKvColorComboBox::~QKvColorComboBox() = default;

void QKvColorComboBox::adjustListHeight()
{
    const int n = colors.size();
    setListWidgetHeight(n <= 9 ? 20 * n + 30 : 230);
}

void QKvColorComboBox::openDialog()
{
    // The popup would otherwise stay open above the dialog and keep the mouse.
    hidePopup();
    const QColor color = QColorDialog::getColor(Qt::white, this, tr("Select Color"));
    if (!color.isValid()) {
        BaseComboBox::openDialog();
        return;
    }
    const QString text = QString::asprintf("%d,%d,%d", color.red(), color.green(), color.blue());
    if (colorNames.contains(text)) {
        BaseComboBox::openDialog();
        return;
    }

    const int n = colors.size();
    colorNames.append(text);
    colors.append(color);
    addItem(creatColorPix(color), text);
    setCurrentIndex(n);
    adjustListHeight();
    BaseComboBox::openDialog();
}

} // namespace KvCc
