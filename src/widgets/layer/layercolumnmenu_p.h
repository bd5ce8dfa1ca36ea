#pragma once

#include <QString>

class QMenu;
class QWidget;

namespace KvCc {

// The layer table's header menu: one checkable LayerAction per column the
// user may show or hide (every column but the mark and "VP Freeze"), with
// its choices kept in the user's settings from one run to the next.
namespace LayerColumnMenu {

// Makes the menu under parent, each entry checked as the settings last
// left it; the name entry is always checked and disabled.
QMenu* create(const QString& title, QWidget* parent);
// Stores the state of every entry of menu in the settings.
void writeSettings(const QMenu* menu);

} // namespace LayerColumnMenu

} // namespace KvCc
