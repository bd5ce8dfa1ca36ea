#include "widgetcollection.h"

#include "widgetfactory.h"

#include "colorcombobox.h"
#include "customcontrol.h"
#include "layercombobox.h"
#include "layercontrol.h"
#include "layermanager.h"
#include "layertablewidget.h"
#include "linetypecombobox.h"
#include "linewidthcombobox.h"
#include "minmaxbutton.h"
#include "propertymanager.h"
#include "qkvcolorcombobox.h"
#include "searchlayeredit.h"
#include "textstylecombobox.h"
#include "viewbutton.h"
#include "visualstylecombobox.h"

namespace KvCc {

namespace {

template <class W>
QWidget* make(QWidget* parent)
{
    return new W(parent);
}

// The widgets a form can hold. Left out: the galleries, whose constructors
// take no parent (the host puts them into its ribbon), the floating page
// that needs its LayerControl, and the parts the widgets below are built of.
const WidgetEntry widgetTable[] = {
    {"KvCc::LayerControl", "layercontrol.h", ":/KVRC_subChildFrame.png",
     "Ribbon layer row: layer button, layer drop-down and fold button", {260, 26}, make<LayerControl>},
    {"KvCc::LayerComboBox", "layercombobox.h", ":/core_ccvon.bmp",
     "Layer drop-down: shows the current layer, toggles on, freeze and lock", {200, 24}, make<LayerComboBox>},
    {"KvCc::CustomControl", "customcontrol.h", ":/core_ccthw.bmp",
     "Frameless holder of one layer drop-down", {200, 26}, make<CustomControl>},
    {"KvCc::LayerManager", "layermanager.h", ":/IDB_LSTATE_CURRENT.png",
     "Layer manager palette: current layer, search box and layer table", {640, 360}, make<LayerManager>},
    {"KvCc::LayerTableWidget", "layertablewidget.h", ":/core_cculk.bmp",
     "Layer table of the palette, with fixed name column and column menu", {600, 300}, make<LayerTableWidget>},
    {"KvCc::SearchLayerEdit", "searchlayeredit.h", ":/IDB_LAYER_SEARCH.bmp",
     "Search box for layer names", {160, 22}, make<SearchLayerEdit>},
    {"KvCc::PropertyManager", "propertymanager.h", ":/core_ccvthw.bmp",
     "Property page: color, lineweight and linetype selectors", {220, 80}, make<PropertyManager>},
    {"KvCc::MinMaxButton", "minmaxbutton.h", ":/KvLayer_SearchClose.bmp",
     "Minimize, restore and close buttons for a caption area", {60, 20}, make<MinMaxButton>},
    {"KvCc::ColorComboBox", "colorcombobox.h", ":/Gouraud+Edge.bmp",
     "Plain color selector with the seven standard colors", {140, 22}, make<ColorComboBox>},
    {"KvCc::QKvColorComboBox", "qkvcolorcombobox.h", ":/Flat.bmp",
     "Color selector with swatches, By Layer and By Block", {160, 22}, make<QKvColorComboBox>},
    {"KvCc::LineTypeComboBox", "linetypecombobox.h", ":/2d_LineFrame.bmp",
     "Linetype selector with line samples", {160, 22}, make<LineTypeComboBox>},
    {"KvCc::LineWidthComboBox", "linewidthcombobox.h", ":/3d_LineFrame.bmp",
     "Lineweight selector with sample bars", {160, 22}, make<LineWidthComboBox>},
    {"KvCc::TextStyleComboBox", "textstylecombobox.h", ":/3d_Hide.bmp",
     "Text style selector with previews", {160, 22}, make<TextStyleComboBox>},
    {"KvCc::VisualStyleComboBox", "visualstylecombobox.h", ":/Grouraud.bmp",
     "Visual style selector with thumbnails", {160, 22}, make<VisualStyleComboBox>},
    {"KvCc::ViewButton", "viewbutton.h", ":/core_ccvfrz.bmp",
     "Button naming the current standard view, with a menu of views", {80, 22}, make<ViewButton>},
};

} // namespace

WidgetCollection::WidgetCollection(QObject* parent)
    : QObject(parent)
{
    for (const WidgetEntry& entry : widgetTable)
        factories.append(new WidgetFactory(entry, this));
}

WidgetCollection::~WidgetCollection() = default;

QList<QDesignerCustomWidgetInterface*> WidgetCollection::customWidgets() const
{
    return factories;
}

} // namespace KvCc
