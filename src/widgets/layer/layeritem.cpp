#include "layeritem.h"

#include "elidedlabel_p.h"
#include "kvlayerutility.h"
#include "layericons_p.h"
#include "swatchpainters.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>

namespace KvCc {

QPushButton* createLayerItemButton(QPixmap pixmap)
{
    auto* button = new QPushButton;
    button->setIcon(QIcon(pixmap));
    button->setFixedSize(pixmap.size());
    button->setIconSize(pixmap.size());
    button->setObjectName(QStringLiteral("layerItemBtn"));
    return button;
}

LayerItem::LayerItem(QWidget* parent)
    : QWidget(parent)
    , m_onPix(LayerIcons::on())
    , m_thawedPix(LayerIcons::thawed())
    , m_unlockedPix(LayerIcons::unlocked())
    , m_offPix(LayerIcons::off())
    , m_frozenPix(LayerIcons::frozen())
    , m_lockedPix(LayerIcons::locked())
{
    m_data.on = true;
    m_data.locked = false;
    m_data.frozen = false;
    m_data.color = Qt::white;
    m_data.name = QStringLiteral("layer0");

    m_nameLabel = new ElidedLabel;
    m_lightBtn = createLayerItemButton(m_onPix);
    m_freezeBtn = createLayerItemButton(m_thawedPix);
    m_lockBtn = createLayerItemButton(m_unlockedPix);
    m_colorBtn = createLayerItemButton(creatColorPix(m_data.color));

    auto* layout = new QHBoxLayout(this);
    layout->setSpacing(3);
    layout->setContentsMargins(3, 0, 0, 0);
    layout->addWidget(m_lightBtn);
    layout->addWidget(m_freezeBtn);
    layout->addWidget(m_lockBtn);
    layout->addWidget(m_colorBtn);
    layout->addWidget(m_nameLabel);
    layout->addItem(new QSpacerItem(10, 0, QSizePolicy::Minimum, QSizePolicy::Minimum));

    connect(m_lightBtn, SIGNAL(clicked()), this, SLOT(slotLightChange()));
    connect(m_freezeBtn, SIGNAL(clicked()), this, SLOT(slotFreezeStatus()));
    connect(m_lockBtn, SIGNAL(clicked()), this, SLOT(slotLockChange()));
    connect(m_colorBtn, SIGNAL(clicked()), this, SLOT(slotColorChanged()));
}

LayerItem::~LayerItem() = default;

void LayerItem::setCurrentLayer(LayerItemData data)
{
    m_data = data;
    showFlags();
    m_colorBtn->setIcon(QIcon(creatColorPix(m_data.color)));
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
    const bool wanted = !m_data.on;
    // A refused write (or a layer erased meanwhile) leaves the drawing as it
    // was; the row shows and reports what the drawing holds.
    const bool written = KvLayerUtility().setLayerOff(m_data.name, wanted);
    m_data.on = written ? wanted : !wanted;
    showFlags();
    emit statusChanged(0, m_data);
}

void LayerItem::slotFreezeStatus()
{
    const bool wanted = !m_data.frozen;
    const bool written = KvLayerUtility().setLayerFrozen(m_data.name, wanted);
    m_data.frozen = written ? wanted : !wanted;
    showFlags();
    emit statusChanged(1, m_data);
}

void LayerItem::slotLockChange()
{
    const bool wanted = !m_data.locked;
    const bool written = KvLayerUtility().setLayerLock(m_data.name, wanted);
    m_data.locked = written ? wanted : !wanted;
    showFlags();
    emit statusChanged(2, m_data);
}

void LayerItem::slotColorChanged()
{
}

void LayerItem::showFlags()
{
    m_lightBtn->setIcon(QIcon(m_data.on ? m_onPix : m_offPix));
    m_lockBtn->setIcon(QIcon(m_data.locked ? m_lockedPix : m_unlockedPix));
    m_freezeBtn->setIcon(QIcon(m_data.frozen ? m_frozenPix : m_thawedPix));
}

} // namespace KvCc
