#pragma once

#include "drawingdata.h"
#include "dxfsaver.h"
#include "layertablestate.h"

#include <KvDatabase.h>

#include <QString>
#include <QVector>

#include <memory>

namespace Demo {

// The open drawing: its layers live in the host database, which the
// library's widgets read through their bridge; the entities stay here and
// point at their layer's record. The document also carries out the layer
// commands a CAD program would, refusing what would damage the drawing.
class DrawingDocument
{
public:
    DrawingDocument();
    ~DrawingDocument();
    DrawingDocument(const DrawingDocument&) = delete;
    DrawingDocument& operator=(const DrawingDocument&) = delete;

    // Replaces the drawing and makes it the host's working drawing.
    void load(const Drawing& drawing);
    // Leaves the host without a working drawing.
    void close();

    DkDbDatabase* database() const { return m_db.get(); }
    const Drawing& drawing() const { return m_drawing; }
    // The record of the entity's layer.
    DkDbObjectId layerIdOf(const DrawingEntity& entity) const;
    const QVector<DkDbObjectId>& layerIds() const { return m_layerIds; }

    QString currentLayerName() const;
    bool layerExists(const QString& name) const;
    // Number of objects on the layer of that record: in model space, paper
    // space and block definitions, drawn or not.
    int entityCount(const DkDbObjectId& layer) const;

    // Each returns an empty string on success, else the message to show.
    QString setCurrentLayer(const QString& name);
    QString addLayer(const QString& name);
    QString renameLayer(const QString& oldName, const QString& newName);
    QString deleteLayer(const QString& name);
    // Why a name cannot be used for a new or renamed layer ("" when it can).
    QString checkNewName(const QString& name, const QString& exceptName = QString()) const;
    // Sets every property of the named layer but its name.
    QString setLayerProperties(const QString& name, const DrawingLayer& properties);
    // The named layer as the drawing holds it; false when there is none.
    bool findLayerProperties(const QString& name, DrawingLayer& out) const;

    // Linetypes of the drawing's table (name, description), in table order.
    QVector<QPair<QString, QString>> linetypes() const;
    // Adds the linetypes of the file's own table (name, description).
    void addLinetypes(const QVector<QPair<QString, QString>>& linetypes);

    // The layer table by slot, for undo.
    LayerTableState layerState() const;
    // Brings the layer table to state: creates, erases, renames and changes
    // layers and sets the current one.
    void restoreLayers(const LayerTableState& state);

    // What a save writes: every layer with the name and properties it had
    // when the drawing was read or last saved.
    QVector<SavedLayer> savedLayers() const;
    QString savedCurrentLayer() const { return m_savedCurrent; }
    // The drawing as it stands is now what the file holds.
    void markSaved();

    static QString layerName(const DkDbLayerTableRecord* record);
    // The name of the table record id refers to (a linetype, say); empty for none.
    static QString symbolName(const DkDbObjectId& id);

private:
    DkDbObjectId findLayer(const QString& name) const;
    // Finds the layer a command names into id; else says why it cannot run.
    QString findForCommand(const QString& name, DkDbObjectId& id) const;

    DrawingLayer readLayer(const DkDbObjectId& id) const;
    void applyLayer(const DkDbObjectId& id, const DrawingLayer& layer);
    DkDbObjectId idOfSlot(int slot) const;

    std::unique_ptr<DkDbDatabase> m_db;
    Drawing m_drawing;
    QVector<DkDbObjectId> m_layerIds; // per Drawing::layers index (slot)
    // Per slot: the layer as the file holds it, and whether the file holds it.
    QVector<DrawingLayer> m_saved;
    QVector<bool> m_inFile;
    QString m_savedCurrent;
};

} // namespace Demo
