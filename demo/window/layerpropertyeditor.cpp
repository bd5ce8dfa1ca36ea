#include "layerpropertyeditor.h"

#include "drawingdocument.h"
#include "linetypetable.h"
#include "layercolordialog.h"
#include "layerhistory.h"
#include "linetypepickerdialog.h"

#include "layerlineweightdialog.h"
#include "layersnapshotrow.h"
#include "lineweights.h"

#include <QInputDialog>

namespace Demo {

LayerPropertyEditor::LayerPropertyEditor(DrawingDocument* document, LayerHistory* history, QWidget* dialogParent)
    : QObject(dialogParent), m_document(document), m_history(history), m_dialogParent(dialogParent)
{
}

LayerPropertyEditor::~LayerPropertyEditor() = default;

int LayerPropertyEditor::propertyOfColumn(int column)
{
    switch (column) {
    case KvCc::ColorColumn:
        return Color;
    case KvCc::LinetypeColumn:
        return Linetype;
    case KvCc::LineweightColumn:
        return LineWeight;
    case KvCc::DescriptionColumn:
        return Description;
    default:
        return -1;
    }
}

bool LayerPropertyEditor::edit(const QString& name, Property property)
{
    DrawingLayer layer;
    if (!m_document->findLayerProperties(name, layer)) {
        emit refused(QStringLiteral("There is no layer \"%1\".").arg(name));
        return false;
    }
    bool chosen = false;
    switch (property) {
    case Color:
        chosen = chooseColor(layer);
        break;
    case Linetype:
        chosen = chooseLinetype(layer);
        break;
    case LineWeight:
        chosen = chooseLineWeight(layer);
        break;
    case Plot:
        layer.plottable = !layer.plottable;
        chosen = true;
        break;
    case Description:
        chosen = chooseDescription(layer);
        break;
    }
    if (!chosen)
        return false;
    const QString error = m_document->setLayerProperties(name, layer);
    if (!error.isEmpty()) {
        emit refused(error);
        return false;
    }
    if (!m_history->record())
        return false;
    emit changed();
    return true;
}

bool LayerPropertyEditor::chooseColor(DrawingLayer& layer)
{
    LayerColorDialog dialog(m_dialogParent);
    dialog.setColor(layer.colorIndex, layer.color);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    layer.colorIndex = dialog.colorIndex();
    layer.color = dialog.color();
    return true;
}

bool LayerPropertyEditor::chooseLinetype(DrawingLayer& layer)
{
    LinetypePickerDialog dialog(LinetypeTable(m_document->database()).layerLinetypes(), layer.linetype, m_dialogParent);
    if (dialog.exec() != QDialog::Accepted || dialog.linetype().isEmpty())
        return false;
    layer.linetype = dialog.linetype();
    return true;
}

// The dialog's rows are "Default" and then the standard lineweights.
bool LayerPropertyEditor::chooseLineWeight(DrawingLayer& layer)
{
    const QVector<int>& weights = KvCc::standardLineWeights();
    KvCc::LayerLineWeightDialog dialog(m_dialogParent);
    dialog.setCurrentLineweight(weights.indexOf(layer.lineWeight) + 1);
    int row = -1;
    connect(&dialog, &KvCc::LayerLineWeightDialog::layerLineWeightChanged, this, [&row](int chosen) { row = chosen; });
    if (dialog.exec() != QDialog::Accepted || row < 0 || row > weights.size())
        return false;
    layer.lineWeight = row == 0 ? LineWeightDefault : weights.at(row - 1);
    return true;
}

bool LayerPropertyEditor::chooseDescription(DrawingLayer& layer)
{
    bool ok = false;
    const QString text = QInputDialog::getText(m_dialogParent, QStringLiteral("Layer Description"),
                                               QStringLiteral("Description of layer %1:").arg(layer.name),
                                               QLineEdit::Normal, layer.description, &ok);
    if (!ok)
        return false;
    layer.description = text;
    return true;
}

} // namespace Demo
