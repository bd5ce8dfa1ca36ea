#include "kvcctest.h"

#include "dialogdriver.h"

#include <layerlinetypedialog.h>
#include <swatchpainters.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QTableWidget>

using namespace dialogdriver;
using KvCc::LayerLineTypeDialog;

namespace {

QTableWidget* tableOf(QWidget* dialog)
{
    return dialog->findChild<QTableWidget*>(QStringLiteral("tableWidget"));
}

} // namespace

// The linetype selection dialog as the layer manager and its user meet it.
class TestLayerLineTypeDialog : public QObject
{
    Q_OBJECT

private slots:
    void listsOnlyContinuous()
    {
        LayerLineTypeDialog dialog;
        QTableWidget* table = tableOf(&dialog);
        QCOMPARE(table->rowCount(), 1);
        QCOMPARE(table->item(0, 0)->text(), QStringLiteral("Continuous"));
        QCOMPARE(table->item(0, 1)->icon().pixmap(QSize(48, 16)).toImage(), drawLineType(Qt::SolidLine).toImage());
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("Solid Line"));
        // Rows are 22 pixels high unless the font needs more.
        QCOMPARE(table->verticalHeader()->defaultSectionSize(), qMax(22, table->verticalHeader()->minimumSectionSize()));
        QVERIFY(!table->horizontalHeader()->highlightSections());
        // The only linetype is shown as the chosen one.
        QCOMPARE(table->selectedItems().size(), 3);
    }

    // Before answering, the user clicks and double-clicks the table, presses
    // F2, "loaded..." and (before OK) Help: none of them changes the table.
    void answers_data()
    {
        QTest::addColumn<QString>("way");
        QTest::addColumn<int>("expected");
        QTest::newRow("OK accepts") << "ok" << int(QDialog::Accepted);
        QTest::newRow("Return takes OK") << "return" << int(QDialog::Accepted);
        QTest::newRow("Cancel rejects") << "cancel" << int(QDialog::Rejected);
        QTest::newRow("Escape rejects") << "escape" << int(QDialog::Rejected);
        QTest::newRow("the window's close button rejects") << "close" << int(QDialog::Rejected);
    }
    void answers()
    {
        QFETCH(QString, way);
        QFETCH(int, expected);
        LayerLineTypeDialog dialog;
        QString title, text;
        const int result = execAndAnswer(dialog, [&](QDialog* d) {
            QTableWidget* table = tableOf(d);
            // Return would press the focused "loaded..." button; it comes first.
            if (way != QLatin1String("return")) {
                const QPoint description = table->visualItemRect(table->item(0, 2)).center();
                QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, description);
                QCOMPARE(table->selectedItems().size(), 3);
                QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, description);
                QTest::keyClick(table, Qt::Key_F2);
                QVERIFY(!table->findChild<QLineEdit*>());
                clickButton(d, "loadBtn");
                QCOMPARE(QApplication::activeModalWidget(), d);
                QCOMPARE(table->rowCount(), 1);
                QCOMPARE(table->item(0, 2)->text(), QStringLiteral("Solid Line"));
            }
            if (way == QLatin1String("ok")) {
                readHelpBox(d, "helpBtn", &title, &text);
                QVERIFY(d->isVisible());
                clickButton(d, "okbtn");
            } else if (way == QLatin1String("cancel")) {
                clickButton(d, "cancelBtn");
            } else if (way == QLatin1String("close")) {
                d->close();
            } else {
                typeKey(d, way == QLatin1String("return") ? Qt::Key_Return : Qt::Key_Escape);
            }
        });
        QCOMPARE(result, expected);
        if (way == QLatin1String("ok"))
            QCOMPARE(title + QLatin1Char('/') + text, QStringLiteral("help/Vantor help  doc!"));
        // The dialog is reused: it opens again with its table as it was.
        const int again = execAndAnswer(dialog, [](QDialog* d) {
            QCOMPARE(tableOf(d)->rowCount(), 1);
            clickButton(d, "okbtn");
        });
        QCOMPARE(again, int(QDialog::Accepted));
    }
};

KVCC_TEST_MAIN(TestLayerLineTypeDialog)
#include "tst_layerlinetypedialog.moc"
