#pragma once

#include "layerpropertyeditor.h"

#include <QObject>
#include <QVector>

class QAction;
class QMenu;
class QModelIndex;
class QPoint;
class QAbstractItemView;

namespace KvCc {
class LayerTableWidget;
} // namespace KvCc

namespace Demo {

class PaletteSync;

// The layer commands of the window as actions with their shortcuts: new,
// delete, rename, set current and the property edits. They act on the
// palette's selected layer and fill the Layer menu and the palette's row
// menu; a double click on a property cell edits that property.
class LayerActions : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(LayerActions)

public:
    LayerActions(PaletteSync* sync, LayerPropertyEditor* editor, KvCc::LayerTableWidget* table, QWidget* parent);
    ~LayerActions() override;

    QAction* newLayer() const { return m_new; }
    QAction* deleteLayers() const { return m_delete; }
    QAction* renameLayer() const { return m_rename; }
    QAction* makeCurrent() const { return m_current; }
    // Opens the named layer states; the window connects it.
    QAction* layerStates() const { return m_states; }
    // Color, linetype, lineweight, plot, description (LayerPropertyEditor order).
    QAction* propertyAction(LayerPropertyEditor::Property property) const { return m_properties.at(property); }
    void fillMenu(QMenu* menu) const;
    // Further commands for both menus, after a separator.
    void addMenuSection(const QList<QAction*>& actions) { m_sections.append(actions); }

private:
    QAction* addAction(const QString& text, const QKeySequence& shortcut);
    void editSelected(LayerPropertyEditor::Property property);
    void cellDoubleClicked(const QModelIndex& index);
    void showRowMenu(QAbstractItemView* view, const QPoint& pos);

    PaletteSync* m_sync;
    LayerPropertyEditor* m_editor;
    KvCc::LayerTableWidget* m_table;
    QWidget* m_parent;
    QAction* m_new = nullptr;
    QAction* m_delete = nullptr;
    QAction* m_rename = nullptr;
    QAction* m_current = nullptr;
    QAction* m_states = nullptr;
    QVector<QAction*> m_properties;
    QList<QList<QAction*>> m_sections;
};

// A new action of window whose shortcut works anywhere in the window.
QAction* addWindowAction(QWidget* window, const QString& text, const QKeySequence& shortcut);

} // namespace Demo
