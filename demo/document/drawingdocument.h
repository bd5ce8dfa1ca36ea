#pragma once

#include "hostlayertable.h"
#include "layerisolation.h"
#include "layersavestate.h"
#include "layertablestate.h"

#include <QHash>
#include <QString>
#include <QVector>

#include <functional>
#include <utility>

namespace Demo {

// The open drawing: its layer table in the host database and what the file
// holds of it. It carries out the layer commands a CAD program would,
// refusing what would damage the drawing.
class DrawingDocument
{
public:
    DrawingDocument() = default;
    DrawingDocument(const DrawingDocument&) = delete;
    DrawingDocument& operator=(const DrawingDocument&) = delete;

    // Replaces the drawing and makes it the host's working drawing.
    void load(const Drawing& drawing);
    // Leaves the host without a working drawing.
    void close();

    const HostLayerTable& table() const { return m_table; }
    DkDbDatabase* database() const { return m_table.database(); }
    const Drawing& drawing() const { return m_table.drawing(); }
    DkDbObjectId layerIdOf(const DrawingEntity& entity) const { return m_table.layerIdOf(entity); }
    const QVector<DkDbObjectId>& layerIds() const { return m_table.layerIds(); }
    QString currentLayerName() const { return m_table.currentLayerName(); }
    bool layerExists(const QString& name) const { return !m_table.findLayer(name).isNull(); }
    int entityCount(const DkDbObjectId& layer) const { return m_table.entityCount(layer); }

    // Each returns an empty string on success, else the message to show.
    QString setCurrentLayer(const QString& name);
    QString addLayer(const QString& name);
    QString renameLayer(const QString& oldName, const QString& newName);
    QString deleteLayer(const QString& name);
    // Sets every property of the named layer but its name.
    QString setLayerProperties(const QString& name, const DrawingLayer& properties);
    // Reads the named layer, lets edit change it (or refuse with a message)
    // and sets what it made of it.
    QString editLayer(const QString& name, const std::function<QString(DrawingLayer&)>& edit);
    // The same for the layer of a slot, found by its record whatever its name.
    QString setSlotProperties(int slot, const DrawingLayer& properties);

    // Shows only the named layers: the others visible now are turned off
    // (or frozen); the named ones are turned on and thawed, and the first
    // becomes current unless the current layer is among them.
    QString isolateLayers(const QStringList& names, bool byFreezing);
    // Puts back what isolating changed, where the user did not change it since.
    QString unisolateLayers() { m_stepText = QStringLiteral("Unisolate Layers"); return m_isolation.unisolate(*this); }
    bool canUnisolate() const { return database() && m_isolation.isActive(*this); }
    QString turnAllLayersOn();
    QString thawAllLayers();
    // The undo text of the step the last layer-wide command makes ("Thaw
    // All Layers"); empty when the step may be named by what it changed.
    // Clears it.
    QString takeStepText() { return std::exchange(m_stepText, QString()); }

    // The named layer as the drawing holds it; false when there is none.
    bool findLayerProperties(const QString& name, DrawingLayer& out) const;

    // The layer table by slot, for undo.
    LayerTableState layerState() const;
    // Slots the document's own commands changed (and whether the current
    // layer changed) since the last call; clears both.
    QVector<int> takeTouchedSlots(bool& currentChanged) { return m_table.takeTouchedSlots(currentChanged); }
    // One slot as layerState() has it, without reading the others.
    bool slotAlive(int slot) const { return !m_table.idOfSlot(slot).isNull(); }
    DrawingLayer slotLayer(int slot) const;
    int currentSlot() const { return m_table.currentSlot(); }
    // Brings the delta's slots to its after (or before) side.
    void restoreLayers(const LayerTableDelta& delta, bool after);

    // What a save writes: every layer changed, added or erased since the
    // drawing was read or last saved, with the name and properties it had then.
    QVector<SavedLayer> savedLayers() const;
    QString savedCurrentLayer() const { return m_saveState.savedCurrentLayer(); }
    // The drawing as it stands is now what the file holds.
    void markSaved();

    // The drawing's named layer states; each names layers by the handle the
    // file gives them (empty for a layer the file does not hold yet).
    const DrawingLayerStates& layerStates() const { return m_states; }
    void setLayerStates(const QVector<DrawingLayerState>& states) { m_states.states = states; }
    // What a state names the layer of a slot by while the drawing is open:
    // the file's handle, or for a layer the file does not hold yet a key of
    // its slot, so that the state follows the layer through renames.
    QByteArray layerHandle(int slot) const;
    // The slot of the layer named by such a handle; -1 for none.
    int slotOfHandle(const QByteArray& handle) const;
    // The states as a save writes them: without the layers deleted since,
    // and a layer the file does not hold yet by its name.
    QVector<DrawingLayerState> statesToSave() const;
    // Whether a save would change the states the file holds.
    bool layerStatesModified() const { return statesToSave() != m_savedStates; }
    // After a save: the states and the layers' handles as the file now holds them.
    void reloadLayerStates(const DrawingLayerStates& states);

private:
    bool readSlot(int slot, DrawingLayer& layer) const;
    void setSlotHandles(const QVector<QByteArray>& handles);
    // Runs command on the layer name names; refuses when there is none.
    QString onLayer(const QString& name, const std::function<QString(const DkDbObjectId&)>& command);

    QString setRecordProperties(const DkDbObjectId& id, const DrawingLayer& properties);
    // Runs edit on every layer; sets those it changed (it returns true for them).
    QString editEveryLayer(const std::function<bool(DrawingLayer&)>& edit);

    HostLayerTable m_table;
    LayerSaveState m_saveState;
    LayerIsolation m_isolation;
    QString m_stepText;
    // The last full read of the layers, and the database's change count then.
    static constexpr unsigned long long noRead = ~0ULL;
    mutable LayerTableState m_state;
    mutable unsigned long long m_stateReadAt = noRead;
    DrawingLayerStates m_states;
    QVector<DrawingLayerState> m_savedStates;
    QVector<QByteArray> m_slotHandles; // per slot
    QHash<QByteArray, int> m_slotByHandle;
};

} // namespace Demo
