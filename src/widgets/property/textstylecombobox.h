#pragma once

#include "basecombobox.h"
#include "kvcustomcontrol_export.h"

#include <QStringList>

namespace KvCc {

/// The text style selector of the ribbon: one row per text style with a
/// preview of sample text in a thin frame, starting with "Standard". The
/// button under the list, "Manager Text Styles...", is there for hosts that
/// derive their own style manager; it does nothing here.
class KVCUSTOMCONTROL_EXPORT TextStyleComboBox : public BaseComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY(TextStyleComboBox)

public:
    /// Builds the rows, "Standard" current.
    explicit TextStyleComboBox(QWidget* parent = nullptr);
    ~TextStyleComboBox() override;

public slots:
    /// Does nothing; hosts with a style manager override it.
    void openDialog() override;

private:
    QStringList styleNames;
    QStringList sampleTexts;
};

} // namespace KvCc
