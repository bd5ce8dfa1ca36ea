#pragma once

#include "kvcustomcontrol_export.h"
#include "layeritemdata.h"

#include <QLineEdit>
#include <QPixmap>

class QLabel;

namespace KvCc {

/// The closed face of the ribbon's layer drop-down: a read-only line edit that
/// shows one layer's on/off, freeze and lock pictures, color swatch and name.
class KVCUSTOMCONTROL_EXPORT LayerEdit : public QLineEdit
{
    Q_OBJECT

public:
    /// Builds an empty, read-only face.
    explicit LayerEdit(QWidget* parent = nullptr);
    ~LayerEdit() override;

    /// Shows every part of the record.
    void setCurrentLayer(LayerItemData data);
    /// Refreshes the parts a change (a LayerChangeCode) touched: on/off (and
    /// freeze, lock), freeze (and lock), lock, color or name. Other codes do nothing.
    void setLabelChange(int code, LayerItemData data);
    /// Shows no layer at all, for when there is no drawing.
    void clearLayer();

    /// The full name the face shows.
    QString layerName() const;

private:
    Q_DISABLE_COPY(LayerEdit)

    QLabel* m_nameLabel = nullptr;
    QLabel* m_lightLabel = nullptr;
    QLabel* m_lockLabel = nullptr;
    QLabel* m_freezeLabel = nullptr;
    QLabel* m_colorLabel = nullptr;
    QPixmap m_onPix;
    QPixmap m_thawedPix;
    QPixmap m_unlockedPix;
    QPixmap m_offPix;
    QPixmap m_frozenPix;
    QPixmap m_lockedPix;
};

} // namespace KvCc
