#include "layeredit.h"

#include "elidedlabel_p.h"
#include "layericons_p.h"
#include "layersnapshotrow.h"
#include "layertexts_p.h"
#include "swatchpainters.h"

#include <QHBoxLayout>
#include <QLabel>

namespace KvCc {

namespace {

// Names a state picture by its layer and state; column and cellTrue in the
// layer table's sense.
void describeLabel(QLabel* label, int column, bool cellTrue, const QString& layer)
{
    label->setAccessibleName(LayerTexts::namedState(column, cellTrue, layer));
    label->setToolTip(LayerTexts::stateWord(column, cellTrue));
}

} // namespace

LayerEdit::LayerEdit(QWidget* parent)
    : QLineEdit(parent)
    , m_nameLabel(new ElidedLabel(this))
    , m_lightLabel(new QLabel(this))
    , m_lockLabel(new QLabel(this))
    , m_freezeLabel(new QLabel(this))
    , m_colorLabel(new QLabel(this))
    , m_onPix(LayerIcons::get().on)
    , m_thawedPix(LayerIcons::get().thawed)
    , m_unlockedPix(LayerIcons::get().unlocked)
    , m_offPix(LayerIcons::get().off)
    , m_frozenPix(LayerIcons::get().frozen)
    , m_lockedPix(LayerIcons::get().locked)
{
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(m_lightLabel);
    layout->addWidget(m_freezeLabel);
    layout->addWidget(m_lockLabel);
    layout->addWidget(m_colorLabel);
    layout->addWidget(m_nameLabel);
    layout->addStretch();
}

LayerEdit::~LayerEdit() = default;

void LayerEdit::setCurrentLayer(LayerItemData data)
{
    for (int code = LayerOnChanged; code <= LayerNameChanged; ++code)
        setLabelChange(code, data);
}

void LayerEdit::setLabelChange(int code, LayerItemData data)
{
    // Each code also refreshes the pictures after it, as a change of one flag
    // may come with a record whose later flags changed too.
    switch (code) {
    case LayerOnChanged:
        m_lightLabel->setPixmap(data.on ? m_onPix : m_offPix);
        describeLabel(m_lightLabel, OnColumn, data.on, data.name);
        Q_FALLTHROUGH();
    case LayerFreezeChanged:
        m_freezeLabel->setPixmap(data.frozen ? m_frozenPix : m_thawedPix);
        describeLabel(m_freezeLabel, FreezeColumn, !data.frozen, data.name);
        Q_FALLTHROUGH();
    case LayerLockChanged:
        m_lockLabel->setPixmap(data.locked ? m_lockedPix : m_unlockedPix);
        describeLabel(m_lockLabel, LockColumn, !data.locked, data.name);
        break;
    case LayerColorChanged:
        m_colorLabel->setPixmap(creatColorPix(data.color));
        break;
    case LayerNameChanged:
        m_nameLabel->setText(data.name);
        m_nameLabel->setToolTip(data.name);
        setAccessibleName(tr("Current layer: %1").arg(data.name));
        break;
    default:
        break;
    }
}

void LayerEdit::clearLayer()
{
    m_lightLabel->clear();
    m_freezeLabel->clear();
    m_lockLabel->clear();
    m_colorLabel->clear();
    m_nameLabel->clear();
    m_nameLabel->setToolTip(QString());
    setAccessibleName(QString());
    for (QLabel* label : {m_lightLabel, m_freezeLabel, m_lockLabel}) {
        label->setAccessibleName(QString());
        label->setToolTip(QString());
    }
}


QString LayerEdit::layerName() const
{
    return m_nameLabel->text();
}

} // namespace KvCc
