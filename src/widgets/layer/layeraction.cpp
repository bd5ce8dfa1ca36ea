#include "layeraction.h"

#include "layercolumns.h"

namespace KvCc {

LayerAction::LayerAction(const QString& text, QObject* parent)
    : QAction(text, parent)
{
    connect(this, &QAction::triggered, this, &LayerAction::actionProcess);
}

LayerAction::~LayerAction() = default;

void LayerAction::actionProcess(bool checked)
{
    const int column = layerTableHeaders().indexOf(objectName());
    if (column >= 0)
        emit layerTriggered(column, checked);
}

} // namespace KvCc
