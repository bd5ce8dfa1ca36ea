#pragma once

#include "kvcustomcontrol_export.h"

#include <QDialog>
#include <QString>

#include <memory>

class Ui_LayerWarning;

namespace KvCc {

/// A small message box about the drawing's current layer. In asking mode it
/// offers "Yes" and "No", and "Yes" switches the layer named in layerName off
/// itself; in telling mode it shows a single "OK". The caller reads the
/// answer from exec(): accepted only when the layer really was switched off.
class KVCUSTOMCONTROL_EXPORT LayerWarningDialog : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerWarningDialog)

public:
    /// Builds the dialog, hidden; show it with exec().
    explicit LayerWarningDialog(QWidget* parent = nullptr);
    ~LayerWarningDialog() override;

    /// The message shown beside the warning icon.
    void setTipsText(QString text);
    /// true: "Yes" and "No"; false: a single "OK" that only closes the dialog.
    void setButtonStatus(bool ask);

public slots:
    /// "Yes": switches the layer layerName to the opposite of layerOn and accepts
    /// when the drawing took it, else rejects.
    void slotAccepted();
    /// "No" or "OK": rejects the dialog.
    void slotCancel();

protected:
    /// Puts the focus on the safe answer, "No" (or "OK").
    void showEvent(QShowEvent* event) override;

private:
    std::unique_ptr<Ui_LayerWarning> ui;

public:
    /// The on state of the layer concerned and its name; set by the caller before asking.
    ///@{
    bool layerOn = true;
    QString layerName;
    ///@}
};

} // namespace KvCc
