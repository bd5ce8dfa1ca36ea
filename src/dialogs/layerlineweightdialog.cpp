#include "layerlineweightdialog.h"

#include "dialoghelp_p.h"
#include "lineweightlist.h"
#include "ui_layerlineweightdialog.h"

namespace KvCc {

LayerLineWeightDialog::LayerLineWeightDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_LayerLWidthDialog)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->setupUi(this);
    ui->listWidget->setIconSize(QSize(48, 16));

    // A layer has no "By Layer" or "By Block" lineweight: the list starts at
    // "Default", and its samples follow the width rule by position in this
    // shorter list, so they are thinner than in the full list.
    mmTexts = LineWeightList::mmTexts().mid(LineWeightList::DefaultRow);
    // The samples take the text color, so that they show on a dark palette too.
    const QColor ink = palette().color(QPalette::Text);
    swatches = LineWeightList::samples(mmTexts.size(), ink);
    for (int row = 0; row < mmTexts.size(); ++row) {
        const QIcon icon = LineWeightList::sampleIcon(LineWeightList::sampleWidth(row), Qt::SolidLine, ink);
        ui->listWidget->addItem(new QListWidgetItem(icon, LineWeightList::displayText(mmTexts.at(row))));
    }
    // "OK" reports the current row, so it waits until there is one.
    ui->okBtn->setEnabled(false);

    connect(ui->okBtn, &QPushButton::clicked, this, &LayerLineWeightDialog::slotAccepted);
    connect(ui->cancelBtn, &QPushButton::clicked, this, &LayerLineWeightDialog::slotCancel);
    connect(ui->helpBtn, &QPushButton::clicked, this, &LayerLineWeightDialog::slotHelp);
    connect(ui->listWidget, &QListWidget::currentRowChanged, this, &LayerLineWeightDialog::slotCurrentLabelChaged);
}

LayerLineWeightDialog::~LayerLineWeightDialog() = default;

void LayerLineWeightDialog::setCurrentLineweight(int row)
{
    ui->listWidget->setCurrentRow(row);
    const int current = ui->listWidget->currentRow();
    slotCurrentLabelChaged(current);
    if (QListWidgetItem* item = ui->listWidget->item(current))
        ui->oldLabel->setText(item->text());
}

void LayerLineWeightDialog::slotAccepted()
{
    const int row = ui->listWidget->currentRow();
    if (row < 0)
        return;
    emit layerLineWeightChanged(row);
    accept();
}

void LayerLineWeightDialog::slotCancel()
{
    reject();
}

void LayerLineWeightDialog::slotHelp()
{
    showDialogHelp(this);
}

void LayerLineWeightDialog::slotCurrentLabelChaged(int row)
{
    ui->okBtn->setEnabled(ui->listWidget->currentRow() >= 0);
    if (QListWidgetItem* item = ui->listWidget->item(row))
        ui->newLabel->setText(item->text());
}

// Each opening starts in the list, whatever button the user clicked last
// time, so that Return answers with the default button "OK".
void LayerLineWeightDialog::showEvent(QShowEvent* event)
{
    ui->listWidget->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

} // namespace KvCc
