#include "kvcctest.h"

#include "drawingcanvas.h"
#include "drawingdocument.h"
#include "mainwindow.h"

using namespace Demo;

class TestDemoWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { s_pServices->setWorkingDatabase(nullptr); }
    void opensTheSampleDrawing();
};

void TestDemoWindow::opensTheSampleDrawing()
{
    MainWindow window;
    window.setQuiet(true);
    window.openSample();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QVERIFY(window.document()->drawing().layers.size() >= 18);
    QCOMPARE(window.document()->currentLayerName(), QStringLiteral("A-WALL"));
    QTRY_VERIFY(window.canvas()->drawnCount() > 0);
}

KVCC_TEST_MAIN(TestDemoWindow)
#include "tst_demowindow.moc"
