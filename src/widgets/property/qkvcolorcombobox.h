#pragma once

#include "basecombobox.h"
#include "kvcustomcontrol_export.h"

#include <QColor>
#include <QList>
#include <QStringList>

namespace KvCc {

/// The color selector of the property page: "By Layer", "By Block" and the
/// seven standard colors, each with a swatch. The button under the list,
/// "select a color...", asks for any color with the standard color dialog and
/// appends it unless a row of the same text is already listed. The choice is
/// shown on the face and read with currentRow().
class KVCUSTOMCONTROL_EXPORT QKvColorComboBox : public BaseComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY(QKvColorComboBox)

public:
    /// Builds the nine rows, "By Layer" current.
    explicit QKvColorComboBox(QWidget* parent = nullptr);
    ~QKvColorComboBox() override;

public slots:
    /// Runs the standard color dialog and appends and shows the chosen color.
    void openDialog() override;

private:
    // 20 pixels a row plus the button, at most 230 so that the list scrolls.
    void adjustListHeight();

    QStringList colorNames;
    QList<QColor> colors;
};

} // namespace KvCc
