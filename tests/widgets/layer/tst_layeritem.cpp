#include "layertestdrawing.h"

#include <kvlayerutility.h>
#include <layeredit.h>
#include <layeritem.h>
#include <swatchpainters.h>

#include <QAccessible>
#include <QLabel>
#include <QLayout>

namespace {

const char* const onPictures[] = {":/core_ccvon.bmp", ":/core_ccthw.bmp", ":/core_cculk.bmp"};
const char* const offPictures[] = {":/core_ccvoff.bmp", ":/core_ccfrz.bmp", ":/core_cclk.bmp"};

// A picture as shown, with fully transparent pixels (and with keyMagenta,
// pure magenta, which the bitmaps mean as transparent) cleared to compare.
QImage shown(const QPixmap& pixmap, bool keyMagenta = false)
{
    QImage image = argb(pixmap);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 0 || (keyMagenta && image.pixel(x, y) == qRgb(255, 0, 255)))
                image.setPixel(x, y, 0);
    return image;
}
QImage shown(QWidget* widget)
{
    if (auto* button = qobject_cast<QPushButton*>(widget))
        return shown(button->icon().pixmap(QSize(14, 14)));
    return shown(qobject_cast<QLabel*>(widget)->pixmap(Qt::ReturnByValue));
}
QImage picture(const char* resource) { return shown(QPixmap(QString::fromLatin1(resource)), true); }

KvCc::LayerItemData record(const QString& name, bool on = true, bool frozen = false, bool locked = false,
                           QColor color = Qt::red) { return {on, locked, frozen, color, name}; }

// The light, freeze, lock and color widgets of a row or of the face, in layout order.
QWidget* part(const QWidget& row, int i) { return row.layout()->itemAt(i)->widget(); }

} // namespace

// One layer row of the ribbon drop-down and the face that shows the current layer.
class TestLayerItem : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDrawing> drawing;

