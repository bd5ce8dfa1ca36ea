#pragma once

#include "basecombobox.h"
#include "kvcustomcontrol_export.h"

namespace KvCc {

/// The visual style selector of the ribbon: the seven visual styles shown as
/// 50 x 50 thumbnails in an icon grid, "2D wireframe" first.
class KVCUSTOMCONTROL_EXPORT VisualStyleComboBox : public BaseComboBox
{
    Q_OBJECT
    Q_DISABLE_COPY(VisualStyleComboBox)

public:
    /// Builds the seven thumbnails, "2D wireframe" current.
    explicit VisualStyleComboBox(QWidget* parent = nullptr);
    ~VisualStyleComboBox() override;
};

} // namespace KvCc
