#include "kvcctest.h"
#include "testdrawing.h"

#include "dialogdriver.h"

#include <layerwarningdialog.h>

#include <KvDatabase.h>

#include <memory>

using namespace dialogdriver;
using KvCc::LayerWarningDialog;

namespace {

QPushButton* button(QWidget* dialog, const char* name)
{
    return dialog->findChild<QPushButton*>(QLatin1String(name));
}

} // namespace

// The current-layer warning, answered as a user does, against a stand-in drawing.
class TestLayerWarningDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDrawing> drawing;
    DkDbDatabase* db = nullptr;
    DkDbObjectId walls;

    bool wallsOff() const { return db->peekLayer(walls)->isOff(); }

    // Puts the dialog in asking mode for "Walls", the way its owner does.
    static void ask(LayerWarningDialog& dialog)
    {
        dialog.setButtonStatus(true);
        dialog.layerOn = true;
        dialog.layerName = QStringLiteral("Walls");
        dialog.setTipsText(QStringLiteral("The current layer is turned off."));
    }

    static void tell(LayerWarningDialog& dialog)
    {
        dialog.setButtonStatus(false);
        dialog.setTipsText(QStringLiteral("The current layer can't be frozen!"));
    }

private slots:
    void init()
    {
        drawing = std::make_unique<TestDrawing>();
        db = drawing->db.get();
        DkDbLayerSpec layerSpec;
        layerSpec.name = L"Walls";
        walls = db->addLayer(layerSpec);
        db->setClayer(walls);
        s_pServices->setWorkingDatabase(db);
    }

    void cleanup()
    {
        drawing.reset();
        db = nullptr;
    }

    void yesSwitchesTheLayerOffAndAccepts_data()
    {
        QTest::addColumn<bool>("toldBefore");
        QTest::newRow("a new dialog asks") << false;
        QTest::newRow("a dialog that told before asks again") << true;
    }
    void yesSwitchesTheLayerOffAndAccepts()
    {
        QFETCH(bool, toldBefore);
        LayerWarningDialog dialog;
        if (toldBefore) {
            tell(dialog);
            QCOMPARE(execAndAnswer(dialog, [](QDialog* d) { clickButton(d, "noBtn"); }), int(QDialog::Rejected));
        }
        ask(dialog);
        const int result = execAndAnswer(dialog, [](QDialog* d) {
            QCOMPARE(d->findChild<QLabel*>(QStringLiteral("textLabel"))->text(), QStringLiteral("The current layer is turned off."));
            QVERIFY(button(d, "okBtn")->isVisible());
            QCOMPARE(button(d, "okBtn")->text(), QStringLiteral("Yes"));
            QCOMPARE(button(d, "noBtn")->text(), QStringLiteral("No"));
            clickButton(d, "okBtn");
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QVERIFY(wallsOff());
        drawing->verifyNothingOpen();
        // After a "Yes", the next opening again starts on "No".
        ask(dialog);
        const int again = execAndAnswer(dialog, [](QDialog* d) {
            QCOMPARE(QApplication::focusWidget(), button(d, "noBtn"));
            typeKey(d, Qt::Key_Return);
        });
        QCOMPARE(again, int(QDialog::Rejected));
    }

    // "Yes" used to accept even when the drawing kept the layer on, so the
    // layer manager showed a bulb that was off while the layer stayed on.
    void answersThatLeaveTheLayerOn_data()
    {
        QTest::addColumn<bool>("telling");
        QTest::addColumn<QString>("way");
        QTest::addColumn<QString>("meanwhile");
        QTest::newRow("No rejects") << false << "no" << "";
        QTest::newRow("Escape rejects") << false << "escape" << "";
        QTest::newRow("the window's close button rejects") << false << "close" << "";
        QTest::newRow("Return takes the safe answer No") << false << "return" << "";
        QTest::newRow("Return on a focused Yes still answers No") << false << "tab-return" << "";
        // What a previous question left behind must not matter when telling.
        QTest::newRow("telling, clicking OK rejects") << true << "no" << "";
        QTest::newRow("telling, Return takes OK") << true << "return" << "";
        QTest::newRow("telling, Escape rejects") << true << "escape" << "";
        QTest::newRow("Yes on a layer erased meanwhile rejects") << false << "yes" << "erased";
        QTest::newRow("Yes on a layer renamed meanwhile rejects") << false << "yes" << "renamed";
        QTest::newRow("Yes on a layer the host refuses to open rejects") << false << "yes" << "refused";
        QTest::newRow("Yes after the drawing was closed rejects") << false << "yes" << "closed";
    }
    void answersThatLeaveTheLayerOn()
    {
        QFETCH(bool, telling);
        QFETCH(QString, way);
        QFETCH(QString, meanwhile);
        DkDbLayerSpec layerSpec;
        layerSpec.name = L"Doors";
        db->setClayer(db->addLayer(layerSpec));
        LayerWarningDialog dialog;
        ask(dialog);
        if (telling)
            tell(dialog);
        if (meanwhile == QLatin1String("erased"))
            QCOMPARE(db->eraseLayer(walls), Dk::eOk);
        else if (meanwhile == QLatin1String("renamed"))
            QCOMPARE(db->renameLayer(walls, L"Walls-old"), Dk::eOk);
        else if (meanwhile == QLatin1String("refused"))
            db->setRefuseOpen(walls, true);
        else if (meanwhile == QLatin1String("closed"))
            s_pServices->setWorkingDatabase(nullptr);
        const int result = execAndAnswer(dialog, [telling, way](QDialog* d) {
            if (telling) {
                QVERIFY(!button(d, "okBtn")->isVisible());
                QCOMPARE(button(d, "noBtn")->text(), QStringLiteral("OK"));
                QCOMPARE(d->findChild<QLabel*>(QStringLiteral("textLabel"))->text(),
                         QStringLiteral("The current layer can't be frozen!"));
            }
            QCOMPARE(QApplication::focusWidget(), button(d, "noBtn"));
            if (way == QLatin1String("tab-return")) {
                button(d, "okBtn")->setFocus(Qt::TabFocusReason);
                QCOMPARE(QApplication::focusWidget(), button(d, "okBtn"));
            }
            if (way == QLatin1String("no") || way == QLatin1String("yes"))
                clickButton(d, way == QLatin1String("no") ? "noBtn" : "okBtn");
            else if (way == QLatin1String("escape"))
                typeKey(d, Qt::Key_Escape);
            else if (way == QLatin1String("close"))
                d->close();
            else
                typeKey(d, Qt::Key_Return);
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QVERIFY(!wallsOff());
        drawing->verifyNothingOpen();
    }
};

KVCC_TEST_MAIN(TestLayerWarningDialog)
#include "tst_layerwarningdialog.moc"
