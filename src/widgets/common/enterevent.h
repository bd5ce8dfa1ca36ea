#pragma once

#include <QtGlobal>

class QEvent;
class QEnterEvent;

namespace KvCc {

/// The event QWidget::enterEvent() takes: QEvent in Qt 5, QEnterEvent from
/// Qt 6 on. Widgets that override enterEvent() declare it with this type, so
/// one header builds against either Qt.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
using EnterEvent = QEnterEvent;
#else
using EnterEvent = QEvent;
#endif

} // namespace KvCc
