#include "layeritem.h"

#include "elidedlabel_p.h"
#include "layericons_p.h"
#include "layeritemmetrics_p.h"
#include "layersnapshotrow.h"
#include "layerstate_p.h"
#include "layertexts_p.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>

namespace KvCc {

namespace {

// A picture button of fixed size. QPushButton measures a sample text for
// its size hint even when it has no text; these buttons never grow past
// their picture, so their hints are the picture's size.
class PictureButton : public QPushButton
{
public:
    explicit PictureButton(QWidget* parent)
        : QPushButton(parent)
    {
    }

    QSize sizeHint() const override { return iconSize(); }
    QSize minimumSizeHint() const override { return iconSize(); }
};

// Configures a picture button; the row makes its buttons in place, which
// spares moving each into the row afterwards.
QPushButton* makeButton(const QPixmap& pixmap, const QIcon& icon, QWidget* parent)
{
    QPushButton* button = new PictureButton(parent);
    button->setIcon(icon);
    button->setFixedSize(pixmap.size());
    button->setIconSize(pixmap.size());
    button->setObjectName(QStringLiteral("layerItemBtn"));
    return button;
}

// Names a toggle by its layer and state, and says what a click does;
// column and cellTrue in the layer table's sense.
void describeButton(QPushButton* button, int column, bool cellTrue, const QString& layer)
{
    const QString action = LayerTexts::stateAction(column, cellTrue, layer);
    button->setAccessibleName(LayerTexts::namedState(column, cellTrue, layer));
    button->setAccessibleDescription(action);
    button->setToolTip(action);
}

} // namespace

QPushButton* createLayerItemButton(QPixmap pixmap)
{
    return makeButton(pixmap, QIcon(pixmap), nullptr);
}

LayerItem::LayerItem(QWidget* parent)
    : QWidget(parent)
    , m_onPix(LayerIcons::get().on)
    , m_thawedPix(LayerIcons::get().thawed)
    , m_unlockedPix(LayerIcons::get().unlocked)
    , m_offPix(LayerIcons::get().off)
    , m_frozenPix(LayerIcons::get().frozen)
    , m_lockedPix(LayerIcons::get().locked)
{
    m_data.on = true;
    m_data.locked = false;
    m_data.frozen = false;
    m_data.color = Qt::white;
    m_data.name = QStringLiteral("layer0");

    const LayerIcons& icons = LayerIcons::get();
    m_nameLabel = new ElidedLabel(this, false);
    m_lightBtn = makeButton(m_onPix, icons.onIcon, this);
    m_freezeBtn = makeButton(m_thawedPix, icons.thawedIcon, this);
    m_lockBtn = makeButton(m_unlockedPix, icons.unlockedIcon, this);
    m_colorBtn = makeButton(layerSwatch(m_data.color), layerSwatchIcon(m_data.color), this);

    auto* layout = new QHBoxLayout(this);
    layout->setSpacing(LayerItemMetrics::spacing);
    layout->setContentsMargins(LayerItemMetrics::leftMargin, 0, 0, 0);
    layout->addWidget(m_lightBtn);
    layout->addWidget(m_freezeBtn);
    layout->addWidget(m_lockBtn);
    layout->addWidget(m_colorBtn);
    layout->addWidget(m_nameLabel);
    layout->addItem(new QSpacerItem(LayerItemMetrics::trailingSpace, 0, QSizePolicy::Minimum,
                                    QSizePolicy::Minimum));

    connect(m_lightBtn, &QAbstractButton::clicked, this, &LayerItem::slotLightChange);
    connect(m_freezeBtn, &QAbstractButton::clicked, this, &LayerItem::slotFreezeStatus);
    connect(m_lockBtn, &QAbstractButton::clicked, this, &LayerItem::slotLockChange);
    connect(m_colorBtn, &QAbstractButton::clicked, this, &LayerItem::slotColorChanged);
}

LayerItem::~LayerItem() = default;

void LayerItem::setCurrentLayer(LayerItemData data)
{
    m_data = data;
    showFlags();
    m_colorBtn->setIcon(layerSwatchIcon(m_data.color));
    m_colorBtn->setAccessibleName(tr("Color of %1").arg(m_data.name));
    m_nameLabel->setText(m_data.name);
    m_nameLabel->setToolTip(m_data.name);
    update();
}

LayerItemData LayerItem::currentLayerData() const
{
    return m_data;
}

QString LayerItem::layerName() const
{
    return m_nameLabel->text();
}

void LayerItem::setLayerName(QString name)
{
    // Counted in characters, not UTF-16 units, so a cut never splits one.
    const QVector<uint> characters = name.toUcs4();
    if (characters.size() >= 11)
        name = QString::fromUcs4(characters.constData(), 9) + QStringLiteral("...");
    m_nameLabel->setText(name);
}

void LayerItem::slotLightChange()
{
    toggleFlag(m_data.on, OnColumn, LayerOnChanged);
}

void LayerItem::slotFreezeStatus()
{
    toggleFlag(m_data.frozen, FreezeColumn, LayerFreezeChanged);
}

void LayerItem::slotLockChange()
{
    toggleFlag(m_data.locked, LockColumn, LayerLockChanged);
}

// A refused write (or a layer erased meanwhile) leaves the drawing as it
// was; the row shows and reports what the drawing holds.
void LayerItem::toggleFlag(bool& flag, int column, LayerChangeCode code)
{
    // The columns show on, thawed and unlocked; the record holds on, frozen and locked.
    const bool shown = column == OnColumn ? flag : !flag;
    if (writeLayerColumnState(m_data.name, column, !shown))
        flag = !flag;
    showFlags();
    emit statusChanged(code, m_data);
}

void LayerItem::slotColorChanged()
{
}

void LayerItem::showFlags()
{
    // The shared icons are made of the same pictures this row holds.
    const LayerIcons& icons = LayerIcons::get();
    m_lightBtn->setIcon(m_data.on ? icons.onIcon : icons.offIcon);
    m_lockBtn->setIcon(m_data.locked ? icons.lockedIcon : icons.unlockedIcon);
    m_freezeBtn->setIcon(m_data.frozen ? icons.frozenIcon : icons.thawedIcon);
    // The buttons are pictures only: their names say the layer and the state.
    describeButton(m_lightBtn, OnColumn, m_data.on, m_data.name);
    describeButton(m_freezeBtn, FreezeColumn, !m_data.frozen, m_data.name);
    describeButton(m_lockBtn, LockColumn, !m_data.locked, m_data.name);
}

} // namespace KvCc
