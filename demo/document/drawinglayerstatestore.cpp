#include "drawinglayerstatestore.h"

#include "drawingdocument.h"
#include "dxfimport.h"
#include "layerhistory.h"
#include "layernamerules.h"
#include "layerstatemapping.h"

#include <QTimer>

namespace Demo {

DrawingLayerStateStore::DrawingLayerStateStore(DrawingDocument* document, LayerHistory* history, QObject* parent)
    : QObject(parent), m_document(document), m_history(history)
{
}

DrawingLayerStateStore::~DrawingLayerStateStore() = default;

QStringList DrawingLayerStateStore::stateNames() const
{
    QStringList names;
    for (const DrawingLayerState& state : m_document->layerStates().states)
        names << state.name;
    return names;
}

bool DrawingLayerStateStore::loadState(const QString& name, KvCc::LayerState& out) const
{
    const DrawingLayerStates& states = m_document->layerStates();
    const int index = states.indexOf(name);
    if (index < 0)
        return false;
    out = LayerStateMapping(*m_document).toLibrary(states.states.at(index));
    m_loaded = out.name;
    QTimer::singleShot(0, this, [this] { m_loaded.clear(); });
    return true;
}

QString DrawingLayerStateStore::saveState(const KvCc::LayerState& state)
{
    const QString problem = cannotKeepStates();
    if (!problem.isEmpty())
        return problem;
    QVector<DrawingLayerState> states = m_document->layerStates().states;
    const int index = m_document->layerStates().indexOf(state.name);
    const QString refused = checkName(state.name, index >= 0 ? state.name : QString());
    if (!refused.isEmpty())
        return refused;
    for (const QString& text : {state.description, state.currentLayer}) {
        const QString problem = checkText(text);
        if (!problem.isEmpty())
            return problem;
    }
    const DrawingLayerState stored =
        LayerStateMapping(*m_document).fromLibrary(state, index >= 0 ? states.at(index) : DrawingLayerState());
    if (index >= 0)
        states[index] = stored;
    else
        states.append(stored);
    m_document->setLayerStates(states);
    emit statesChanged();
    return QString();
}

QString DrawingLayerStateStore::removeState(const QString& name)
{
    QVector<DrawingLayerState> states = m_document->layerStates().states;
    const int index = m_document->layerStates().indexOf(name);
    if (index < 0)
        return unknown(name);
    states.remove(index);
    m_document->setLayerStates(states);
    emit statesChanged();
    return QString();
}

QString DrawingLayerStateStore::renameState(const QString& oldName, const QString& newName)
{
    QVector<DrawingLayerState> states = m_document->layerStates().states;
    const int index = m_document->layerStates().indexOf(oldName);
    if (index < 0)
        return unknown(oldName);
    const QString refused = checkName(newName, oldName);
    if (!refused.isEmpty())
        return refused;
    if (states.at(index).name == newName)
        return QString();
    states[index].name = newName;
    m_document->setLayerStates(states);
    emit statesChanged();
    return QString();
}

QString DrawingLayerStateStore::captureState(const QString& name, const QString& description)
{
    const QString problem = cannotKeepStates();
    if (!problem.isEmpty())
        return problem;
    const QString refused = checkName(name);
    return refused.isEmpty() ? saveState(KvCc::LayerState::capture(name, description)) : refused;
}

QString DrawingLayerStateStore::restoreState(const QString& name, KvCc::LayerState::Properties which, bool offOthers)
{
    KvCc::LayerState state;
    if (!loadState(name, state))
        return unknown(name);
    const KvCc::LayerState::RestoreResult result = state.restore(which, offOthers);
    m_history->record(restoreText(state.name));
    return result.refused.join(QLatin1Char(' '));
}

QString DrawingLayerStateStore::restoreText(const QString& name)
{
    return QStringLiteral("Restore Layer State %1").arg(name);
}

QString DrawingLayerStateStore::checkName(const QString& name, const QString& except) const
{
    if (name.trimmed().isEmpty())
        return QStringLiteral("A layer state name cannot be empty.");
    if (name != name.trimmed())
        return QStringLiteral("A layer state name cannot start or end with a space.");
    for (const QChar c : name) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("A layer state name cannot hold line breaks, tabs or other control characters.");
    }
    const QString stored = LayerNameRules::checkStoredName(m_document->table(), name, QStringLiteral("layer state"));
    if (!stored.isEmpty())
        return stored;
    const bool same = !except.isEmpty() && layerKey(except) == layerKey(name);
    if (!same && m_document->layerStates().nameTaken(name))
        return QStringLiteral("A layer state named \"%1\" already exists.").arg(name);
    return QString();
}

// Why a description or a layer name cannot go into a state; "" when it can.
QString DrawingLayerStateStore::checkText(const QString& text) const
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return QStringLiteral("A layer state cannot hold line breaks, tabs or other control characters.");
    }
    const DxfText& file = m_document->table().fileText();
    if (!file.canStore(text) || file.encode(text).size() > DxfImport::maxNameLength)
        return QStringLiteral("\"%1\" cannot be stored in a layer state of this drawing's file.").arg(text);
    return QString();
}

// Why the drawing cannot keep states; "" when it can.
QString DrawingLayerStateStore::cannotKeepStates() const
{
    if (!m_document->database())
        return QStringLiteral("No drawing is open.");
    if (m_document->layerStates().storable)
        return QString();
    if (m_document->drawing().version.isEmpty())
        return QStringLiteral("This drawing is written as a DXF R12 file, which has no place for layer states.");
    return QStringLiteral("This drawing's file has no place for layer states (DXF R12 files have none).");
}

QString DrawingLayerStateStore::unknown(const QString& name) const
{
    return QStringLiteral("There is no layer state \"%1\".").arg(name);
}

} // namespace Demo
