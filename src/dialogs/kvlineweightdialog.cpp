#include "kvlineweightdialog.h"

#include "dialoghelp_p.h"
#include "lineweightlist.h"
#include "ui_kvlineweightdialog.h"

#include <QPushButton>
#include <QStyle>

namespace KvCc {

KvLineWeightDialog::KvLineWeightDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_LineWeightDialog)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->setupUi(this);

    updateFramePixmaps();
    ui->listWidget->setIconSize(QSize(48, 16));
    ui->comboBox->setIconSize(QSize(48, 16));
    fillLists();
    fitListWidth();
    // "Ok" reports the current row, so it waits until there is one.
    ui->okBnt->setEnabled(false);

    connect(ui->mmRadioBnt, &QRadioButton::clicked, this, &KvLineWeightDialog::millimeterConvert);
    connect(ui->inRadioBnt, &QRadioButton::clicked, this, &KvLineWeightDialog::InConvert);
    connect(ui->okBnt, &QPushButton::clicked, this, &KvLineWeightDialog::slotAccepted);
    connect(ui->cancelBnt, &QPushButton::clicked, this, &KvLineWeightDialog::slotCancel);
    connect(ui->helpBnt, &QPushButton::clicked, this, &KvLineWeightDialog::slotHelp);
    connect(ui->listWidget, &QListWidget::currentRowChanged, this, &KvLineWeightDialog::slotCurrentLabelChaged);
}

KvLineWeightDialog::~KvLineWeightDialog() = default;

void KvLineWeightDialog::fillLists()
{
    for (const QString& text : LineWeightList::mmTexts())
        mmTexts << LineWeightList::displayText(text);
    for (const QString& text : LineWeightList::inchTexts())
        inchTexts << LineWeightList::displayText(text);
    // The samples take the text color, so that they show on a dark palette too.
    const QColor ink = palette().color(QPalette::Text);
    swatches = LineWeightList::samples(LineWeightList::RowCount, ink);
    for (int row = 0; row < LineWeightList::RowCount; ++row) {
        const QIcon icon = LineWeightList::sampleIcon(LineWeightList::sampleWidth(row), Qt::SolidLine, ink);
        ui->listWidget->addItem(new QListWidgetItem(icon, mmTexts.at(row)));
        if (row >= LineWeightList::FirstValueRow)
            ui->comboBox->addItem(icon, mmTexts.at(row));
    }
}

// The list is 150 pixels wide, or as wide as its widest row needs beside the
// scroll bar when the font is larger, so that no text is cut off and no
// horizontal scroll bar appears.
void KvLineWeightDialog::fitListWidth()
{
    QListWidget* list = ui->listWidget;
    const int needed = list->sizeHintForColumn(0) + 2 * list->frameWidth()
        + list->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, list);
    list->setFixedWidth(qMax(150, needed));
}

void KvLineWeightDialog::setCurrentLineweight(int row)
{
    ui->listWidget->setCurrentRow(row);
    slotCurrentLabelChaged(ui->listWidget->currentRow());
}

void KvLineWeightDialog::millimeterConvert(bool checked)
{
    if (checked)
        relabel(mmTexts);
}

void KvLineWeightDialog::InConvert(bool checked)
{
    if (checked)
        relabel(inchTexts);
}

void KvLineWeightDialog::relabel(const QStringList& texts)
{
    for (int row = 0; row < texts.size(); ++row) {
        if (QListWidgetItem* item = ui->listWidget->item(row))
            item->setText(texts.at(row));
        if (row >= LineWeightList::FirstValueRow)
            ui->comboBox->setItemText(row - LineWeightList::FirstValueRow, texts.at(row));
    }
    slotCurrentLabelChaged(ui->listWidget->currentRow());
}

void KvLineWeightDialog::slotAccepted()
{
    const int row = ui->listWidget->currentRow();
    if (row < 0)
        return;
    emit lineWeightChanged(ui->mmRadioBnt->isChecked(), row);
    accept();
}

void KvLineWeightDialog::slotCancel()
{
    reject();
}

void KvLineWeightDialog::slotHelp()
{
    showDialogHelp(this);
}

void KvLineWeightDialog::slotCurrentLabelChaged(int row)
{
    ui->okBnt->setEnabled(ui->listWidget->currentRow() >= 0);
    if (QListWidgetItem* item = ui->listWidget->item(row))
        ui->nameLabel->setText(item->text());
}

// Each opening starts in the list, whatever button the user clicked last
// time, so that Return answers with the default button "Ok".
void KvLineWeightDialog::showEvent(QShowEvent* event)
{
    updateFramePixmaps();
    ui->listWidget->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

// The document icon is shown at 20 x 20; it is scaled for the screen's pixel
// density so that it is not blown up from a 20-pixel copy on a dense screen.
void KvLineWeightDialog::updateFramePixmaps()
{
    const qreal ratio = devicePixelRatioF();
    if (qFuzzyCompare(ratio, framePixmapRatio))
        return;
    framePixmapRatio = ratio;
    QPixmap pixmap = QPixmap(QStringLiteral(":/KVRC_subChildFrame.png"));
    if (!pixmap.isNull()) {
        const int side = qRound(20 * ratio);
        pixmap = pixmap.scaled(side, side, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        pixmap.setDevicePixelRatio(ratio);
    }
    ui->pixLabel->setPixmap(pixmap);
    ui->pixLabel1->setPixmap(pixmap);
}

} // namespace KvCc
