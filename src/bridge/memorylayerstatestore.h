#pragma once

#include "kvlayerstate.h"

namespace KvCc {

/// A layer-state store that keeps its states in memory, in the order they
/// were first saved: for hosts that keep the states with their own document
/// data (write them with LayerState::toJson()), and for tests.
class KVCUSTOMCONTROL_EXPORT MemoryLayerStateStore : public LayerStateStore
{
public:
    MemoryLayerStateStore() = default;
    ~MemoryLayerStateStore() override;

    QStringList stateNames() const override;
    bool loadState(const QString& name, LayerState& out) const override;
    /// Refuses a state without a name; a state of the same name (case-blind)
    /// is replaced in its place.
    QString saveState(const LayerState& state) override;
    QString removeState(const QString& name) override;
    /// Refuses an empty new name and one that another state holds (case-blind);
    /// a change of letter case only is allowed.
    QString renameState(const QString& oldName, const QString& newName) override;

    /// Every state, in the store's order.
    const QVector<LayerState>& states() const { return m_states; }

private:
    int indexOf(const QString& name) const;

    QVector<LayerState> m_states;
};

} // namespace KvCc
