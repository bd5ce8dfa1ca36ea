#pragma once

#include "kvcustomcontrol_export.h"
#include "layeritemdata.h"

#include <QPixmap>
#include <QWidget>

class QLabel;
class QPushButton;

namespace KvCc {

/// Makes one of the small picture buttons of a layer row: parentless, exactly
/// as large as the picture, named "layerItemBtn".
KVCUSTOMCONTROL_EXPORT QPushButton* createLayerItemButton(QPixmap pixmap);

/// One layer in the popup of the ribbon's layer drop-down: on/off, freeze and
/// lock toggles, the color swatch and the name. A toggle writes the flag into
/// the drawing at once and reports the row's new state with statusChanged().
class KVCUSTOMCONTROL_EXPORT LayerItem : public QWidget
{
    Q_OBJECT

public:
    /// Builds an empty row; setCurrentLayer() shows a layer.
    explicit LayerItem(QWidget* parent = nullptr);
    ~LayerItem() override;

    /// Stores the record and shows it.
    void setCurrentLayer(LayerItemData data);
    /// The stored record, with the full name.
    LayerItemData currentLayerData() const;
    /// The name as the label shows it.
    QString layerName() const;
    /// Shows a name, cut to nine characters and "..." when it has eleven or
    /// more; the stored record keeps its name.
    void setLayerName(QString name);

signals:
    /// code: a LayerChangeCode (on, freeze or lock); data: the row's state after the write.
    void statusChanged(int code, LayerItemData data);

public slots:
    /// The on/off toggle: switches the layer in the drawing.
    void slotLightChange();
    /// The freeze toggle: freezes or thaws the layer in the drawing.
    void slotFreezeStatus();
    /// The lock toggle: locks or unlocks the layer in the drawing.
    void slotLockChange();
    /// The swatch only shows the color; clicking it changes nothing.
    void slotColorChanged();

private:
    Q_DISABLE_COPY(LayerItem)

    void showFlags();
    // Flips flag, the record's state shown in column, in the drawing.
    void toggleFlag(bool& flag, int column, LayerChangeCode code);

    LayerItemData m_data;
    QLabel* m_nameLabel = nullptr;
    QPushButton* m_lightBtn = nullptr;
    QPushButton* m_freezeBtn = nullptr;
    QPushButton* m_lockBtn = nullptr;
    QPushButton* m_colorBtn = nullptr;
    QPixmap m_onPix;
    QPixmap m_thawedPix;
    QPixmap m_unlockedPix;
    QPixmap m_offPix;
    QPixmap m_frozenPix;
    QPixmap m_lockedPix;
};

} // namespace KvCc
