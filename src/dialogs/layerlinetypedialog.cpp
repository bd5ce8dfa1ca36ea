#include "layerlinetypedialog.h"

#include "dialoghelp_p.h"
#include "lineweightlist.h"
#include "ui_layerlinetypedialog.h"

namespace KvCc {

LayerLineTypeDialog::LayerLineTypeDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_LayerLTypeDialog)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->setupUi(this);

    QTableWidget* table = ui->tableWidget;
    table->setHorizontalHeaderLabels(
        {tr("LineType"), tr("Appearance"), tr("Description")});
    table->insertRow(0);
    table->setIconSize(QSize(48, 16));
    table->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Continuous")));
    // The sample takes the text color, so that it shows on a dark palette too.
    const QIcon sample = LineWeightList::sampleIcon(1, Qt::SolidLine, palette().color(QPalette::Text));
    table->setItem(0, 1, new QTableWidgetItem(sample, QString()));
    table->setItem(0, 2, new QTableWidgetItem(tr("Solid Line")));
    // Name and sample columns fit their headers and cells; the description
    // takes the rest of the width. The only linetype is shown as the chosen one.
    table->resizeColumnsToContents();
    table->selectRow(0);

    connect(ui->okbtn, &QPushButton::clicked, this, &LayerLineTypeDialog::slotAccepted);
    connect(ui->cancelBtn, &QPushButton::clicked, this, &LayerLineTypeDialog::slotCancel);
    connect(ui->helpBtn, &QPushButton::clicked, this, &LayerLineTypeDialog::slotHelp);
}

LayerLineTypeDialog::~LayerLineTypeDialog() = default;

void LayerLineTypeDialog::slotAccepted()
{
    accept();
}

void LayerLineTypeDialog::slotCancel()
{
    reject();
}

void LayerLineTypeDialog::slotHelp()
{
    showDialogHelp(this);
}

// Each opening starts in the table, whatever button the user clicked last
// time, so that Return answers with the default button "OK".
void LayerLineTypeDialog::showEvent(QShowEvent* event)
{
    ui->tableWidget->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

} // namespace KvCc
