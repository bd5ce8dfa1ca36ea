#include "memorylayerstatestore.h"

#include <QCoreApplication>

namespace KvCc {

MemoryLayerStateStore::~MemoryLayerStateStore() = default;

int MemoryLayerStateStore::indexOf(const QString& name) const
{
    for (int i = 0; i < m_states.size(); ++i) {
        if (m_states.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QStringList MemoryLayerStateStore::stateNames() const
{
    QStringList names;
    for (const LayerState& state : m_states)
        names << state.name;
    return names;
}

bool MemoryLayerStateStore::loadState(const QString& name, LayerState& out) const
{
    const int index = indexOf(name);
    if (index < 0)
        return false;
    out = m_states.at(index);
    return true;
}

QString MemoryLayerStateStore::saveState(const LayerState& state)
{
    if (state.name.trimmed().isEmpty())
        return QCoreApplication::translate("KvCc::LayerStateStore", "A layer state needs a name.");
    const int index = indexOf(state.name);
    if (index < 0)
        m_states.append(state);
    else
        m_states[index] = state;
    return QString();
}

QString MemoryLayerStateStore::removeState(const QString& name)
{
    const int index = indexOf(name);
    if (index < 0)
        return QCoreApplication::translate("KvCc::LayerStateStore", "There is no layer state %1.").arg(name);
    m_states.remove(index);
    return QString();
}

QString MemoryLayerStateStore::renameState(const QString& oldName, const QString& newName)
{
    const int index = indexOf(oldName);
    if (index < 0)
        return QCoreApplication::translate("KvCc::LayerStateStore", "There is no layer state %1.").arg(oldName);
    if (newName.trimmed().isEmpty())
        return QCoreApplication::translate("KvCc::LayerStateStore", "A layer state needs a name.");
    const int other = indexOf(newName);
    if (other >= 0 && other != index)
        return QCoreApplication::translate("KvCc::LayerStateStore", "A layer state named %1 exists already.").arg(newName);
    m_states[index].name = newName;
    return QString();
}

} // namespace KvCc
