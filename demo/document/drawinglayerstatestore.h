#pragma once

#include "kvlayerstate.h"

#include <QObject>
#include <QString>
#include <QStringList>

namespace Demo {

class DrawingDocument;
class LayerHistory;

// The named layer states of the open drawing, kept in the drawing itself
// so that a save writes them into its file. Saving, renaming and deleting
// a state are no undo steps but leave the drawing with unsaved changes;
// restoring one is one undo step of the layers it changed.
class DrawingLayerStateStore : public QObject, public KvCc::LayerStateStore
{
    Q_OBJECT
    Q_DISABLE_COPY(DrawingLayerStateStore)

public:
    DrawingLayerStateStore(DrawingDocument* document, LayerHistory* history, QObject* parent = nullptr);
    ~DrawingLayerStateStore() override;

    QStringList stateNames() const override;
    bool loadState(const QString& name, KvCc::LayerState& out) const override;
    QString saveState(const KvCc::LayerState& state) override;
    QString removeState(const QString& name) override;
    QString renameState(const QString& oldName, const QString& newName) override;

    // Saves the layers as they now are as a new state; "" or why not.
    QString captureState(const QString& name, const QString& description = QString());
    // Restores the chosen properties of the named state as one undo step
    // named restoreText(); "" or why not, with every write the drawing refused.
    QString restoreState(const QString& name, KvCc::LayerState::Properties which, bool offOthers);
    static QString restoreText(const QString& name);
    // The undo text for layer changes reported while the event that loaded
    // a state from the store is still running, as when a dialog loads a
    // state and restores it; "" once that event is over.
    QString loadedRestoreText() const { return m_loaded.isEmpty() ? QString() : restoreText(m_loaded); }
    // Why name cannot name a state (but the one now called except); "" when it can.
    QString checkName(const QString& name, const QString& except = QString()) const;

signals:
    // A state came, went, or changed its name or contents.
    void statesChanged();

private:
    QString cannotKeepStates() const;
    QString checkText(const QString& text) const;
    QString unknown(const QString& name) const;

    DrawingDocument* m_document;
    LayerHistory* m_history;
    mutable QString m_loaded; // the state loaded in the running event
};

} // namespace Demo
