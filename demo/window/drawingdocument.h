#pragma once

#include "drawingdata.h"

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

    static QString layerName(const DkDbLayerTableRecord* record);

private:
    DkDbObjectId findLayer(const QString& name) const;
    // Finds the layer a command names into id; else says why it cannot run.
    QString findForCommand(const QString& name, DkDbObjectId& id) const;

    std::unique_ptr<DkDbDatabase> m_db;
    Drawing m_drawing;
    QVector<DkDbObjectId> m_layerIds; // per Drawing::layers index
};

} // namespace Demo
