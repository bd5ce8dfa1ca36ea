#pragma once

#include "kvcustomcontrol_export.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

namespace KvCc {

/// A read/write table model over a caller-owned list of layer snapshot rows,
/// for hosts that keep such a list themselves. Cells are plain strings under
/// the display role; state cells also say their state in words for tool tips
/// and screen readers. Nothing is written to the drawing.
class KVCUSTOMCONTROL_EXPORT LayerModel : public QAbstractTableModel
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerModel)

public:
    /// Builds an empty model with the 13 layer column headers.
    explicit LayerModel(QObject* parent = nullptr);
    ~LayerModel() override;

    /// Stores the list (not owned; it must outlive the model's use of it).
    /// Call refrushModel() afterwards: this sends no reset.
    void setModalDatas(QList<QStringList>* rows);
    /// Resets the model and reports the new row count.
    void refrushModel();
    /// Replaces the header labels without any notification, so call it
    /// before the model is shown or before refrushModel().
    void setHorizontalHeader(const QStringList& labels);

    /// One row per snapshot row; 0 without a list.
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    /// The number of header labels.
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    /// The cell's text under the display and edit roles.
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    /// Writes a text into the caller's list.
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    /// The header labels across, row numbers down.
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    /// Every cell is selectable and enabled; name cells are editable too.
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    /// Emitted by refrushModel() with the new row count.
    void updateCount(int count);

private:
    bool holds(const QModelIndex& index) const;

    QStringList headers;
    QList<QStringList>* rows = nullptr;
    // The names the rows held at the last reset, so a renamed row still
    // knows which layer of the drawing it stands for.
    QStringList loadedNames;
};

} // namespace KvCc
