#include "dialoghelp_p.h"

#include <QCoreApplication>
#include <QMessageBox>

namespace KvCc {

void showDialogHelp(QWidget* dialog)
{
    QMessageBox::information(dialog, QCoreApplication::translate("KvCc::DialogHelp", "help"),
                             QCoreApplication::translate("KvCc::DialogHelp", "Vantor help  doc!"));
}

} // namespace KvCc
