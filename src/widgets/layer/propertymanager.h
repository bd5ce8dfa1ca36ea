#pragma once

#include "kvcustomcontrol_export.h"

#include <QWidget>

class QLabel;

namespace KvCc {

class LineTypeComboBox;
class LineWidthComboBox;
class QKvColorComboBox;

/// The property page beside the ribbon's layer row: color, lineweight and
/// linetype selectors, each behind a 16 x 16 label image of the host.
class KVCUSTOMCONTROL_EXPORT PropertyManager : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(PropertyManager)

public:
    /// Builds the page with its three selectors.
    explicit PropertyManager(QWidget* parent = nullptr);
    ~PropertyManager() override;

private:
    QLabel* colorLabel = nullptr;
    QLabel* lineWeightLabel = nullptr;
    QLabel* lineTypeLabel = nullptr;
    QKvColorComboBox* colorComboBox = nullptr;
    LineWidthComboBox* lineWeightComboBox = nullptr;
    LineTypeComboBox* lineTypeComboBox = nullptr;
};

} // namespace KvCc
