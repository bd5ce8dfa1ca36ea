#include "linewidthcombobox.h"

#include "kvlineweightdialog.h"
#include "lineweightlist.h"

#include <QListWidget>
#include <QListWidgetItem>

namespace KvCc {

namespace {

// Rows the selector shows before its popup first opens.
constexpr int initialRowCount = 9;
constexpr int listHeight = 210;

} // namespace

LineWidthComboBox::LineWidthComboBox(QWidget* parent)
    : BaseComboBox(parent)
    , settingsDialog(std::make_unique<KvLineWeightDialog>())
{
    setItemIconSize(QSize(48, 16));
    setButtonText(tr("Lineweight settings..."));
    setFixedSize(150, 20);

    for (const QString& text : LineWeightList::mmTexts())
        mmTexts << LineWeightList::displayText(text);
    for (const QString& text : LineWeightList::inchTexts())
        inchTexts << LineWeightList::displayText(text);
    // The samples take the text color, so that they show on a dark palette too.
    swatches = LineWeightList::samples(LineWeightList::RowCount, palette().color(QPalette::Text));
    for (int row = 0; row < initialRowCount; ++row)
        addItem(swatches.at(row), mmTexts.at(row));

    setListWidgetHeight(listHeight);
    setCurrentIndex(0);

    connect(this, &BaseComboBox::addMoreItem, this, &LineWidthComboBox::slotAddMoreItem);
    connect(settingsDialog.get(), &KvLineWeightDialog::lineWeightChanged, this, &LineWidthComboBox::slotSettingsChanged);
}

LineWidthComboBox::~LineWidthComboBox() = default;

void LineWidthComboBox::slotAddMoreItem()
{
    if (moreRowsAdded)
        return;
    moreRowsAdded = true;
    // The late rows take the unit the rows already shown are labelled in.
    const QStringList& texts = isMM ? mmTexts : inchTexts;
    for (int row = initialRowCount; row < LineWeightList::RowCount; ++row)
        addItem(swatches.at(row), texts.at(row));
    setListWidgetHeight(listHeight);
}

void LineWidthComboBox::slotSettingsChanged(bool isMillimeter, int row)
{
    isMM = isMillimeter;
    chosenRow = row;
}

void LineWidthComboBox::openDialog()
{
    // The popup would otherwise stay open above the dialog and keep the mouse.
    hidePopup();
    // The dialog may choose any of the 27 rows, so all of them must be listed.
    slotAddMoreItem();

    settingsDialog->setCurrentLineweight(currentRow());
    if (settingsDialog->exec() != QDialog::Accepted) {
        BaseComboBox::openDialog();
        return;
    }

    const QStringList& texts = isMM ? mmTexts : inchTexts;
    for (int row = 0; row < texts.size(); ++row) {
        if (QListWidgetItem* entry = item(row))
            entry->setText(texts.at(row));
    }
    setCurrentIndex(chosenRow);
    BaseComboBox::openDialog();
}

} // namespace KvCc
