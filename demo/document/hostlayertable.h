#pragma once

#include "drawingdata.h"
#include "dxftext.h"

#include <KvDatabase.h>

#include <QHash>
#include <QSet>
#include <QString>
#include <QVector>

#include <memory>

namespace Demo {

// The drawing mapped into the host database, which the library's widgets
// read through their bridge: its layers live there as table records, one
// per slot (Drawing::layers index); the entities stay here and point at
// their layer's slot. While loaded, the database is the host's working one.
class HostLayerTable
{
public:
    HostLayerTable();
    ~HostLayerTable();
    HostLayerTable(const HostLayerTable&) = delete;
    HostLayerTable& operator=(const HostLayerTable&) = delete;

    // Replaces the drawing and makes it the host's working drawing.
    void load(const Drawing& drawing);
    // Leaves the host without a working drawing.
    void close();

    DkDbDatabase* database() const { return m_db.get(); }
    const Drawing& drawing() const { return m_drawing; }
    const QVector<DkDbObjectId>& layerIds() const { return m_layerIds; }
    // The record of the entity's layer.
    DkDbObjectId layerIdOf(const DrawingEntity& entity) const;
    // How the drawing's file stores text; a drawing from no file is saved
    // as R12 in a code page.
    const DxfText& fileText() const { return m_text; }
    // The layer of that name, whatever its letter case; null for none.
    DkDbObjectId findLayer(const QString& name) const;
    // The record of a slot while its layer exists; null once erased.
    DkDbObjectId idOfSlot(int slot) const;
    int slotOf(const DkDbObjectId& id) const;
    // How many layers the drawing holds now, erased ones left out.
    int layerCount() const;
    QString currentLayerName() const;
    int currentSlot() const;
    // Number of objects on the layer of that record: in model space, paper
    // space and block definitions, drawn or not.
    int entityCount(const DkDbObjectId& layer) const;

    // The layer of a record as the drawing holds it.
    DrawingLayer readLayer(const DkDbObjectId& id) const;
    // Gives the record every property of layer, its name too.
    void applyLayer(const DkDbObjectId& id, const DrawingLayer& layer);
    // A new record in a new slot; null when the database refuses it.
    DkDbObjectId addLayer(const DrawingLayer& layer);
    // A new record for a slot whose layer was erased.
    void reviveSlot(int slot, const DrawingLayer& layer);
    Dk::ErrorStatus renameLayer(const DkDbObjectId& id, const QString& newName);
    Dk::ErrorStatus eraseLayer(const DkDbObjectId& id);
    Dk::ErrorStatus setCurrent(const DkDbObjectId& id);

    // Slots changed through this table (and whether the current layer
    // changed) since the last call; clears both. A step of undo reads just
    // these, so that it costs what it changed.
    QVector<int> takeTouchedSlots(bool& currentChanged);
    // Files every live layer under the name it has now (see refile()).
    void renewIndex() const;
    // Files the slot under the name its layer has now (empty: erased), when
    // that is not the name it is filed under. The library's widgets rename
    // layers in the database directly, past this table, so a full read
    // passes every name by here: a comparison a layer unless one was renamed.
    void refile(int slot, const QString& name) const;

    static QString layerName(const DkDbLayerTableRecord* record);
    // The name of the table record id refers to (a linetype, say); empty for none.
    static QString symbolName(const DkDbObjectId& id);

private:
    void setFrozen(const DkDbObjectId& id, bool frozen);
    void indexSlot(int slot);
    void touch(int slot);

    std::unique_ptr<DkDbDatabase> m_db;
    Drawing m_drawing;
    QVector<DkDbObjectId> m_layerIds; // per slot
    DxfText m_text{QByteArrayLiteral("AC1009"), QByteArrayLiteral("ANSI_1252")};
    mutable QHash<QString, int> m_slotByKey; // layerKey() of a live layer's name -> slot
    mutable QVector<QString> m_filedNames;   // per slot: the name it is filed under
    mutable QSet<QString> m_linetypeNames;   // one copy of each linetype name, which the layers read share
    QHash<quint64, int> m_slotById;          // record handle -> slot
    QVector<int> m_touched;
    bool m_currentTouched = false;
};

} // namespace Demo
