#include "kvcctest.h"

#include <kvlineweightdialog.h>
#include <layerlinetypedialog.h>
#include <layerlineweightdialog.h>
#include <layerwarningdialog.h>

#include <QLabel>
#include <QListWidget>
#include <QTableWidget>

#include <memory>

// The whole executable runs at twice the pixel density, as on a dense screen.
static const bool doubleDensity = qputenv("QT_SCALE_FACTOR", "2");

namespace {

// The device pixels of the decoration column at x in the item's rectangle:
// returns how many are fully black and how many are neither black nor background.
void countSamplePixels(QAbstractItemView* view, const QRect& itemRect, int x, int* black, int* blurred)
{
    const QImage image = view->viewport()->grab(itemRect).toImage();
    *black = 0;
    *blurred = 0;
    const QRgb background = image.pixel(image.width() - 2, 1);
    for (int y = 0; y < image.height(); ++y) {
        const QRgb pixel = image.pixel(x, y);
        if (qGray(pixel) == 0)
            ++*black;
        else if (pixel != background)
            ++*blurred;
    }
}

} // namespace

// Samples and pictures of the dialogs on a screen of twice the pixel density.
class TestDialogsDoubleDensity : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(doubleDensity);
        // The dialogs must not depend on the host asking for high-density pixmaps.
        QVERIFY(!QCoreApplication::testAttribute(Qt::AA_UseHighDpiPixmaps));
        QCOMPARE(qApp->devicePixelRatio(), 2.0);
    }

    void lineweightSamplesAreSharp_data()
    {
        QTest::addColumn<bool>("layerList");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("thickness");
        QTest::newRow("a thin sample of the full list is two device pixels") << false << 5 << 2;
        QTest::newRow("a double sample of the full list is four device pixels") << false << 12 << 4;
        QTest::newRow("a thin sample of the layer list is two device pixels") << true << 9 << 2;
        QTest::newRow("a sample of 3.5 is seven device pixels, not an enlarged 3 or 4") << false << 14 << 7;
        QTest::newRow("a sample of 4.5 is nine device pixels, not an enlarged 4") << false << 15 << 9;
    }
    void lineweightSamplesAreSharp()
    {
        QFETCH(bool, layerList);
        QFETCH(int, row);
        QFETCH(int, thickness);
        std::unique_ptr<QDialog> dialog;
        if (layerList)
            dialog = std::make_unique<KvCc::LayerLineWeightDialog>();
        else
            dialog = std::make_unique<KvCc::KvLineWeightDialog>();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        auto* list = dialog->findChild<QListWidget*>(QStringLiteral("listWidget"));
        QVERIFY(list);
        list->scrollToItem(list->item(row));
        const QRect rect = list->visualItemRect(list->item(row));
        int black = 0;
        int blurred = 0;
        // Device column 40 lies inside every bar (logical 4 to 41 of the sample).
        countSamplePixels(list, rect, 2 * 20, &black, &blurred);
        QCOMPARE(black, thickness);
        QCOMPARE(blurred, 0);
    }

    void linetypeSampleIsSharp()
    {
        KvCc::LayerLineTypeDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* table = dialog.findChild<QTableWidget*>(QStringLiteral("tableWidget"));
        QVERIFY(table);
        table->clearSelection();
        const QRect rect = table->visualItemRect(table->item(0, 1));
        int black = 0;
        int blurred = 0;
        countSamplePixels(table, rect, 2 * 20, &black, &blurred);
        QCOMPARE(black, 2);
        QCOMPARE(blurred, 0);
    }

    void picturesKeepTheirSizeOnScreen()
    {
        KvCc::KvLineWeightDialog settings;
        settings.show();
        QVERIFY(QTest::qWaitForWindowExposed(&settings));
        for (const char* name : {"pixLabel", "pixLabel1"}) {
            auto* label = settings.findChild<QLabel*>(QLatin1String(name));
            QVERIFY2(label, name);
            const QPixmap pixmap = label->pixmap(Qt::ReturnByValue);
            QCOMPARE(pixmap.devicePixelRatio(), 2.0);
            QCOMPARE(pixmap.size(), QSize(40, 40));
        }

        KvCc::LayerWarningDialog warning;
        warning.show();
        QVERIFY(QTest::qWaitForWindowExposed(&warning));
        auto* picture = warning.findChild<QLabel*>(QStringLiteral("label"));
        QVERIFY(picture);
        QVERIFY(picture->width() >= 32);
        QVERIFY(picture->height() >= 32);
    }
};

KVCC_TEST_MAIN(TestDialogsDoubleDensity)
#include "tst_dialogsdoubledensity.moc"
