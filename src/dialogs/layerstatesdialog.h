#pragma once

#include "kvcustomcontrol_export.h"
#include "kvlayerstate.h"

#include <QDialog>

#include <memory>

class Ui_LayerStatesDialog;

namespace KvCc {

/// The "Layer States" dialog: lists the states of a host's store and saves
/// the drawing's layers as a new state, restores, renames, deletes, exports
/// and imports states. Hosts open it from anywhere with setStore() and exec().
class KVCUSTOMCONTROL_EXPORT LayerStatesDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerStatesDialog)

public:
    /// Builds the dialog, hidden and without a store; show it with exec().
    explicit LayerStatesDialog(QWidget* parent = nullptr);
    ~LayerStatesDialog() override;

    /// The store the dialog works on; not owned, and it must outlive the
    /// dialog or be unset first. Null empties the list.
    void setStore(LayerStateStore* store);
    /// The store set last, or null.
    LayerStateStore* store() const { return m_store; }
    /// The properties the Restore checkboxes choose.
    LayerState::Properties restoreProperties() const;
    /// The name of the state selected in the list; empty when none is.
    QString selectedState() const;

signals:
    /// A state was restored into the drawing (and the host told once).
    void stateRestored(const QString& name);

public slots:
    /// Reads the list again from the store, keeping the selection.
    void slotRefresh();
    /// "New...": asks for a name and a description and saves the layers as they are now.
    void slotNew();
    /// "Restore": writes the selected state's chosen properties into the drawing.
    void slotRestore();
    /// "Rename...": asks for the selected state's new name.
    void slotRename();
    /// "Delete": removes the selected state once the user confirmed.
    void slotDelete();
    /// "Export...": writes the selected state into a file the user chooses.
    void slotExport();
    /// "Import...": reads a state from a file the user chooses into the store.
    void slotImport();

private:
    bool askName(const QString& title, QString& name, QString* description);
    bool nameIsFree(const QString& name, const QString& except) const;
    bool saveAsked(const LayerState& state);
    void showRefusals(const QString& name, const QStringList& refused);
    void warn(const QString& text);
    void selectState(const QString& name);
    void updateButtons();

    std::unique_ptr<Ui_LayerStatesDialog> ui;
    LayerStateStore* m_store = nullptr;
};

} // namespace KvCc
