#include "ribbonbuilder.h"

#include "colorcombobox.h"
#include "drawingcanvas.h"
#include "layercombobox.h"
#include "layercontrol.h"
#include "linetypecombobox.h"
#include "linewidthcombobox.h"
#include "minmaxbutton.h"
#include "stackwidget.h"
#include "textstylecombobox.h"
#include "viewbutton.h"
#include "viewgallery.h"
#include "viewportarea.h"
#include "viewportgallery.h"
#include "visualstylecombobox.h"

#include <QAbstractItemView>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

namespace Demo {
namespace {

const QColor kTabGround(52, 62, 76);

// A ribbon panel: its widgets above, its caption below, a divider at the right.
QFrame* makePanel(QWidget* parent, const QString& caption, QLayout* content)
{
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::NoFrame);
    auto* outer = new QHBoxLayout(panel);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* column = new QVBoxLayout;
    column->setContentsMargins(6, 3, 6, 1);
    column->setSpacing(2);
    column->addLayout(content, 1);
    auto* label = new QLabel(caption, panel);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    QFont small = label->font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    label->setFont(small);
    QPalette muted = label->palette();
    muted.setColor(QPalette::WindowText, QColor(95, 100, 110));
    label->setPalette(muted);
    column->addWidget(label);
    outer->addLayout(column);
    auto* divider = new QFrame(panel);
    divider->setFrameShape(QFrame::VLine);
    divider->setFrameShadow(QFrame::Sunken);
    outer->addWidget(divider);
    return panel;
}

// The dark strip above the panels that holds the tab name and the fold
// buttons, whose white glyphs need a dark ground.
class RibbonTabStrip : public QFrame
{
public:
    using QFrame::QFrame;

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QPainter p(this);
        p.fillRect(rect(), kTabGround);
        QFrame::paintEvent(event);
    }
};

} // namespace

RibbonParts RibbonBuilder::build()
{
    auto* bar = new QToolBar(QStringLiteral("Ribbon"), m_window);
    bar->setObjectName(QStringLiteral("ribbonBar"));
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->toggleViewAction()->setEnabled(false);
    m_window->addToolBar(Qt::TopToolBarArea, bar);

    auto* ribbon = new QWidget(bar);
    ribbon->setObjectName(QStringLiteral("ribbon"));
    auto* ribbonLayout = new QVBoxLayout(ribbon);
    ribbonLayout->setContentsMargins(0, 0, 0, 0);
    ribbonLayout->setSpacing(0);
    ribbonLayout->addWidget(buildTabStrip(ribbon));

    m_parts.panels = new QWidget(ribbon);
    m_parts.panels->setObjectName(QStringLiteral("ribbonPanels"));
    auto* panels = new QHBoxLayout(m_parts.panels);
    panels->setContentsMargins(2, 2, 2, 2);
    panels->setSpacing(0);
    panels->addWidget(makePanel(m_parts.panels, QStringLiteral("Layers"), buildLayers()));
    panels->addWidget(makePanel(m_parts.panels, QStringLiteral("Properties"), buildProperties()));
    panels->addWidget(makePanel(m_parts.panels, QStringLiteral("View"), buildView()));
    panels->addStretch(1);
    ribbonLayout->addWidget(m_parts.panels);
    bar->addWidget(ribbon);

    QObject::connect(m_parts.minMax, &KvCc::MinMaxButton::clickedMin, m_parts.panels, &QWidget::hide);
    QObject::connect(m_parts.minMax, &KvCc::MinMaxButton::clickedNormal, m_parts.panels, &QWidget::show);
    QObject::connect(m_parts.minMax, &KvCc::MinMaxButton::clickedClosed, m_parts.panels, &QWidget::hide);
    return m_parts;
}

// The tab strip: the tab's name and the buttons that fold the ribbon.
QWidget* RibbonBuilder::buildTabStrip(QWidget* ribbon)
{
    auto* tabs = new RibbonTabStrip(ribbon);
    tabs->setObjectName(QStringLiteral("ribbonTabs"));
    QPalette dark = tabs->palette();
    dark.setColor(QPalette::Window, kTabGround);
    dark.setColor(QPalette::WindowText, QColor(235, 240, 245));
    tabs->setPalette(dark);
    auto* tabLayout = new QHBoxLayout(tabs);
    tabLayout->setContentsMargins(10, 2, 4, 2);
    auto* tabName = new QLabel(QStringLiteral("Home"), tabs);
    QFont bold = tabName->font();
    bold.setBold(true);
    tabName->setFont(bold);
    tabName->setPalette(dark);
    tabLayout->addWidget(tabName);
    tabLayout->addStretch(1);
    m_parts.minMax = new KvCc::MinMaxButton(tabs);
    tabLayout->addWidget(m_parts.minMax);
    // The strip's buttons belong to the strip's parent; on the dark ground
    // they are drawn flat, glyph only.
    for (QPushButton* button : tabs->findChildren<QPushButton*>())
        button->setFlat(true);
    return tabs;
}

