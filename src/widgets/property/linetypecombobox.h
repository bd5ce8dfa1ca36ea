#pragma once

#include "basecombobox.h"
#include "kvcustomcontrol_export.h"

#include <QList>
#include <QStringList>

namespace KvCc {

/// The linetype selector of the property page: "By Layer", "By Block" and
/// "Continuous" with a sample line each. The button under the list,
/// "Others...", is there for hosts that derive their own linetype dialog; it
/// does nothing here. The choice is shown on the face and read with currentRow().
class KVCUSTOMCONTROL_EXPORT LineTypeComboBox : public BaseComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY(LineTypeComboBox)

public:
    /// Builds the three rows, "By Layer" current.
    explicit LineTypeComboBox(QWidget* parent = nullptr);
    ~LineTypeComboBox() override;

public slots:
    /// Does nothing; hosts with a linetype dialog override it.
    void openDialog() override;

private:
    QStringList lineTypeNames;
    QList<Qt::PenStyle> penStyles;
};

} // namespace KvCc
