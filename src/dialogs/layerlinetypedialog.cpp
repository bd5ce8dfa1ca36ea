#include "layerlinetypedialog.h"

#include "swatchpainters.h"
#include "ui_layerlinetypedialog.h"

#include <QMessageBox>
#include <QPainter>

namespace KvCc {

namespace {

// The linetype sample with a rendition at twice the density beside the
// painter's 48 x 16 picture, so the line stays sharp on dense screens.
QIcon lineTypeIcon(Qt::PenStyle style)
{
    QIcon icon(drawLineType(style));
    QPixmap dense(96, 32);
    dense.setDevicePixelRatio(2.0);
    dense.fill(Qt::transparent);
    QPainter painter(&dense);
    painter.setPen(QPen(QBrush(Qt::black, Qt::SolidPattern), 1, style, Qt::SquareCap, Qt::BevelJoin));
    painter.drawLine(QLine(4, 9, 41, 9));
    painter.end();
    icon.addPixmap(dense);
    return icon;
}

} // namespace

LayerLineTypeDialog::LayerLineTypeDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_LayerLTypeDialog)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->setupUi(this);

    QTableWidget* table = ui->tableWidget;
    table->setHorizontalHeaderLabels(
        {QStringLiteral("LineType"), QStringLiteral("Appearance"), QStringLiteral("Description")});
    table->insertRow(0);
    table->setIconSize(QSize(48, 16));
    table->setItem(0, 0, new QTableWidgetItem(QStringLiteral("Continuous")));
    table->setItem(0, 1, new QTableWidgetItem(lineTypeIcon(Qt::SolidLine), QString()));
    table->setItem(0, 2, new QTableWidgetItem(QStringLiteral("Solid Line")));

    connect(ui->okbtn, SIGNAL(clicked()), this, SLOT(slotAccepted()));
    connect(ui->cancelBtn, SIGNAL(clicked()), this, SLOT(slotCancel()));
    connect(ui->helpBtn, SIGNAL(clicked()), this, SLOT(slotHelp()));
}

LayerLineTypeDialog::~LayerLineTypeDialog()
{
    delete ui;
}

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
    QMessageBox::information(this, QStringLiteral("help"), QStringLiteral("Vantor help  doc!"));
}

// Each opening starts in the table, whatever button the user clicked last
// time, so that Return answers with the default button "OK".
void LayerLineTypeDialog::showEvent(QShowEvent* event)
{
    ui->tableWidget->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

} // namespace KvCc
