#include "layerstatesdialog.h"

#include "ui_layerstatesdialog.h"

#include <dkedsysvar.h>

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QSaveFile>

namespace KvCc {

namespace {

// The most that LayerState::fromJson() takes.
const qint64 maxImportBytes = 64 * 1024 * 1024;
// Refusals listed in the message box; the rest are counted.
const int maxListedRefusals = 20;

QString fileFilter()
{
    return LayerStatesDialog::tr("Layer state files (*.json)");
}

} // namespace

LayerStatesDialog::LayerStatesDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui_LayerStatesDialog)
{
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    ui->setupUi(this);

    connect(ui->stateList, &QTreeWidget::itemSelectionChanged, this, &LayerStatesDialog::updateButtons);
    connect(ui->stateList, &QTreeWidget::itemDoubleClicked, this, &LayerStatesDialog::slotRestore);
    connect(ui->newBtn, &QPushButton::clicked, this, &LayerStatesDialog::slotNew);
    connect(ui->restoreBtn, &QPushButton::clicked, this, &LayerStatesDialog::slotRestore);
    connect(ui->renameBtn, &QPushButton::clicked, this, &LayerStatesDialog::slotRename);
    connect(ui->deleteBtn, &QPushButton::clicked, this, &LayerStatesDialog::slotDelete);
    connect(ui->exportBtn, &QPushButton::clicked, this, &LayerStatesDialog::slotExport);
    connect(ui->importBtn, &QPushButton::clicked, this, &LayerStatesDialog::slotImport);
    connect(ui->closeBtn, &QPushButton::clicked, this, &QDialog::accept);
    updateButtons();
}

LayerStatesDialog::~LayerStatesDialog() = default;

void LayerStatesDialog::setStore(LayerStateStore* store)
{
    m_store = store;
    slotRefresh();
}

LayerState::Properties LayerStatesDialog::restoreProperties() const
{
    const std::pair<QCheckBox*, LayerState::Property> boxes[] = {
        {ui->onCheck, LayerState::On},
        {ui->frozenCheck, LayerState::Frozen},
        {ui->lockedCheck, LayerState::Locked},
        {ui->plotCheck, LayerState::Plot},
        {ui->newViewportCheck, LayerState::NewViewportFrozen},
        {ui->colorCheck, LayerState::Color},
        {ui->linetypeCheck, LayerState::Linetype},
        {ui->lineweightCheck, LayerState::Lineweight},
        {ui->currentCheck, LayerState::CurrentLayer},
    };
    LayerState::Properties which;
    for (const auto& box : boxes) {
        if (box.first->isChecked())
            which |= box.second;
    }
    return which;
}

QString LayerStatesDialog::selectedState() const
{
    const QList<QTreeWidgetItem*> items = ui->stateList->selectedItems();
    return items.isEmpty() ? QString() : items.first()->text(0);
}

void LayerStatesDialog::slotRefresh()
{
    const QString selected = selectedState();
    ui->stateList->clear();
    const QStringList names = m_store ? m_store->stateNames() : QStringList();
    for (const QString& name : names) {
        LayerState state;
        m_store->loadState(name, state);
        new QTreeWidgetItem(ui->stateList, {name, state.description});
    }
    ui->stateList->resizeColumnToContents(0);
    selectState(selected);
    updateButtons();
}

void LayerStatesDialog::selectState(const QString& name)
{
    const QList<QTreeWidgetItem*> found = ui->stateList->findItems(name, Qt::MatchFixedString);
    if (!name.isEmpty() && !found.isEmpty())
        ui->stateList->setCurrentItem(found.first());
}

void LayerStatesDialog::updateButtons()
{
    const bool selected = !selectedState().isEmpty();
    ui->newBtn->setEnabled(m_store);
    ui->importBtn->setEnabled(m_store);
    for (QPushButton* button : {ui->restoreBtn, ui->renameBtn, ui->deleteBtn, ui->exportBtn})
        button->setEnabled(m_store && selected);
}

void LayerStatesDialog::warn(const QString& text)
{
    QMessageBox::warning(this, windowTitle(), text);
}

// Asks for a name, and a description when one is passed; false when cancelled.
bool LayerStatesDialog::askName(const QString& title, QString& name, QString* description)
{
    QDialog prompt(this);
    prompt.setObjectName(QStringLiteral("layerStatePrompt"));
    prompt.setWindowTitle(title);
    auto* form = new QFormLayout(&prompt);
    auto* nameEdit = new QLineEdit(name, &prompt);
    nameEdit->setObjectName(QStringLiteral("nameEdit"));
    nameEdit->setMaxLength(255);
    form->addRow(tr("Name:"), nameEdit);
    QLineEdit* descriptionEdit = nullptr;
    if (description) {
        descriptionEdit = new QLineEdit(*description, &prompt);
        descriptionEdit->setObjectName(QStringLiteral("descriptionEdit"));
        form->addRow(tr("Description:"), descriptionEdit);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &prompt);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &prompt, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &prompt, &QDialog::reject);
    if (prompt.exec() != QDialog::Accepted)
        return false;
    name = nameEdit->text().trimmed();
    if (description)
        *description = descriptionEdit->text();
    if (name.isEmpty())
        warn(tr("A layer state needs a name."));
    return !name.isEmpty();
}

