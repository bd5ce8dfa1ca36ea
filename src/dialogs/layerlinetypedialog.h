#pragma once

#include "kvcustomcontrol_export.h"

#include <QDialog>

#include <memory>

class Ui_LayerLTypeDialog;

namespace KvCc {

/// The "Select Linetype" dialog: a table of the loaded linetypes (name,
/// sample, description) in which the user confirms a layer's linetype. It
/// emits nothing; whoever runs it reads only the result of exec().
class KVCUSTOMCONTROL_EXPORT LayerLineTypeDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerLineTypeDialog)

public:
    /// Builds the dialog, hidden; show it with exec().
    explicit LayerLineTypeDialog(QWidget* parent = nullptr);
    ~LayerLineTypeDialog() override;

public slots:
    /// The "OK" button: accepts the dialog.
    void slotAccepted();
    /// The "Cancel" button: rejects the dialog.
    void slotCancel();
    /// The "Help" button: says that no help is installed.
    void slotHelp();

protected:
    /// Puts the focus in the table, so that Return answers "OK".
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui_LayerLTypeDialog> ui;
};

} // namespace KvCc