private slots:
    void init()
    {
        drawing = std::make_unique<TestDrawing>();
        drawing->add(QStringLiteral("Walls"));
    }

    void cleanup() { drawing.reset(); }

    void rowShowsTheRecord_data()
    {
        QTest::addColumn<bool>("set");
        QTest::addColumn<KvCc::LayerItemData>("data");
        QTest::newRow("a new row shows layer0 on, thawed, unlocked and white") << false << record("layer0", true, false, false, Qt::white);
        QTest::newRow("a row set to an off, frozen, locked layer shows it so") << true << record("Long layer name", false, true, true, Qt::blue);
    }

    void rowShowsTheRecord()
    {
        QFETCH(bool, set);
        QFETCH(KvCc::LayerItemData, data);
        KvCc::LayerItem row;
        if (set)
            row.setCurrentLayer(data);
        QCOMPARE(row.currentLayerData(), data);
        QCOMPARE(row.layerName(), set ? data.name : QString());
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(part(row, i)->size(), QSize(14, 14)); // exactly as large as the picture
            QCOMPARE(shown(part(row, i)), picture(set ? offPictures[i] : onPictures[i]));
        }
        QCOMPARE(shown(part(row, 3)), shown(creatColorPix(data.color)));
    }

    void longNamesAreCutByCharacters_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("shown");
        QTest::newRow("a name of ten characters is shown whole") << "0123456789" << "0123456789";
        QTest::newRow("a name of eleven characters keeps nine and an ellipsis") << "0123456789A" << "012345678...";
        QTest::newRow("a long Cyrillic name is cut by characters") << "Стены_наружные" << "Стены_нар...";
        // Each of these characters takes two UTF-16 units.
        const QString wide = QString::fromUcs4(U"\U0001D400\U0001D401\U0001D402\U0001D403\U0001D404"
                                               U"\U0001D405\U0001D406\U0001D407\U0001D408\U0001D409\U0001D40A");
        QTest::newRow("characters outside the basic plane are never split") << wide << wide.left(18) + "...";
    }

    void longNamesAreCutByCharacters()
    {
        QFETCH(QString, name);
        KvCc::LayerItem row;
        row.setCurrentLayer(record(QStringLiteral("Walls")));
        row.setLayerName(name);
        QTEST(row.layerName(), "shown");
        QCOMPARE(row.currentLayerData().name, QStringLiteral("Walls"));
    }

    void aToggleWritesTheDrawingOrShowsItsRefusal_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("button");
        QTest::addColumn<bool>("accepted");
        // The button's accessible name and description (its tool tip too) after each click.
        QTest::addColumn<QStringList>("spoken");
        QTest::newRow("the bulb switches the layer off and on again") << "Walls" << 0 << true << QStringList{"Walls: off", "Turn Walls on", "Walls: on", "Turn Walls off"};
        QTest::newRow("the snowflake freezes and thaws the layer") << "Walls" << 1 << true << QStringList{"Walls: frozen", "Thaw Walls", "Walls: thawed", "Freeze Walls"};
        QTest::newRow("the padlock locks and unlocks the layer") << "Walls" << 2 << true << QStringList{"Walls: locked", "Unlock Walls", "Walls: unlocked", "Lock Walls"};
        QTest::newRow("the drawing refuses to freeze the current layer") << "0" << 1 << false << QStringList{"0: thawed", "Freeze 0", "0: thawed", "Freeze 0"};
        QTest::newRow("a layer erased meanwhile cannot be locked") << "Erased" << 2 << false << QStringList{"Erased: unlocked", "Lock Erased", "Erased: unlocked", "Lock Erased"};
    }

    // Each click reports the row's state once, with the button's index as the
    // code, also to a receiver in a queued connection.
    void aToggleWritesTheDrawingOrShowsItsRefusal()
    {
        QFETCH(QString, name);
        QFETCH(int, button);
        QFETCH(bool, accepted);
        KvCc::LayerItem row;
        row.setCurrentLayer(record(name));
        if (name == QLatin1String("Erased"))
            drawing->db->eraseLayer(drawing->add(name));
        QSignalSpy spy(&row, SIGNAL(statusChanged(int,LayerItemData)));
        QList<KvCc::LayerItemData> queued;
        connect(&row, &KvCc::LayerItem::statusChanged, &row, [&](int, KvCc::LayerItemData d) { queued << d; },
                Qt::QueuedConnection);
        auto* target = qobject_cast<QPushButton*>(part(row, button));
        for (bool on : {false, true}) {
            QTest::mouseClick(target, Qt::LeftButton);
            const bool changed = accepted && !on;
            const auto expected = record(name, button != 0 || !changed, button == 1 && changed, button == 2 && changed);
            QCOMPARE(row.currentLayerData(), expected);
            if (const DkDbLayerTableRecord* layer = drawing->layer(name))
                QCOMPARE(button == 0 ? layer->isOff() : button == 1 ? layer->isFrozen() : layer->isLocked(), changed);
            QCOMPARE(shown(target), picture(changed ? offPictures[button] : onPictures[button]));
            QFETCH(QStringList, spoken);
            QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(target);
            QCOMPARE(QStringList({heard->text(QAccessible::Name), heard->text(QAccessible::Description)}), spoken.mid(on * 2, 2));
            QCOMPARE(target->toolTip(), spoken.at(on * 2 + 1));
            QCOMPARE(spy.count(), on ? 2 : 1);
            QCOMPARE(spy.last().at(0).toInt(), button);
            QCOMPARE(spy.last().at(1).value<KvCc::LayerItemData>(), expected);
            QTRY_COMPARE(queued.size(), spy.count());
            QCOMPARE(queued.last(), expected);
            drawing->verifyNothingOpen();
        }
    }

    // The color button does nothing. Then the row still shows the layer on
    // while another part of the host has switched it off: a click asks for
    // off, which it is.
    void theColorButtonDoesNothingAndAStaleRowFollowsTheDrawing()
    {
        KvCc::LayerItem row;
        row.setCurrentLayer(record(QStringLiteral("Walls")));
        QSignalSpy spy(&row, SIGNAL(statusChanged(int,LayerItemData)));
        const long long opens = drawing->db->totalOpenCount();
        qobject_cast<QPushButton*>(part(row, 3))->click();
        QCOMPARE(spy.count(), 0);
        QCOMPARE(row.currentLayerData(), record(QStringLiteral("Walls")));
        QCOMPARE(drawing->db->totalOpenCount(), opens);
        QVERIFY(KvLayerUtility().setLayerOff(QStringLiteral("Walls"), false));
        qobject_cast<QPushButton*>(part(row, 0))->click();
        QVERIFY(drawing->layer(QStringLiteral("Walls"))->isOff());
        QVERIFY(!row.currentLayerData().on);
    }

    void theFaceRefreshesByCode_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<QVector<bool>>("changed"); // light, freeze, lock, color, name
        QTest::newRow("setCurrentLayer refreshes everything") << -1 << QVector<bool>{true, true, true, true, true};
        QTest::newRow("code 0 refreshes light, freeze and lock") << 0 << QVector<bool>{true, true, true, false, false};
        QTest::newRow("code 1 refreshes freeze and lock") << 1 << QVector<bool>{false, true, true, false, false};
        QTest::newRow("code 2 refreshes the lock") << 2 << QVector<bool>{false, false, true, false, false};
        QTest::newRow("code 3 refreshes the color swatch") << 3 << QVector<bool>{false, false, false, true, false};
        QTest::newRow("code 4 refreshes the name") << 4 << QVector<bool>{false, false, false, false, true};
        QTest::newRow("code 7 changes nothing") << 7 << QVector<bool>{false, false, false, false, false};
    }

    void theFaceRefreshesByCode()
    {
        QFETCH(int, code);
        QFETCH(QVector<bool>, changed);
        KvCc::LayerEdit face;
        QVERIFY(face.isReadOnly());
        face.setCurrentLayer(record(QStringLiteral("Walls")));
        QVector<QImage> before;
        for (int i = 0; i < 4; ++i)
            before << shown(part(face, i));
        const auto doors = record(QStringLiteral("Doors"), false, true, true, Qt::blue);
        if (code < 0)
            face.setCurrentLayer(doors);
        else
            face.setLabelChange(code, doors);
        QVector<bool> differs;
        for (int i = 0; i < 4; ++i)
            differs << (shown(part(face, i)) != before[i]);
        QCOMPARE(differs << (face.layerName() == QLatin1String("Doors")), changed);
    }
};

KVCC_TEST_MAIN(TestLayerItem)
#include "tst_layeritem.moc"
