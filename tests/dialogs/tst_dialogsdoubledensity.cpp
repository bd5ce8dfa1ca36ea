#include "kvcctest.h"

#include <kvlineweightdialog.h>
#include <layerlinetypedialog.h>
#include <layerlineweightdialog.h>

#include <QAbstractItemView>
#include <QLabel>

#include <memory>

// The whole executable runs at twice the pixel density, as on a dense screen.
[[maybe_unused]] static const bool doubleDensity = qputenv("QT_SCALE_FACTOR", "2");

// Samples and pictures of the dialogs on a screen of twice the pixel density,
// without the host asking for high-density pixmaps.
class TestDialogsDoubleDensity : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
#if QT_VERSION < QT_VERSION_CHECK(6, 0, 0) // Qt 6 always draws pixmaps for the screen
        QVERIFY(!QCoreApplication::testAttribute(Qt::AA_UseHighDpiPixmaps));
#endif
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
    }

    void samplesAreDrawnForTheScreen_data()
    {
        QTest::addColumn<int>("kind"); // full lineweight list, layer lineweight list, linetype table
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("thickness");
        QTest::newRow("a thin sample of the full list is two device pixels") << 0 << 5 << 2;
        QTest::newRow("a double sample of the full list is four device pixels") << 0 << 12 << 4;
        // The width rule goes by the position in the list that shows the sample.
        QTest::newRow("0.30 mm is thin in the layer list, two device pixels") << 1 << 9 << 2;
        QTest::newRow("0.60 mm is 3.5 in the layer list, seven device pixels") << 1 << 14 << 7;
        QTest::newRow("a sample of 3.5 is seven device pixels, not an enlarged 3 or 4") << 0 << 14 << 7;
        QTest::newRow("the linetype sample is two device pixels") << 2 << 0 << 2;
    }
    // Device column 40 lies inside every bar; it holds the bar's black
    // pixels and nothing blurred beside them.
    void samplesAreDrawnForTheScreen()
    {
        QFETCH(int, kind);
        QFETCH(int, row);
        std::unique_ptr<QDialog> dialog(kind == 0   ? static_cast<QDialog*>(new KvCc::KvLineWeightDialog)
                                        : kind == 1 ? static_cast<QDialog*>(new KvCc::LayerLineWeightDialog)
                                                          : new KvCc::LayerLineTypeDialog);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        auto* view = dialog->findChild<QAbstractItemView*>(QLatin1String(kind == 2 ? "tableWidget" : "listWidget"));
        const QModelIndex sample = view->model()->index(row, kind == 2 ? 1 : 0);
        view->clearSelection();
        view->scrollTo(sample);
        const QImage image = view->viewport()->grab(view->visualRect(sample)).toImage();
        const QRgb background = image.pixel(image.width() - 2, 1);
        int black = 0; // a blurred pixel spoils the count
        for (int y = 0; y < image.height(); ++y)
            black += qGray(image.pixel(40, y)) == 0 ? 1 : image.pixel(40, y) == background ? 0 : 1000;
        QTEST(black, "thickness");
    }

    void theDocumentIconIsSharp()
    {
        KvCc::KvLineWeightDialog settings;
        settings.show(); // the show event sizes the icon for the screen
        for (const char* name : {"pixLabel", "pixLabel1"}) {
            const QPixmap pixmap = settings.findChild<QLabel*>(QLatin1String(name))->pixmap(Qt::ReturnByValue);
            QVERIFY2(pixmap.devicePixelRatio() == 2.0 && pixmap.size() == QSize(40, 40), name);
        }
    }
};

KVCC_TEST_MAIN(TestDialogsDoubleDensity)
#include "tst_dialogsdoubledensity.moc"
