#include "layeractions.h"

#include "palettesync.h"

#include "layertablewidget.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QMenu>

namespace Demo {

LayerActions::LayerActions(PaletteSync* sync, LayerPropertyEditor* editor, KvCc::LayerTableWidget* table, QWidget* parent)
    : QObject(parent), m_sync(sync), m_editor(editor), m_table(table), m_parent(parent)
{
    m_new = addAction(QStringLiteral("&New Layer"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_N));
    m_delete = addAction(QStringLiteral("&Delete Layer"), QKeySequence::Delete);
    m_rename = addAction(QStringLiteral("&Rename Layer"), QKeySequence(Qt::Key_F2));
    m_current = addAction(QStringLiteral("Set &Current"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    m_states = addAction(QStringLiteral("Layer &States..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
    connect(m_new, &QAction::triggered, m_sync, &PaletteSync::newLayer);
    connect(m_delete, &QAction::triggered, m_sync, &PaletteSync::deleteSelectedLayers);
    connect(m_rename, &QAction::triggered, m_sync, &PaletteSync::renameSelected);
    connect(m_current, &QAction::triggered, m_sync, &PaletteSync::makeSelectedCurrent);
    const QList<QPair<QString, int>> properties{{QStringLiteral("C&olor..."), Qt::CTRL | Qt::SHIFT | Qt::Key_O},
                                                {QStringLiteral("&Linetype..."), Qt::CTRL | Qt::SHIFT | Qt::Key_L},
                                                {QStringLiteral("Line&weight..."), Qt::CTRL | Qt::SHIFT | Qt::Key_W},
                                                {QStringLiteral("&Plot"), Qt::CTRL | Qt::SHIFT | Qt::Key_P},
                                                {QStringLiteral("D&escription..."), Qt::CTRL | Qt::SHIFT | Qt::Key_E}};
    for (int p = 0; p < properties.size(); ++p) {
        QAction* action = addAction(properties.at(p).first, QKeySequence(properties.at(p).second));
        const auto property = static_cast<LayerPropertyEditor::Property>(p);
        connect(action, &QAction::triggered, this, [this, property] { editSelected(property); });
        m_properties.append(action);
    }
    connect(m_table, &QAbstractItemView::doubleClicked, this, &LayerActions::cellDoubleClicked);
    QList<QAbstractItemView*> views = m_table->findChildren<QAbstractItemView*>();
    views.append(m_table);
    for (QAbstractItemView* view : views) {
        view->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint& pos) { showRowMenu(view, pos); });
    }
}

LayerActions::~LayerActions() = default;

QAction* LayerActions::addAction(const QString& text, const QKeySequence& shortcut)
{
    return addWindowAction(m_parent, text, shortcut);
}

QAction* addWindowAction(QWidget* window, const QString& text, const QKeySequence& shortcut)
{
    auto* action = new QAction(text, window);
    action->setShortcut(shortcut);
    action->setShortcutContext(Qt::WindowShortcut);
    window->addAction(action);
    return action;
}

void LayerActions::fillMenu(QMenu* menu) const
{
    menu->addActions({m_new, m_delete, m_rename, m_current});
    menu->addSeparator();
    for (QAction* action : m_properties)
        menu->addAction(action);
    for (const QList<QAction*>& section : m_sections) {
        menu->addSeparator();
        menu->addActions(section);
    }
}

void LayerActions::editSelected(LayerPropertyEditor::Property property)
{
    const QString name = m_sync->selectedLayer();
    if (name.isEmpty()) {
        emit m_editor->refused(QStringLiteral("Select a layer first."));
        return;
    }
    m_editor->edit(name, property);
}

// The plot cell toggles on a click already; the other property cells open
// their dialog on a double click.
void LayerActions::cellDoubleClicked(const QModelIndex& index)
{
    const int property = LayerPropertyEditor::propertyOfColumn(index.column());
    if (property >= 0)
        m_editor->edit(m_sync->rowName(index.row()), static_cast<LayerPropertyEditor::Property>(property));
}

void LayerActions::showRowMenu(QAbstractItemView* view, const QPoint& pos)
{
    const QModelIndex index = view->indexAt(pos);
    if (!index.isValid())
        return;
    if (!view->selectionModel()->isRowSelected(index.row(), QModelIndex()))
        m_table->selectRow(index.row());
    QMenu menu(m_table);
    fillMenu(&menu);
    menu.exec(view->viewport()->mapToGlobal(pos));
}

} // namespace Demo
