#pragma once

#include "kvcustomcontrol_export.h"

#include <QTableView>

namespace KvCc {

/// The overlay that keeps the layer table's first two columns (current mark
/// and name) fixed at the left while the other columns scroll. It shares the
/// table's model, selection and delegate.
class KVCUSTOMCONTROL_EXPORT FrozenTableWidget : public QTableView
{
    Q_OBJECT
    Q_DISABLE_COPY(FrozenTableWidget)

public:
    /// Builds the overlay; LayerTableWidget sets it up.
    explicit FrozenTableWidget(QWidget* parent = nullptr);
    ~FrozenTableWidget() override;

    /// Opens the editor of index; a name being typed in another cell is
    /// committed first. False, quietly, when the cell cannot be edited.
    bool editName(const QModelIndex& index);

protected:
    /// Takes the keyboard focus before the usual handling.
    void mousePressEvent(QMouseEvent* event) override;
};

} // namespace KvCc
