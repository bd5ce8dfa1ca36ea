#include "layermanager.h"

#include "keyedpixmap.h"
#include "layerstatesdialog.h"
#include "layertablewidget.h"
#include "searchlayeredit.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>
#include <QVBoxLayout>

namespace KvCc {

namespace {

// The stack of layers with a spark from the layer-state strip: 16 x 16 glyphs side by side.
QIcon layerStatesIcon()
{
    const int glyph = 12;
    return QIcon(loadKeyedPixmap(QStringLiteral(":/IDB_LSTATE_RES.bmp")).copy(glyph * 16, 0, 16, 16));
}

} // namespace

LayerManager::LayerManager(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("Layer Manager"));
    setWindowTitle(tr("Layer Manager"));

    toolbarPixmap = loadKeyedPixmap(QStringLiteral(":/layertoolbar.bmp"));

    currentLabel = new QLabel(tr("Current layer: %1").arg(QStringLiteral("0")));
    currentLabel->setFixedHeight(20);
    searchEdit = new SearchLayerEdit();
    searchEdit->setFixedHeight(20);

    auto* topRow = new QWidget();
    auto* topLayout = new QHBoxLayout(topRow);
    topLayout->setSpacing(20);
    topLayout->setContentsMargins(0, 0, 0, 0);
    topLayout->addWidget(currentLabel);
    topLayout->addWidget(searchEdit);
    // Hidden until a host gives a store, so the row stays as it was for hosts without states.
    statesButton = new QToolButton();
    statesButton->setObjectName(QStringLiteral("layerStatesBtn"));
    statesButton->setAutoRaise(true);
    statesButton->setIcon(layerStatesIcon());
    statesButton->setFixedSize(20, 20);
    statesButton->setToolTip(tr("Layer States"));
    statesButton->hide();
    topLayout->addWidget(statesButton);

    layerTable = new LayerTableWidget();

    auto* layout = new QVBoxLayout(this);
    layout->setSpacing(1);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->addWidget(topRow);
    layout->addWidget(layerTable);
    setContentsMargins(0, 0, 0, 0);

    connect(layerTable, &LayerTableWidget::updateCurretnLayer, this, &LayerManager::slotUpdateLineEdit);
    connect(searchEdit, &SearchLayerEdit::searchTextChanged, layerTable, &LayerTableWidget::slotSearchLayer);
    connect(layerTable, &LayerTableWidget::updateLayerCombo, this, &LayerManager::slotLayerChanged);
    connect(statesButton, &QToolButton::clicked, this, &LayerManager::slotLayerStates);
}

LayerManager::~LayerManager() = default;

QSize LayerManager::sizeHint() const
{
    return QSize(300, 500);
}

QPixmap LayerManager::drawIcon(LayerIcons icon, QSize size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.drawPixmap(0, 0, toolbarPixmap, 1 + icon * (size.width() + 1), 0, size.width(), size.height());
    painter.end();
    return pixmap;
}

void LayerManager::slotUpLayerModel()
{
    if (!layerTable)
        return;
    layerTable->InitLayerModel();
    // A reload shows every row; the pattern still in the box applies again.
    if (!searchEdit->text().isEmpty())
        layerTable->slotSearchLayer(searchEdit->text());
}

void LayerManager::slotLayerChanged()
{
    emit layerManagerChanged();
}

void LayerManager::slotNewLayer()
{
    layerTable->addLayer();
}

void LayerManager::slotDeleteLayer()
{
    layerTable->remove();
}

void LayerManager::slotCurrentLayer()
{
    layerTable->setCurrentLayer();
}

void LayerManager::slotUpdateLineEdit(QString name)
{
    currentLabel->setText(tr("Current layer: %1").arg(name));
}

void LayerManager::setLayerStateStore(LayerStateStore* store)
{
    stateStore = store;
    statesButton->setVisible(store != nullptr);
    if (statesDialog)
        statesDialog->setStore(store);
}

void LayerManager::slotLayerStates()
{
    if (!stateStore)
        return;
    if (!statesDialog) {
        statesDialog = new LayerStatesDialog(this);
        connect(statesDialog, &LayerStatesDialog::stateRestored, this, [this] {
            slotUpLayerModel();
            emit layerManagerChanged();
        });
    }
    statesDialog->setStore(stateStore);
    statesDialog->exec();
}

} // namespace KvCc
