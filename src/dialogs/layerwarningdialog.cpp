#include "layerwarningdialog.h"

#include "kvlayerutility.h"
#include "ui_layerwarningdialog.h"

namespace KvCc {

LayerWarningDialog::LayerWarningDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_LayerWarning)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->setupUi(this);

    connect(ui->okBtn, &QPushButton::clicked, this, &LayerWarningDialog::slotAccepted);
    connect(ui->noBtn, &QPushButton::clicked, this, &LayerWarningDialog::slotCancel);
}

LayerWarningDialog::~LayerWarningDialog() = default;

void LayerWarningDialog::setTipsText(QString text)
{
    ui->textLabel->setText(text);
}

void LayerWarningDialog::setButtonStatus(bool ask)
{
    ui->okBtn->setVisible(ask);
    ui->noBtn->setText(ask ? QCoreApplication::translate("LayerWarning", "No")
                           : QCoreApplication::translate("LayerWarning", "OK"));
}

// "Yes" reports success only when the drawing now holds the layer switched
// off; a layer erased meanwhile or a refusal by the host rejects the dialog,
// so the caller leaves its display as it was.
void LayerWarningDialog::slotAccepted()
{
    if (KvLayerUtility().setLayerOff(layerName, !layerOn))
        accept();
    else
        reject();
}

void LayerWarningDialog::slotCancel()
{
    reject();
}

// Each opening starts on the safe answer, whatever button the user left
// focused last time: Return and Space then answer "No" (or "OK").
void LayerWarningDialog::showEvent(QShowEvent* event)
{
    ui->noBtn->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

} // namespace KvCc
