#pragma once

#include "kvcustomcontrol_export.h"

#include <QColor>
#include <QComboBox>
#include <QList>
#include <QStringList>

namespace KvCc {

/// A plain combo box of the seven standard colors whose last entry,
/// "Select Color...", asks for any color with the standard color dialog.
/// Every choice is reported through currentColorChanged(); a custom color
/// is added at the top of the list.
class KVCUSTOMCONTROL_EXPORT ColorComboBox : public QComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY(ColorComboBox)

public:
    /// Builds the list of the seven standard colors and "Select Color...".
    explicit ColorComboBox(QWidget* parent = nullptr);
    ~ColorComboBox() override;

signals:
    /// The user chose color.
    void currentColorChanged(QColor color);

public slots:
    /// Reports the color of entry index, or runs the color dialog for the
    /// "Select Color..." entry.
    void slotCurrentChanged(int index);

private:
    QStringList colorNames;
    QList<QColor> colors;
    int lastIndex = 0;

    // The color last reported by any color combo box of the process.
    static QColor currentColor;
};

} // namespace KvCc