QLayout* RibbonBuilder::buildLayers()
{
    auto* layers = new QVBoxLayout;
    m_parts.layerControl = new KvCc::LayerControl(m_parts.panels);
    m_parts.layerCombo = m_parts.layerControl->comboBox();
    // Layer names in a drawing run longer than the ribbon's drop-down is wide.
    m_parts.layerCombo->view()->setMinimumWidth(260);
    layers->addWidget(m_parts.layerControl);
    layers->addStretch(1);
    m_parts.propertyPage = new KvCc::StackWidget(m_parts.layerControl, m_window);
    return layers;
}

// Properties of new objects.
QLayout* RibbonBuilder::buildProperties()
{
    QWidget* parent = m_parts.panels;
    auto* props = new QGridLayout;
    props->setHorizontalSpacing(8);
    props->setVerticalSpacing(3);
    m_parts.colorCombo = new KvCc::ColorComboBox(parent);
    props->addWidget(m_parts.colorCombo, 0, 0);
    props->addWidget(new KvCc::LineTypeComboBox(parent), 1, 0);
    props->addWidget(new KvCc::LineWidthComboBox(parent), 2, 0);
    props->addWidget(new KvCc::TextStyleComboBox(parent), 0, 1);
    props->addWidget(new KvCc::VisualStyleComboBox(parent), 1, 1);
    props->setRowStretch(3, 1);
    return props;
}

QLayout* RibbonBuilder::buildView()
{
    auto* view = new QHBoxLayout;
    view->setSpacing(6);
    m_parts.viewGallery = new KvCc::ViewGallery;
    m_parts.portGallery = new KvCc::ViewPortGallery;
    view->addWidget(m_parts.viewGallery);
    view->addWidget(m_parts.portGallery);
    auto* viewButtonColumn = new QVBoxLayout;
    m_parts.viewButton = new KvCc::ViewButton(m_parts.panels);
    viewButtonColumn->addWidget(m_parts.viewButton);
    viewButtonColumn->addStretch(1);
    view->addLayout(viewButtonColumn);
    return view;
}

void RibbonBuilder::connectViewControls(const RibbonParts& parts, ViewportArea* area,
                                        const std::function<void(const QString&)>& note)
{
    // Views and arrangements go by their keys (the English names), never by
    // what the controls show, which is translated. Showing a view in the
    // controls reports no pick, so nothing comes back here.
    const auto showInControls = [parts](const QString& name) {
        parts.viewGallery->setCheckedKey(name);
        parts.viewButton->setViewName(name);
    };
    const auto showView = [area, showInControls, note](const QString& name) {
        DrawingCanvas* canvas = area->activeCanvas();
        if (!canvas || name.isEmpty())
            return;
        canvas->setView(name);
        showInControls(canvas->viewName());
        note(QStringLiteral("View: %1").arg(canvas->viewName()));
    };
    QObject::connect(parts.viewGallery, &KvCc::ViewGallery::itemPressed, area,
                     [showView, parts](JtRc::RibbonGalleryItem* item) { showView(parts.viewGallery->viewName(item)); });
    QObject::connect(parts.viewButton, &KvCc::ViewButton::viewPicked, area, showView);
    QObject::connect(parts.portGallery, &KvCc::ViewPortGallery::itemPressed, area,
                     [area, note, parts](JtRc::RibbonGalleryItem* item) {
                         if (item && area->setArrangement(parts.portGallery->arrangementName(item)))
                             note(QStringLiteral("Viewports: %1").arg(item->caption()));
                     });
    QObject::connect(area, &ViewportArea::activeCanvasChanged, area, [showInControls](DrawingCanvas* canvas) {
        if (canvas)
            showInControls(canvas->viewName());
    });
    showInControls(area->activeCanvas()->viewName());
}

} // namespace Demo
