#pragma once

#include "drawingdata.h"

#include <QObject>

class QWidget;

namespace Demo {

class DrawingDocument;
class LayerHistory;

// Changes one property of a layer as the user asks: color, linetype,
// lineweight and description through their dialogs, plot as a toggle. Each
// change becomes one undo step.
class LayerPropertyEditor : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerPropertyEditor)

public:
    enum Property { Color, Linetype, LineWeight, Plot, Description };

    LayerPropertyEditor(DrawingDocument* document, LayerHistory* history, QWidget* dialogParent);
    ~LayerPropertyEditor() override;

    // True when the named layer changed.
    bool edit(const QString& name, Property property);
    // The property a layer table column shows; -1 when it has none to edit.
    static int propertyOfColumn(int column);

signals:
    void changed();
    void refused(const QString& message);

private:
    bool chooseColor(DrawingLayer& layer);
    bool chooseLinetype(DrawingLayer& layer);
    bool chooseLineWeight(DrawingLayer& layer);
    bool chooseDescription(DrawingLayer& layer);

    DrawingDocument* m_document;
    LayerHistory* m_history;
    QWidget* m_dialogParent;
};

} // namespace Demo
