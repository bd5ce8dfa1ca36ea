#include "kvcctest.h"
#include "testdrawing.h"

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

QImage shown(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }
QImage shown(const QIcon& icon) { return shown(icon.pixmap(QSize(14, 14))); }

// Fully transparent pixels may keep any colour; clear them to compare. With
// keyMagenta, pure magenta is made transparent too, as the bitmaps mean it.
QImage cleared(QImage image, bool keyMagenta = false)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 0 || (keyMagenta && image.pixel(x, y) == qRgb(255, 0, 255)))
                image.setPixel(x, y, 0);
    return image;
}

QImage expected(const QString& resource) { return cleared(QImage(resource).convertToFormat(QImage::Format_ARGB32), true); }

KvCc::LayerItemData record(const QString& name, bool on, bool frozen, bool locked, QColor color)
{
    return KvCc::LayerItemData{on, locked, frozen, color, name};
}

} // namespace

class TestLayerItem : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDrawing> drawing;
    DkDbDatabase* db = nullptr;

    QList<QPushButton*> buttons(const KvCc::LayerItem& row)
    {
        QList<QPushButton*> found;
        auto* layout = qobject_cast<QHBoxLayout*>(row.layout());
        for (int i = 0; layout && i < layout->count(); ++i)
            if (auto* button = qobject_cast<QPushButton*>(layout->itemAt(i)->widget()))
                found << button;
        return found;
    }

    const DkDbLayerTableRecord* layer(const wchar_t* name) { return db->peekLayer(db->layerId(name)); }

