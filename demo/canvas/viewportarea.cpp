#include "viewportarea.h"

#include "drawingcanvas.h"

#include <QGridLayout>

namespace Demo {
namespace {

// Where a viewport sits in the area's grid.
struct Cell
{
    int row, column, rowSpan, columnSpan;
};

struct Arrangement
{
    const char* name;
    QVector<Cell> cells;
};

// The arrangements of the viewport gallery; the first cell is the main one.
const QVector<Arrangement>& arrangements()
{
    static const QVector<Arrangement> table = {
        {"Single", {{0, 0, 1, 1}}},
        {"Two:Vertical", {{0, 0, 1, 1}, {0, 1, 1, 1}}},
        {"Two:Horizontal", {{0, 0, 1, 1}, {1, 0, 1, 1}}},
        {"Three:Right", {{0, 1, 2, 1}, {0, 0, 1, 1}, {1, 0, 1, 1}}},
        {"Three:Left", {{0, 0, 2, 1}, {0, 1, 1, 1}, {1, 1, 1, 1}}},
        {"Three:Above", {{0, 0, 1, 2}, {1, 0, 1, 1}, {1, 1, 1, 1}}},
        {"Three:Below", {{1, 0, 1, 2}, {0, 0, 1, 1}, {0, 1, 1, 1}}},
        {"Three:Vertical", {{0, 0, 1, 1}, {0, 1, 1, 1}, {0, 2, 1, 1}}},
        {"Three:Horizontal", {{0, 0, 1, 1}, {1, 0, 1, 1}, {2, 0, 1, 1}}},
        {"Four:Equal", {{0, 0, 1, 1}, {0, 1, 1, 1}, {1, 0, 1, 1}, {1, 1, 1, 1}}},
        {"Four:Right", {{0, 1, 3, 1}, {0, 0, 1, 1}, {1, 0, 1, 1}, {2, 0, 1, 1}}},
        {"Four:Left", {{0, 0, 3, 1}, {0, 1, 1, 1}, {1, 1, 1, 1}, {2, 1, 1, 1}}},
    };
    return table;
}

} // namespace

ViewportArea::ViewportArea(QWidget* parent) : QWidget(parent), m_grid(new QGridLayout(this))
{
    m_grid->setContentsMargins(0, 0, 0, 0);
    m_grid->setSpacing(2);
    setArrangement(QStringLiteral("Single"));
}

ViewportArea::~ViewportArea() = default;

void ViewportArea::setDocument(const DrawingDocument* document)
{
    m_document = document;
    for (DrawingCanvas* canvas : m_canvases)
        canvas->setDocument(document);
}

bool ViewportArea::setArrangement(const QString& name)
{
    const Arrangement* found = nullptr;
    for (const Arrangement& a : arrangements()) {
        if (name == QLatin1String(a.name))
            found = &a;
    }
    if (!found)
        return false;
    // New viewports start from the active one's view.
    const QString view = m_canvases.isEmpty() ? QStringLiteral("Top") : activeCanvas()->viewName();
    while (m_canvases.size() > found->cells.size())
        delete m_canvases.takeLast();
    for (int r = 0; r < 3; ++r) {
        m_grid->setRowStretch(r, 0);
        m_grid->setColumnStretch(r, 0);
    }
    for (int i = 0; i < found->cells.size(); ++i) {
        if (i >= m_canvases.size()) {
            auto* canvas = new DrawingCanvas(this);
            connect(canvas, &DrawingCanvas::activated, this, [this, canvas] { setActiveCanvas(canvas); });
            canvas->setDocument(m_document);
            canvas->setView(view);
            m_canvases.append(canvas);
        }
        const Cell& c = found->cells.at(i);
        m_grid->removeWidget(m_canvases.at(i));
        m_grid->addWidget(m_canvases.at(i), c.row, c.column, c.rowSpan, c.columnSpan);
        m_canvases.at(i)->show();
        for (int r = c.row; r < c.row + c.rowSpan; ++r)
            m_grid->setRowStretch(r, 1);
        for (int k = c.column; k < c.column + c.columnSpan; ++k)
            m_grid->setColumnStretch(k, 1);
    }
    m_arrangement = QString::fromLatin1(found->name);
    // The active viewport's view stays in view: when its viewport goes, the
    // one that becomes active shows it.
    if (m_active >= m_canvases.size()) {
        m_active = 0;
        m_canvases.first()->setView(view);
    }
    for (int i = 0; i < m_canvases.size(); ++i)
        m_canvases.at(i)->setActive(m_canvases.size() > 1 && i == m_active);
    emit activeCanvasChanged(activeCanvas());
    return true;
}

void ViewportArea::setActiveCanvas(DrawingCanvas* canvas)
{
    const int index = m_canvases.indexOf(canvas);
    if (index < 0 || index == m_active)
        return;
    m_active = index;
    for (int i = 0; i < m_canvases.size(); ++i)
        m_canvases.at(i)->setActive(m_canvases.size() > 1 && i == m_active);
    emit activeCanvasChanged(canvas);
}

void ViewportArea::refresh()
{
    for (DrawingCanvas* canvas : m_canvases)
        canvas->refresh();
}

} // namespace Demo
