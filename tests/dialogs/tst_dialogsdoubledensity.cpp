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
// how many are fully black and how many are neither black nor background.
QPair<int, int> countSamplePixels(QAbstractItemView* view, const QRect& itemRect, int x)
{
    const QImage image = view->viewport()->grab(itemRect).toImage();
    const QRgb background = image.pixel(image.width() - 2, 1);
    QPair<int, int> blackAndBlurred;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb pixel = image.pixel(x, y);
        if (qGray(pixel) == 0)
            ++blackAndBlurred.first;
        else if (pixel != background)
            ++blackAndBlurred.second;
    }
    return blackAndBlurred;
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

    void samplesAreSharp_data()
    {
        QTest::addColumn<int>("dialogKind"); // full lineweight list, layer lineweight list, linetype table
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("thickness");
        QTest::newRow("a thin sample of the full list is two device pixels") << 0 << 5 << 2;
        QTest::newRow("a double sample of the full list is four device pixels") << 0 << 12 << 4;
        QTest::newRow("a thin sample of the layer list is two device pixels") << 1 << 9 << 2;
        QTest::newRow("a sample of 3.5 is seven device pixels, not an enlarged 3 or 4") << 0 << 14 << 7;
        QTest::newRow("a sample of 4.5 is nine device pixels, not an enlarged 4") << 0 << 15 << 9;
        QTest::newRow("the linetype sample is two device pixels") << 2 << 0 << 2;
    }
    void samplesAreSharp()
    {
        QFETCH(int, dialogKind);
        QFETCH(int, row);
        QFETCH(int, thickness);
        std::unique_ptr<QDialog> dialog;
        if (dialogKind == 0)
            dialog = std::make_unique<KvCc::KvLineWeightDialog>();
        else if (dialogKind == 1)
            dialog = std::make_unique<KvCc::LayerLineWeightDialog>();
        else
            dialog = std::make_unique<KvCc::LayerLineTypeDialog>();
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
        QRect rect;
        QAbstractItemView* view = dialog->findChild<QListWidget*>(QStringLiteral("listWidget"));
        if (auto* list = qobject_cast<QListWidget*>(view)) {
            list->scrollToItem(list->item(row));
            rect = list->visualItemRect(list->item(row));
        } else {
            auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("tableWidget"));
            table->clearSelection();
            rect = table->visualItemRect(table->item(0, 1));
            view = table;
        }
        // Device column 40 lies inside every bar (logical 4 to 41 of the sample).
        QCOMPARE(countSamplePixels(view, rect, 2 * 20), qMakePair(thickness, 0));
    }

    void picturesKeepTheirSizeOnScreen()
    {
        KvCc::KvLineWeightDialog settings;
        settings.show();
        QVERIFY(QTest::qWaitForWindowExposed(&settings));
        for (const char* name : {"pixLabel", "pixLabel1"}) {
            const QPixmap pixmap = settings.findChild<QLabel*>(QLatin1String(name))->pixmap(Qt::ReturnByValue);
            QCOMPARE(pixmap.devicePixelRatio(), 2.0);
            QCOMPARE(pixmap.size(), QSize(40, 40));
        }

        KvCc::LayerWarningDialog warning;
        warning.show();
        QVERIFY(QTest::qWaitForWindowExposed(&warning));
        auto* picture = warning.findChild<QLabel*>(QStringLiteral("label"));
        QVERIFY(picture->width() >= 32 && picture->height() >= 32);
    }
};

KVCC_TEST_MAIN(TestDialogsDoubleDensity)
#include "tst_dialogsdoubledensity.moc"
