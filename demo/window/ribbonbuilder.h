#pragma once

#include <functional>

class QString;
class QLayout;
class QMainWindow;
class QWidget;

namespace KvCc {
class ColorComboBox;
class LayerComboBox;
class LayerControl;
class MinMaxButton;
class StackWidget;
class ViewButton;
class ViewGallery;
class ViewPortGallery;
} // namespace KvCc

namespace Demo {

class ViewportArea;

// The widgets of the ribbon its window talks to.
struct RibbonParts
{
    QWidget* panels = nullptr;
    KvCc::MinMaxButton* minMax = nullptr;
    KvCc::LayerControl* layerControl = nullptr;
    KvCc::LayerComboBox* layerCombo = nullptr;
    KvCc::StackWidget* propertyPage = nullptr;
    KvCc::ColorComboBox* colorCombo = nullptr;
    KvCc::ViewGallery* viewGallery = nullptr;
    KvCc::ViewPortGallery* portGallery = nullptr;
    KvCc::ViewButton* viewButton = nullptr;
};

// Builds the ribbon of the demo window: a dark tab strip with the fold
// buttons above three panels (layers, properties of new objects, view), in
// a fixed tool bar at the top of the window. The fold buttons hide and show
// the panels; everything else is left to the window to connect.
class RibbonBuilder
{
public:
    explicit RibbonBuilder(QMainWindow* window) : m_window(window) {}

    RibbonParts build();
    // Makes the view gallery, the view button and the viewport gallery
    // drive the area: a view picked in either control shows in the active
    // viewport and in both controls; an arrangement picked splits the area;
    // a viewport made active shows its view in both. note tells the user.
    static void connectViewControls(const RibbonParts& parts, ViewportArea* area,
                                    const std::function<void(const QString&)>& note);

private:
    QWidget* buildTabStrip(QWidget* ribbon);
    QLayout* buildLayers();
    QLayout* buildProperties();
    QLayout* buildView();

    QMainWindow* m_window;
    RibbonParts m_parts;
};

} // namespace Demo
