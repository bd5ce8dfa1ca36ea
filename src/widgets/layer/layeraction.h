#pragma once

#include "kvcustomcontrol_export.h"

#include <QAction>

namespace KvCc {

/// A checkable entry of the layer table's column menu. Its object name is
/// the header label of its column, which is how it finds the column.
class KVCUSTOMCONTROL_EXPORT LayerAction : public QAction
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerAction)

public:
    /// A checkable entry labelled text, named after its column.
    LayerAction(const QString& text, QObject* parent);
    ~LayerAction() override;

signals:
    /// The entry of column was checked (true) or unchecked.
    void layerTriggered(int column, bool checked);

public slots:
    /// Emits layerTriggered for the column whose label is the object name.
    void actionProcess(bool checked);
};

} // namespace KvCc
