#include "colorcombobox.h"

#include "swatchpainters.h"

#include <QColorDialog>

namespace KvCc {

QColor ColorComboBox::currentColor = QColor(Qt::red);

ColorComboBox::ColorComboBox(QWidget* parent)
    : QComboBox(parent)
{
    const QString selectColorText = tr("Select Color...");
    colorNames << tr("Red") << tr("Yellow") << tr("Green")
               << tr("Cyan") << tr("Blue") << tr("Magenta")
               << tr("White") << selectColorText;
    addItems(colorNames);
    setFixedHeight(22);

    colors << QColor(Qt::red) << QColor(Qt::yellow) << QColor(Qt::green) << QColor(Qt::cyan)
           << QColor(Qt::blue) << QColor(Qt::magenta) << QColor(Qt::white) << QColor(Qt::lightGray);
    for (int i = 0; i < count(); ++i)
        setItemIcon(i, creatColorPix(colors.at(i)));

    connect(this, qOverload<int>(&QComboBox::currentIndexChanged), this, &ColorComboBox::slotCurrentChanged);
}

ColorComboBox::~ColorComboBox() = default;

void ColorComboBox::slotCurrentChanged(int index)
{
    const int last = count() - 1;
    if (index >= 0 && index < last) {
        currentColor = colors.value(index);
        lastIndex = index;
        emit currentColorChanged(currentColor);
        return;
    }
    if (index != last || index < 0 || currentText() != tr("Select Color..."))
        return;

    const QColor color = QColorDialog::getColor(Qt::white, this, tr("Select Color"));
    if (!color.isValid()) {
        setCurrentIndex(lastIndex);
        return;
    }

    const QString text = QString::asprintf("%d,%d,%d", color.red(), color.green(), color.blue());
    colorNames.prepend(text);
    colors.prepend(color);
    // Each step below may move the current entry; the runs of this slot it
    // causes meet an entry that is not "Select Color..." and stay quiet.
    removeItem(index);
    insertItem(0, creatColorPix(color), text);
    insertItem(index + 1, creatColorPix(colors.last()), colorNames.last());
    setCurrentIndex(0);
    currentColor = color;
    lastIndex = 0;
    emit currentColorChanged(color);
}

} // namespace KvCc
