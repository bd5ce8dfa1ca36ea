#include "kvcctest.h"

#include <kvlayerutility.h>
#include <layeredit.h>
#include <layeritem.h>
#include <swatchpainters.h>

#include <KvAppBase.h>
#include <KvDatabase.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include <memory>

namespace {

QImage shown(const QIcon& icon)
{
    return icon.pixmap(QSize(14, 14)).toImage().convertToFormat(QImage::Format_ARGB32);
}

QImage shown(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

// The resource as drawn, magenta pixels made transparent by hand.
QImage expected(const char* resource)
{
    QImage image = QImage(QString::fromLatin1(resource)).convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(255, 0, 255))
                image.setPixel(x, y, 0);
        }
    }
    return image;
}

bool sameImage(const QImage& a, const QImage& b)
{
    if (a.size() != b.size())
        return false;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            // Fully transparent pixels may keep any colour.
            if (qAlpha(p) == 0 && qAlpha(q) == 0)
                continue;
            if (p != q)
                return false;
        }
    }
    return true;
}

KvCc::LayerItemData record(const QString& name, bool on, bool frozen, bool locked, QColor color)
{
    KvCc::LayerItemData data;
    data.name = name;
    data.on = on;
    data.frozen = frozen;
    data.locked = locked;
    data.color = color;
    return data;
}

} // namespace

class TestLayerItem : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DkDbDatabase> db;

    QList<QPushButton*> buttons(const KvCc::LayerItem& row)
    {
        QList<QPushButton*> found;
        auto* layout = qobject_cast<QHBoxLayout*>(row.layout());
        for (int i = 0; layout && i < layout->count(); ++i) {
            if (auto* button = qobject_cast<QPushButton*>(layout->itemAt(i)->widget()))
                found << button;
        }
        return found;
    }

    const DkDbLayerTableRecord* layer(const wchar_t* name) { return db->peekLayer(db->layerId(name)); }

    void verifyNothingOpen()
    {
        QCOMPARE(db->openObjectCount(), 0);
        QCOMPARE(db->liveIteratorCount(), 0);
        QCOMPARE(dkutOutstandingBuffers(), 0LL);
    }