private slots:
    void init()
    {
        drawing = std::make_unique<TestDrawing>();
        db = drawing->db.get();
        DkDbLayerSpec walls;
        walls.name = L"Walls";
        walls.color = DkCmColor(255, 0, 0);
        db->addLayer(walls);
        s_pServices->setWorkingDatabase(db);
    }

    void cleanup()
    {
        drawing.reset();
        db = nullptr;
    }

    void rowShowsTheRecord_data()
    {
        QTest::addColumn<bool>("set");
        QTest::addColumn<KvCc::LayerItemData>("data");
        QTest::addColumn<QStringList>("pictures");
        QTest::newRow("a new row shows layer0 on, thawed, unlocked and white") << false
            << record(QStringLiteral("layer0"), true, false, false, Qt::white)
            << QStringList{":/core_ccvon.bmp", ":/core_ccthw.bmp", ":/core_cculk.bmp"};
        QTest::newRow("a row set to an off, frozen, locked layer shows it so") << true
            << record(QStringLiteral("A rather long layer name"), false, true, true, Qt::blue)
            << QStringList{":/core_ccvoff.bmp", ":/core_ccfrz.bmp", ":/core_cclk.bmp"};
    }

    void rowShowsTheRecord()
    {
        QFETCH(bool, set);
        QFETCH(KvCc::LayerItemData, data);
        QFETCH(QStringList, pictures);
        KvCc::LayerItem row;
        if (set)
            row.setCurrentLayer(data);
        QCOMPARE(row.currentLayerData(), data);
        QCOMPARE(row.layerName(), set ? data.name : QString());
        const QList<QPushButton*> all = buttons(row);
        QCOMPARE(all.size(), 4);
        for (QPushButton* button : all)
            QCOMPARE(button->size(), QSize(14, 14));
        // Magenta pixels of the bitmaps show as transparent.
        for (int i = 0; i < 3; ++i)
            QCOMPARE(cleared(shown(all[i]->icon())), expected(pictures[i]));
        QCOMPARE(cleared(shown(all[3]->icon())), cleared(shown(creatColorPix(data.color))));
    }

    void setLayerName_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a name of ten characters is shown whole")
            << QStringLiteral("0123456789") << QStringLiteral("0123456789");
        QTest::newRow("a name of eleven characters keeps nine and an ellipsis")
            << QStringLiteral("0123456789A") << QStringLiteral("012345678...");
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
        QTest::newRow("the bulb switches the layer off and on again") << 0;
        QTest::newRow("the snowflake freezes and thaws the layer") << 1;
        QTest::newRow("the padlock locks and unlocks the layer") << 2;
    }

    void toggles()
    {
        QFETCH(int, button);
        KvCc::LayerItem row;
        row.setCurrentLayer(record(QStringLiteral("Walls"), true, false, false, Qt::red));
        row.show();
        QVERIFY(QTest::qWaitForWindowExposed(&row));
        QSignalSpy spy(&row, SIGNAL(statusChanged(int,LayerItemData)));
        // The record also reaches a receiver in a queued connection.
        QList<KvCc::LayerItemData> queued;
        connect(&row, &KvCc::LayerItem::statusChanged, this, [&](int, KvCc::LayerItemData data) { queued << data; },
                Qt::QueuedConnection);
        QPushButton* target = buttons(row).at(button);
        const char* changed[] = {":/core_ccvoff.bmp", ":/core_ccfrz.bmp", ":/core_cclk.bmp"};
        const char* restored[] = {":/core_ccvon.bmp", ":/core_ccthw.bmp", ":/core_cculk.bmp"};
        auto flag = [&](const DkDbLayerTableRecord* rec) {
            return button == 0 ? rec->isOff() : button == 1 ? rec->isFrozen() : rec->isLocked();
        };

        QTest::mouseClick(target, Qt::LeftButton);
        QVERIFY(flag(layer(L"Walls")));
        QCOMPARE(cleared(shown(target->icon())), expected(changed[button]));
        QCOMPARE(spy.count(), 1);
        // Each button reports its own index as the code.
        QCOMPARE(spy.last().at(0).toInt(), button);
        auto sent = spy.last().at(1).value<KvCc::LayerItemData>();
        QCOMPARE(sent, row.currentLayerData());
        QCOMPARE(sent, record(QStringLiteral("Walls"), button != 0, button == 1, button == 2, Qt::red));
        drawing->verifyNothingOpen();

        QTest::mouseClick(target, Qt::LeftButton);
        QVERIFY(!flag(layer(L"Walls")));
        QCOMPARE(cleared(shown(target->icon())), expected(restored[button]));
        QCOMPARE(spy.count(), 2);
        sent = spy.last().at(1).value<KvCc::LayerItemData>();
        QCOMPARE(sent, record(QStringLiteral("Walls"), true, false, false, Qt::red));
        drawing->verifyNothingOpen();
        QTRY_COMPARE(queued.size(), 2);
        QCOMPARE(queued.last(), sent);
    }

    void refusedToggleIsNotShown_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("button");
        QTest::addColumn<QString>("picture");
        QTest::newRow("the drawing refuses to freeze the current layer") << QStringLiteral("0") << 1 << QStringLiteral(":/core_ccthw.bmp");
        QTest::newRow("a layer erased meanwhile cannot be locked") << QStringLiteral("Walls") << 2 << QStringLiteral(":/core_cculk.bmp");
    }

    void refusedToggleIsNotShown()
    {
        QFETCH(QString, name);
        QFETCH(int, button);
        QFETCH(QString, picture);
        KvCc::LayerItem row;
        row.setCurrentLayer(record(name, true, false, false, Qt::white));
        if (name == QLatin1String("Walls"))
            db->eraseLayer(db->layerId(L"Walls"));
        QSignalSpy spy(&row, SIGNAL(statusChanged(int,LayerItemData)));
        QPushButton* target = buttons(row).at(button);
        target->click();
        if (button == 1)
            QVERIFY(!layer(L"0")->isFrozen());
        QCOMPARE(row.currentLayerData(), record(name, true, false, false, Qt::white));
        QCOMPARE(cleared(shown(target->icon())), expected(picture));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.last().at(0).toInt(), button);
        QCOMPARE(spy.last().at(1).value<KvCc::LayerItemData>(), row.currentLayerData());
        drawing->verifyNothingOpen();
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

    void faceRefreshesByCode_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QVector<bool>>("changed"); // light, freeze, lock, color, name
        QTest::newRow("setCurrentLayer refreshes everything") << -1 << QVector<bool>{true, true, true, true, true};
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
        QVERIFY(face.isReadOnly());
        face.setCurrentLayer(record(QStringLiteral("Walls"), true, false, false, Qt::red));
        auto* layout = face.layout();
        auto image = [&](int i) {
            auto* label = qobject_cast<QLabel*>(layout->itemAt(i)->widget());
            return shown(label->pixmap(Qt::ReturnByValue));
        };
        QVector<QImage> before;
        for (int i = 0; i < 4; ++i)
            before << image(i);
        const auto doors = record(QStringLiteral("Doors"), false, true, true, Qt::blue);
        if (code < 0)
            face.setCurrentLayer(doors);
        else
            face.setLabelChange(code, doors);
        for (int i = 0; i < 4; ++i)
            QCOMPARE(cleared(image(i)) != cleared(before[i]), changed[i]);
        QCOMPARE(face.layerName() == QStringLiteral("Doors"), changed[4]);
    }
};

KVCC_TEST_MAIN(TestLayerItem)
#include "tst_layeritem.moc"
