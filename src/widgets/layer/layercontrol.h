#pragma once

#include "kvcustomcontrol_export.h"

#include <QWidget>

class QPushButton;

namespace KvCc {

class LayerComboBox;

/// The layer row of the ribbon: a flat layer button, the layer drop-down and a
/// flat fold button. The fold button switches between folded and unfolded and
/// announces each change with folded(); every move or resize of the row is
/// announced with geometryChanged(), so that a floating property page can
/// follow it.
class KVCUSTOMCONTROL_EXPORT LayerControl : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerControl)

public:
    /// Builds the row, folded, with its own layer drop-down.
    explicit LayerControl(QWidget* parent = nullptr);
    ~LayerControl() override;

    /// Emits geometryChanged() on every move and resize.
    bool event(QEvent* event) override;
    /// 190 x 24.
    QSize sizeHint() const override;
    /// The layer drop-down between the two buttons.
    LayerComboBox* comboBox() const { return layerComboBox; }

signals:
    /// Carries the new fold state: true when the property page is put away.
    void folded(bool isFolded);
    /// The row moved or was resized.
    void geometryChanged();

public slots:
    /// The fold button: flips the fold state and emits folded().
    void folderClicked();

private:
    bool isFolded = true;
    QPushButton* folderButton = nullptr;
    QPushButton* layerButton = nullptr;
    LayerComboBox* layerComboBox = nullptr;
};

} // namespace KvCc
