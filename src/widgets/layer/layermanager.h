#pragma once

#include "kvcustomcontrol_export.h"

#include <QPixmap>
#include <QWidget>

class QLabel;

namespace KvCc {

class LayerTableWidget;
class SearchLayerEdit;

// The layer manager palette: the current layer's name and a search box
// above the layer table. Hosts add command buttons of their own, with the
// icons of drawIcon(), and connect them to the command slots.
class KVCUSTOMCONTROL_EXPORT LayerManager : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerManager)

public:
    enum LayerIcons { IconNew = 0, IconDelete = 1, IconCurrent = 2 };
    Q_ENUM(LayerIcons)

    explicit LayerManager(QWidget* parent = nullptr);
    ~LayerManager() override;

    QSize sizeHint() const override;
    // One glyph of the command strip, on a transparent ground.
    QPixmap drawIcon(LayerIcons icon, QSize size);
    // The layer table below the search box.
    LayerTableWidget* layerTableWidget() const { return layerTable; }

signals:
    // A layer's state was changed from the palette.
    void layerManagerChanged();

public slots:
    // Reloads the table from the drawing, keeping the search in force.
    void slotUpLayerModel();
    void slotLayerChanged();
    void slotNewLayer();
    void slotDeleteLayer();
    void slotCurrentLayer();
    void slotUpdateLineEdit(QString name);

private:
    QPixmap toolbarPixmap;
    LayerTableWidget* layerTable = nullptr;
    QLabel* currentLabel = nullptr;
    SearchLayerEdit* searchEdit = nullptr;
};

} // namespace KvCc
