#pragma once

class QWidget;

namespace KvCc {

// The help box that the dialogs' Help buttons open.
void showDialogHelp(QWidget* dialog);

} // namespace KvCc
