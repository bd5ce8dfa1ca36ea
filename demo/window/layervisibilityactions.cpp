#include "layervisibilityactions.h"

#include "drawingdocument.h"
#include "layeractions.h"
#include "layerhistory.h"
#include "palettesync.h"

#include "layertablewidget.h"

#include <QAction>
#include <QItemSelectionModel>

namespace Demo {

LayerVisibilityActions::LayerVisibilityActions(DrawingDocument* document, LayerHistory* history, PaletteSync* sync,
                                               KvCc::LayerTableWidget* table, QWidget* parent)
    : QObject(parent), m_document(document), m_history(history), m_sync(sync), m_table(table)
{
    m_isolate = addWindowAction(parent, QStringLiteral("&Isolate Layers"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I));
    m_unisolate = addWindowAction(parent, QStringLiteral("&Unisolate Layers"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_U));
    m_allOn = addWindowAction(parent, QStringLiteral("Turn &All Layers On"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_A));
    m_thawAll = addWindowAction(parent, QStringLiteral("&Thaw All Layers"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T));
    m_byFreezing = addWindowAction(parent, QStringLiteral("Isolate by &Freezing"), QKeySequence());
    m_byFreezing->setCheckable(true);
    connect(m_isolate, &QAction::triggered, this, [this] {
        const QStringList names = m_sync->selectedLayers();
        run([this, names] { return m_document->isolateLayers(names, m_byFreezing->isChecked()); }, QString());
    });
    connect(m_unisolate, &QAction::triggered, this, [this] {
        run([this] { return m_document->unisolateLayers(); }, QString());
    });
    connect(m_allOn, &QAction::triggered, this, [this] {
        run([this] { return m_document->turnAllLayersOn(); }, QStringLiteral("Every layer is on already."));
    });
    connect(m_thawAll, &QAction::triggered, this, [this] {
        run([this] { return m_document->thawAllLayers(); }, QStringLiteral("No layer is frozen."));
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this, &LayerVisibilityActions::updateIsolate);
    connect(m_history, &LayerHistory::stepsChanged, this, [this] { m_unisolate->setEnabled(m_document->canUnisolate()); });
    updateIsolate();
    m_unisolate->setEnabled(m_document->canUnisolate());
}

LayerVisibilityActions::~LayerVisibilityActions() = default;

QList<QAction*> LayerVisibilityActions::actions() const
{
    return {m_isolate, m_unisolate, m_byFreezing, m_allOn, m_thawAll};
}

void LayerVisibilityActions::run(const std::function<QString()>& command, const QString& unchanged)
{
    const QString error = command();
    // A refusal may come after part of the work (a layer unisolate could
    // not freeze again): what was done is still one step.
    const bool recorded = m_history->recordCommand();
    if (recorded)
        emit changed();
    if (!error.isEmpty())
        emit refused(error);
    else if (!recorded)
        emit noted(unchanged);
}

void LayerVisibilityActions::updateIsolate()
{
    m_isolate->setEnabled(m_table->selectionModel()->hasSelection());
}

} // namespace Demo
