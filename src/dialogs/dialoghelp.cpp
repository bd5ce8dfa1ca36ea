#include "dialoghelp_p.h"

#include <QMessageBox>

namespace KvCc {

void showDialogHelp(QWidget* dialog)
{
    QMessageBox::information(dialog, QStringLiteral("help"), QStringLiteral("Vantor help  doc!"));
}

} // namespace KvCc