private slots:
    void init()
    {
        db = std::make_unique<DkDbDatabase>();
        DkDbLayerSpec walls;
        walls.name = L"Walls";
        walls.color = DkCmColor(255, 0, 0);
        db->addLayer(walls);
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(db.get());
    }

    void cleanup()
    {
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(nullptr);
        db.reset();
    }

    void layerItemButtonIsThePictureSize()
    {
        QPixmap picture(14, 12);
        picture.fill(Qt::red);
        std::unique_ptr<QPushButton> button(KvCc::createLayerItemButton(picture));
        QVERIFY(!button->parent());
        QCOMPARE(button->objectName(), QStringLiteral("layerItemBtn"));
        QCOMPARE(button->size(), QSize(14, 12));
        QCOMPARE(button->minimumSize(), QSize(14, 12));
        QCOMPARE(button->maximumSize(), QSize(14, 12));
        QCOMPARE(button->iconSize(), QSize(14, 12));
    }

    void newRowShowsTheDefaults()
    {
        KvCc::LayerItem row;
        const KvCc::LayerItemData data = row.currentLayerData();
        QCOMPARE(data, record(QStringLiteral("layer0"), true, false, false, Qt::white));
        QCOMPARE(row.layerName(), QString());
        const QList<QPushButton*> all = buttons(row);
        QCOMPARE(all.size(), 4);
        for (QPushButton* button : all) {
            QCOMPARE(button->objectName(), QStringLiteral("layerItemBtn"));
            QCOMPARE(button->size(), QSize(14, 14));
            QCOMPARE(button->parentWidget(), &row);
        }
        QVERIFY(sameImage(shown(all[0]->icon()), expected(":/core_ccvon.bmp")));
        QVERIFY(sameImage(shown(all[1]->icon()), expected(":/core_ccthw.bmp")));
        QVERIFY(sameImage(shown(all[2]->icon()), expected(":/core_cculk.bmp")));
        QVERIFY(sameImage(shown(all[3]->icon()), shown(creatColorPix(Qt::white))));
    }

    void rowLayoutOrderAndMargins()
    {
        KvCc::LayerItem row;
        auto* layout = qobject_cast<QHBoxLayout*>(row.layout());
        QVERIFY(layout);
        QCOMPARE(layout->spacing(), 3);
        QCOMPARE(layout->contentsMargins(), QMargins(3, 0, 0, 0));
        QCOMPARE(layout->count(), 6);
        QVERIFY(qobject_cast<QLabel*>(layout->itemAt(4)->widget()));
        QSpacerItem* spacer = layout->itemAt(5)->spacerItem();
        QVERIFY(spacer);
        QCOMPARE(spacer->sizeHint(), QSize(10, 0));
    }

    void setCurrentLayerShowsTheRecord()
    {
        KvCc::LayerItem row;
        const auto data = record(QStringLiteral("A rather long layer name"), false, true, true, Qt::blue);
        row.setCurrentLayer(data);
        QCOMPARE(row.currentLayerData(), data);
        QCOMPARE(row.layerName(), data.name);
        const QList<QPushButton*> all = buttons(row);
        QVERIFY(sameImage(shown(all[0]->icon()), expected(":/core_ccvoff.bmp")));
        QVERIFY(sameImage(shown(all[1]->icon()), expected(":/core_ccfrz.bmp")));
        QVERIFY(sameImage(shown(all[2]->icon()), expected(":/core_cclk.bmp")));
        QVERIFY(sameImage(shown(all[3]->icon()), shown(creatColorPix(Qt::blue))));
    }

    void magentaIsTransparentInEveryStateIcon()
    {
        const char* resources[] = {":/core_ccvon.bmp", ":/core_ccvoff.bmp", ":/core_ccthw.bmp",
                                   ":/core_ccfrz.bmp", ":/core_cculk.bmp", ":/core_cclk.bmp"};
        KvCc::LayerItem row;
        row.setCurrentLayer(record(QStringLiteral("Walls"), false, true, true, Qt::red));
        for (const char* resource : resources) {
            const QImage raw = QImage(QString::fromLatin1(resource)).convertToFormat(QImage::Format_ARGB32);
            QVERIFY2(!raw.isNull(), resource);
            int keyed = 0;
            for (int y = 0; y < raw.height(); ++y) {
                for (int x = 0; x < raw.width(); ++x)
                    keyed += raw.pixel(x, y) == qRgb(255, 0, 255);
            }
            QVERIFY2(keyed > 0, resource);
        }
        const QList<QPushButton*> all = buttons(row);
        const QImage off = shown(all[0]->icon());
        const QImage raw = QImage(QStringLiteral(":/core_ccvoff.bmp")).convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < raw.height(); ++y) {
            for (int x = 0; x < raw.width(); ++x) {
                const bool key = raw.pixel(x, y) == qRgb(255, 0, 255);
                QCOMPARE(qAlpha(off.pixel(x, y)) == 0, key);
            }
        }
    }

    void setLayerName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a name of ten characters is shown whole")
            << QStringLiteral("0123456789") << QStringLiteral("0123456789");
        QTest::newRow("a name of eleven characters keeps nine and an ellipsis")
            << QStringLiteral("0123456789A") << QStringLiteral("012345678...");
        QTest::newRow("a short name is shown whole") << QStringLiteral("0") << QStringLiteral("0");
        QTest::newRow("a long Cyrillic name is cut by characters")
            << QStringLiteral("Стены_наружные") << QStringLiteral("Стены_нар...");
        // Each of these characters takes two UTF-16 units.
        const QString wide = QString::fromUcs4(U"\U0001D400\U0001D401\U0001D402\U0001D403\U0001D404"
                                               U"\U0001D405\U0001D406\U0001D407\U0001D408\U0001D409\U0001D40A");
        QTest::newRow("characters outside the basic plane are never split")
            << wide << QString::fromUcs4(U"\U0001D400\U0001D401\U0001D402\U0001D403\U0001D404"
                                         U"\U0001D405\U0001D406\U0001D407\U0001D408...");
    }

    void setLayerName()
    {
        QFETCH(QString, name);
        QFETCH(QString, shown);
        KvCc::LayerItem row;
        row.setCurrentLayer(record(QStringLiteral("Walls"), true, false, false, Qt::red));
        row.setLayerName(name);
        QCOMPARE(row.layerName(), shown);
        QCOMPARE(row.currentLayerData().name, QStringLiteral("Walls"));
    }

    void toggles_data()
    {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("code");
        QTest::newRow("the bulb switches the layer off and on again") << 0 << 0;
        QTest::newRow("the snowflake freezes and thaws the layer") << 1 << 1;
        QTest::newRow("the padlock locks and unlocks the layer") << 2 << 2;
    }

    void toggles()
    {
        QFETCH(int, button);
        QFETCH(int, code);
        KvCc::LayerItem row;
        row.setCurrentLayer(record(QStringLiteral("Walls"), true, false, false, Qt::red));
        row.show();
        QVERIFY(QTest::qWaitForWindowExposed(&row));
        QSignalSpy spy(&row, SIGNAL(statusChanged(int,LayerItemData)));
        QPushButton* target = buttons(row).at(button);
        const char* changed[] = {":/core_ccvoff.bmp", ":/core_ccfrz.bmp", ":/core_cclk.bmp"};
        const char* restored[] = {":/core_ccvon.bmp", ":/core_ccthw.bmp", ":/core_cculk.bmp"};
        auto flag = [&](const DkDbLayerTableRecord* rec) {
            return code == 0 ? rec->isOff() : code == 1 ? rec->isFrozen() : rec->isLocked();
        };

        QTest::mouseClick(target, Qt::LeftButton);
        QVERIFY(flag(layer(L"Walls")));
        QVERIFY(sameImage(shown(target->icon()), expected(changed[button])));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.last().at(0).toInt(), code);
        auto sent = spy.last().at(1).value<KvCc::LayerItemData>();
        QCOMPARE(sent, row.currentLayerData());
        QCOMPARE(sent.on, code != 0);
        QCOMPARE(sent.frozen, code == 1);
        QCOMPARE(sent.locked, code == 2);
        verifyNothingOpen();

        QTest::mouseClick(target, Qt::LeftButton);
        QVERIFY(!flag(layer(L"Walls")));
        QVERIFY(sameImage(shown(target->icon()), expected(restored[button])));
        QCOMPARE(spy.count(), 2);
        sent = spy.last().at(1).value<KvCc::LayerItemData>();
        QCOMPARE(sent, record(QStringLiteral("Walls"), true, false, false, Qt::red));
        verifyNothingOpen();
    }

    void refusedFreezeOfTheCurrentLayerIsNotShown()
    {
        KvCc::LayerItem row;
        row.setCurrentLayer(record(QStringLiteral("0"), true, false, false, Qt::white));
        QSignalSpy spy(&row, SIGNAL(statusChanged(int,LayerItemData)));
        QPushButton* freeze = buttons(row).at(1);
        freeze->click();
        QVERIFY(!layer(L"0")->isFrozen());
        QVERIFY(!row.currentLayerData().frozen);
        QVERIFY(sameImage(shown(freeze->icon()), expected(":/core_ccthw.bmp")));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.last().at(0).toInt(), 1);
        QVERIFY(!spy.last().at(1).value<KvCc::LayerItemData>().frozen);
        verifyNothingOpen();
    }

    void toggleOfAnErasedLayerIsNotShown()
    {
        KvCc::LayerItem row;
        row.setCurrentLayer(record(QStringLiteral("Walls"), true, false, false, Qt::red));
        db->eraseLayer(db->layerId(L"Walls"));
        QSignalSpy spy(&row, SIGNAL(statusChanged(int,LayerItemData)));
        QPushButton* lock = buttons(row).at(2);
        lock->click();
        QVERIFY(!row.currentLayerData().locked);
        QVERIFY(sameImage(shown(lock->icon()), expected(":/core_cculk.bmp")));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.last().at(0).toInt(), 2);
        QVERIFY(!spy.last().at(1).value<KvCc::LayerItemData>().locked);
        verifyNothingOpen();
    }

    void staleRowShowsWhatTheDrawingHolds()
    {
        // The row still shows the layer on; another part of the host has
        // switched it off meanwhile. A click asks for off, which it is.
        KvCc::LayerItem row;
        row.setCurrentLayer(record(QStringLiteral("Walls"), true, false, false, Qt::red));
        QVERIFY(KvLayerUtility().setLayerOff(QStringLiteral("Walls"), false));
        buttons(row).at(0)->click();
        QVERIFY(layer(L"Walls")->isOff());
        QVERIFY(!row.currentLayerData().on);
    }

    void colorButtonDoesNothing()
    {
        KvCc::LayerItem row;
        const auto data = record(QStringLiteral("Walls"), true, false, false, Qt::red);
        row.setCurrentLayer(data);
        QSignalSpy spy(&row, SIGNAL(statusChanged(int,LayerItemData)));
        const long long opens = db->totalOpenCount();
        buttons(row).at(3)->click();
        QCOMPARE(spy.count(), 0);
        QCOMPARE(row.currentLayerData(), data);
        QCOMPARE(db->totalOpenCount(), opens);
    }

    void statusChangedReachesAQueuedReceiver()
    {
        KvCc::LayerItem row;
        row.setCurrentLayer(record(QStringLiteral("Walls"), true, false, false, Qt::red));
        KvCc::LayerItemData received;
        int calls = 0;
        connect(&row, &KvCc::LayerItem::statusChanged, this,
                [&](int, KvCc::LayerItemData data) { received = data; ++calls; }, Qt::QueuedConnection);
        buttons(row).at(2)->click();
        QTRY_COMPARE(calls, 1);
        QVERIFY(received.locked);
    }

    void faceShowsTheWholeRecord()
    {
        KvCc::LayerEdit face;
        QVERIFY(face.isReadOnly());
        const auto data = record(QStringLiteral("Walls"), false, true, true, Qt::red);
        face.setCurrentLayer(data);
        const auto labels = face.findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly);
        QCOMPARE(labels.size(), 5);
        auto* layout = qobject_cast<QHBoxLayout*>(face.layout());
        QVERIFY(layout);
        QCOMPARE(layout->spacing(), 3);
        QCOMPARE(layout->contentsMargins(), QMargins());
        auto label = [&](int i) { return qobject_cast<QLabel*>(layout->itemAt(i)->widget()); };
        QVERIFY(sameImage(shown(label(0)->pixmap(Qt::ReturnByValue)), expected(":/core_ccvoff.bmp")));
        QVERIFY(sameImage(shown(label(1)->pixmap(Qt::ReturnByValue)), expected(":/core_ccfrz.bmp")));
        QVERIFY(sameImage(shown(label(2)->pixmap(Qt::ReturnByValue)), expected(":/core_cclk.bmp")));
        QVERIFY(sameImage(shown(label(3)->pixmap(Qt::ReturnByValue)), shown(creatColorPix(Qt::red))));
        QCOMPARE(label(4)->text(), QStringLiteral("Walls"));
        QCOMPARE(face.layerName(), QStringLiteral("Walls"));
        QVERIFY(layout->itemAt(5)->spacerItem());
    }

    void faceRefreshesByCode_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QVector<bool>>("changed"); // light, freeze, lock, color, name
        QTest::newRow("code 0 refreshes the light, freeze and lock pictures") << 0 << QVector<bool>{true, true, true, false, false};
        QTest::newRow("code 1 refreshes the freeze and lock pictures") << 1 << QVector<bool>{false, true, true, false, false};
        QTest::newRow("code 2 refreshes the lock picture") << 2 << QVector<bool>{false, false, true, false, false};
        QTest::newRow("code 3 refreshes the color swatch") << 3 << QVector<bool>{false, false, false, true, false};
        QTest::newRow("code 4 refreshes the name") << 4 << QVector<bool>{false, false, false, false, true};
        QTest::newRow("code 7 changes nothing") << 7 << QVector<bool>{false, false, false, false, false};
    }

    void faceRefreshesByCode()
    {
        QFETCH(int, code);
        QFETCH(QVector<bool>, changed);
        KvCc::LayerEdit face;
        face.setCurrentLayer(record(QStringLiteral("Walls"), true, false, false, Qt::red));
        auto* layout = face.layout();
        auto image = [&](int i) {
            auto* label = qobject_cast<QLabel*>(layout->itemAt(i)->widget());
            return shown(label->pixmap(Qt::ReturnByValue));
        };
        QVector<QImage> before;
        for (int i = 0; i < 4; ++i)
            before << image(i);
        face.setLabelChange(code, record(QStringLiteral("Doors"), false, true, true, Qt::blue));
        for (int i = 0; i < 4; ++i)
            QCOMPARE(!sameImage(image(i), before[i]), changed[i]);
        QCOMPARE(face.layerName() == QStringLiteral("Doors"), changed[4]);
    }
};

KVCC_TEST_MAIN(TestLayerItem)
#include "tst_layeritem.moc"