// True when no state but the one named except holds the name (case-blind).
bool LayerStatesDialog::nameIsFree(const QString& name, const QString& except) const
{
    for (const QString& taken : m_store->stateNames()) {
        if (taken.compare(name, Qt::CaseInsensitive) == 0 && taken.compare(except, Qt::CaseInsensitive) != 0)
            return false;
    }
    return true;
}

// Saves the state, asking first when it would replace another; true when saved.
bool LayerStatesDialog::saveAsked(const LayerState& state)
{
    if (!nameIsFree(state.name, QString())
        && QMessageBox::question(this, windowTitle(), tr("A layer state named %1 exists already. Replace it?").arg(state.name))
            != QMessageBox::Yes)
        return false;
    const QString error = m_store->saveState(state);
    if (!error.isEmpty())
        warn(error);
    slotRefresh();
    selectState(state.name);
    return error.isEmpty();
}

void LayerStatesDialog::slotNew()
{
    QString name, description;
    if (!m_store || !askName(tr("New Layer State"), name, &description))
        return;
    const LayerState state = LayerState::capture(name, description);
    // Without a drawing the capture is empty, and restoring it could only switch layers off.
    if (state.layers.isEmpty())
        return warn(tr("There is no drawing whose layers could be saved."));
    saveAsked(state);
}

void LayerStatesDialog::slotRestore()
{
    LayerState state;
    if (!m_store || !m_store->loadState(selectedState(), state))
        return;
    const LayerState::RestoreResult result = state.restore(restoreProperties(), ui->offOthersCheck->isChecked());
    // One notice for the whole restore, however many layers it changed.
    if (!result.changedLayers.isEmpty() || result.currentChanged)
        kvSetLayerTableChanges();
    emit stateRestored(state.name);
    if (!result.refused.isEmpty())
        showRefusals(state.name, result.refused);
}

void LayerStatesDialog::showRefusals(const QString& name, const QStringList& refused)
{
    QStringList lines = refused.mid(0, maxListedRefusals);
    if (refused.size() > maxListedRefusals)
        lines << tr("... and %1 more.").arg(refused.size() - maxListedRefusals);
    QMessageBox box(QMessageBox::Warning, windowTitle(),
                    tr("The layer state %1 was restored, but the drawing refused some changes:").arg(name),
                    QMessageBox::Ok, this);
    box.setInformativeText(lines.join(QLatin1Char('\n')));
    box.exec();
}

void LayerStatesDialog::slotRename()
{
    const QString oldName = selectedState();
    QString name = oldName;
    if (!m_store || oldName.isEmpty() || !askName(tr("Rename Layer State"), name, nullptr) || name == oldName)
        return;
    const QString error = nameIsFree(name, oldName) ? m_store->renameState(oldName, name)
                                                    : tr("A layer state named %1 exists already.").arg(name);
    if (!error.isEmpty())
        return warn(error);
    slotRefresh();
    selectState(name);
}

void LayerStatesDialog::slotDelete()
{
    const QString name = selectedState();
    if (!m_store || name.isEmpty()
        || QMessageBox::question(this, windowTitle(), tr("Delete the layer state %1?").arg(name)) != QMessageBox::Yes)
        return;
    const QString error = m_store->removeState(name);
    if (!error.isEmpty())
        warn(error);
    slotRefresh();
}

void LayerStatesDialog::slotExport()
{
    LayerState state;
    if (!m_store || !m_store->loadState(selectedState(), state))
        return;
    const QString path = QFileDialog::getSaveFileName(this, tr("Export Layer State"), state.name + QStringLiteral(".json"),
                                                      fileFilter());
    if (path.isEmpty())
        return;
    // A device or a folder under that name would take the bytes and keep nothing.
    if (QFileInfo::exists(path) && !QFileInfo(path).isFile())
        return warn(tr("%1 is not a regular file.").arg(path));
    QSaveFile file(path);
    const QByteArray json = state.toJson();
    if (!file.open(QIODevice::WriteOnly) || file.write(json) != json.size() || !file.commit())
        warn(tr("The layer state could not be written to %1: %2").arg(path, file.errorString()));
}

void LayerStatesDialog::slotImport()
{
    if (!m_store)
        return;
    const QString path = QFileDialog::getOpenFileName(this, tr("Import Layer State"), QString(),
                                                      fileFilter());
    if (path.isEmpty())
        return;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return warn(tr("%1 could not be read.").arg(path));
    // One byte past what a state may hold is enough for fromJson() to refuse
    // a larger file, which is never read whole.
    const QByteArray data = file.read(maxImportBytes + 1);
    LayerState state;
    QString error;
    if (file.error() != QFileDevice::NoError)
        error = file.errorString();
    else
        LayerState::fromJson(data, state, &error);
    if (!error.isEmpty())
        return warn(tr("%1 could not be imported: %2").arg(path, error));
    saveAsked(state);
}

} // namespace KvCc
