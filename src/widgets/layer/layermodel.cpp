#include "layermodel.h"

#include "layercolumns.h"
#include "layertexts_p.h"

namespace KvCc {

LayerModel::LayerModel(QObject* parent)
    : QAbstractTableModel(parent)
{
}

LayerModel::~LayerModel() = default;

void LayerModel::setModalDatas(QList<QStringList>* rows)
{
    this->rows = rows;
}

void LayerModel::refrushModel()
{
    beginResetModel();
    loadedNames.clear();
    if (rows) {
        loadedNames.reserve(rows->size());
        for (const QStringList& row : qAsConst(*rows))
            loadedNames << row.value(NameColumn);
    }
    endResetModel();
    emit updateCount(rowCount());
}

void LayerModel::setHorizontalHeader(const QStringList& labels)
{
    if (headers.isSharedWith(labels))
        return;
    headers = labels;
}

int LayerModel::rowCount(const QModelIndex& parent) const
{
    // A table has no children: only the invisible root holds rows.
    if (parent.isValid() || !rows)
        return 0;
    return rows->size();
}

int LayerModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : headers.size();
}

bool LayerModel::holds(const QModelIndex& index) const
{
    return rows && index.isValid() && index.model() == this && index.row() < rows->size()
        && index.column() < headers.size();
}

QVariant LayerModel::data(const QModelIndex& index, int role) const
{
    if (!holds(index))
        return QVariant();
    if (role == Qt::DisplayRole) {
        const QStringList& row = rows->at(index.row());
        if (index.column() >= row.size())
            return QVariant();
        return row.at(index.column());
    }
    if (role == Qt::AccessibleTextRole || role == Qt::AccessibleDescriptionRole || role == Qt::ToolTipRole) {
        const QStringList& row = rows->at(index.row());
        return LayerTexts::stateCellData(index.column(), row.value(index.column()), row.value(NameColumn), role);
    }
    if (role == LoadedNameRole && index.column() == NameColumn && index.row() < loadedNames.size()
        && !loadedNames.at(index.row()).isNull())
        return loadedNames.at(index.row());
    return QVariant();
}

bool LayerModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (role != Qt::DisplayRole || !holds(index))
        return false;
    QStringList row = rows->at(index.row());
    if (index.column() >= row.size())
        return false;
    row[index.column()] = value.toString();
    (*rows)[index.row()] = row;
    emit dataChanged(index, index, QVector<int>());
    return true;
}

QVariant LayerModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        if (section < 0 || section >= headers.size())
            return QVariant();
        return headers.at(section);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags LayerModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

} // namespace KvCc
