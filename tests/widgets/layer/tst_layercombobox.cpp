#include "layertestdrawing.h"

#include <layercombobox.h>
#include <layeredit.h>
#include <layeritem.h>

#include <QLabel>
#include <QLayout>
#include <QListWidget>

namespace {

enum Button { Light, Freeze, Lock };
// What happens to the drawing between the refresh and the click.
enum Meanwhile { Nothing, WallsErased, CurrentUnreadable, CurrentChanged };

// A drawing written as "Walls* Doors-# Roof!~" after its layer "0": a star
// marks the current layer, "-" off, "#" frozen, "!" locked, "~" red.
std::unique_ptr<DkDbDatabase> drawingOf(const QString& layers)
{
    auto db = std::make_unique<DkDbDatabase>();
    for (QString name : layers.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString marks = name.mid(name.indexOf(QRegularExpression(QStringLiteral("[-*#!~]|$"))));
        name.chop(marks.size());
        const auto has = [&marks](char mark) { return marks.contains(QLatin1Char(mark)); };
        DkDbLayerProperties layer;
        layer.name = name.toStdWString(), layer.on = !has('-'), layer.frozen = has('#'), layer.locked = has('!');
        layer.color = has('~') ? DkCmColor(255, 0, 0) : DkCmColor(0, 128, 255);
        const DkDbObjectId id = db->addLayer(layer);
        if (has('*'))
            db->setClayer(id);
    }
    return db;
}

uint pictureKey(const QPixmap& picture)
{
    const QImage image = argb(picture);
    return qHash(QByteArray(reinterpret_cast<const char*>(image.constBits()), int(image.sizeInBytes())));
}

// Everything a host or a user can see of the drop-down, as texts: the rows
// with their records, names and pictures, the current row, the face.
QStringList observable(KvCc::LayerComboBox& combo)
{
    QListWidget* list = combo.listWidget();
    QStringList seen{QStringLiteral("%1 rows, row %2 current, index %3, %4 wide, face %5 %6")
                         .arg(list->count()).arg(list->currentRow()).arg(combo.currentIndex()).arg(list->minimumWidth())
                         .arg(combo.layerEdit()->layerName()).arg(pictureKey(combo.layerEdit()->grab()))};
    for (int i = 0; i < list->count(); ++i) {
        KvCc::LayerItem* row = combo.rowWidget(i);
        const KvCc::LayerItemData d = row ? row->currentLayerData() : KvCc::LayerItemData();
        seen << QStringLiteral("%1 (%2) on %3 frozen %4 locked %5 %6").arg(d.name, row ? row->layerName() : "no row")
                    .arg(d.on).arg(d.frozen).arg(d.locked).arg(d.color.name());
        for (QPushButton* button : row ? row->findChildren<QPushButton*>() : QList<QPushButton*>())
            seen.last() += QLatin1Char(' ') + QString::number(pictureKey(button->icon().pixmap(14, 14)));
    }
    return seen;
}

} // namespace

// The ribbon's layer drop-down over a stand-in drawing, used as a user does.
class TestLayerComboBox : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDrawing> drawing;
    std::unique_ptr<KvCc::LayerComboBox> combo;

    KvCc::LayerItem* row(int i) { return combo->rowWidget(i); }
    QPushButton* rowButton(int i, Button which) { return qobject_cast<QPushButton*>(row(i)->layout()->itemAt(which)->widget()); }

    QImage rowPicture(int rowIndex, Button which) { return argb(rowButton(rowIndex, which)->icon().pixmap(14, 14)); }

    QImage facePicture(Button which)
    {
        auto* label = qobject_cast<QLabel*>(combo->layerEdit()->layout()->itemAt(which)->widget());
        return argb(label->pixmap(Qt::ReturnByValue));
    }

    static void openPopup(KvCc::LayerComboBox* box)
    {
        box->showPopup();
        QVERIFY(QTest::qWaitForWindowExposed(box->view()->window()));
    }

    // Clicks a row's button in the open popup, as the user does.
    void clickInPopup(int rowIndex, Button which)
    {
        QTRY_VERIFY(rowButton(rowIndex, which)->isVisible());
        QTest::mouseClick(rowButton(rowIndex, which), Qt::LeftButton);
    }

private slots:
    void init()
    {
        drawing = std::make_unique<TestDrawing>();
        combo = std::make_unique<KvCc::LayerComboBox>();
        QVERIFY(showExposed(combo.get()));
    }

    void cleanup()
    {
        kvSetLayerTableChangesCallback({});
        combo.reset();
        drawing.reset();
    }

    // The current layer is off and locked; the face shows it so. Nothing is
    // announced, and a second refresh replaces the rows.
    void refreshListsEveryLayerAndShowsTheCurrentOne()
    {
        drawing->add(QStringLiteral("Walls"));
        drawing->add(QStringLiteral("Doors"), false, false, true);
        drawing->makeCurrent(QStringLiteral("Doors"));
        QSignalSpy changed(combo.get(), SIGNAL(layerComboBoxChanged()));
        combo->slotUpdate();
        QStringList names;
        for (int i = 0; i < combo->listWidget()->count(); ++i)
            names << row(i)->currentLayerData().name;
        QCOMPARE(names, QStringList({"0", "Walls", "Doors"}));
        QCOMPARE(combo->listWidget()->item(1)->sizeHint().height(), 25);
        QCOMPARE(combo->currentIndex(), 2);
        QCOMPARE(combo->getDisplayItem(), 2);
        QCOMPARE(combo->layerEdit()->layerName(), QStringLiteral("Doors"));
        QCOMPARE(facePicture(Lock), rowPicture(2, Lock));
        QCOMPARE(facePicture(Light), rowPicture(2, Light));
        QCOMPARE(facePicture(Freeze), rowPicture(2, Freeze));
        QVERIFY(facePicture(Light) != rowPicture(0, Light));
        QCOMPARE(changed.count() + kvLayerTableChangesCount(), 0LL);
        KvCc::LayerItem* old = row(1);
        drawing->makeCurrent(QStringLiteral("0"));
        combo->slotUpdate();
        QCOMPARE(row(1), old);
        QCOMPARE(combo->currentIndex() + combo->listWidget()->currentRow(), 0);
        drawing->makeCurrent(QStringLiteral("Doors"));
        QCOMPARE(combo->listWidget()->viewport()->findChildren<KvCc::LayerItem*>().size(), 3);
        // A current layer that cannot be opened is not listed, and no row is current.
        drawing->db->setRefuseOpen(drawing->id(QStringLiteral("Doors")), true);
        combo->slotUpdate();
        QCOMPARE(combo->listWidget()->count(), 2);
        QCOMPARE(combo->getDisplayItem(), 0);
        QCOMPARE(combo->currentIndex(), -1);
        drawing->verifyNothingOpen();
    }

    void clickingARowButton_data()
    {
        QTest::addColumn<int>("meanwhile");
        QTest::addColumn<int>("rowIndex");
        QTest::addColumn<int>("which");
        QTest::addColumn<bool>("expected");
        QTest::addColumn<bool>("faceFollows");
        QTest::newRow("locking another layer leaves the face") << int(Nothing) << 1 << int(Lock) << true << false;
        QTest::newRow("turning the current layer off changes the face") << int(Nothing) << 0 << int(Light) << false << true;
        QTest::newRow("freezing the current layer is refused") << int(Nothing) << 0 << int(Freeze) << false << false;
        QTest::newRow("a layer erased meanwhile keeps its row") << int(WallsErased) << 1 << int(Light) << true << false;
        // The face must not take another layer's state; the change is still announced.
        QTest::newRow("an unreadable current layer keeps the face") << int(CurrentUnreadable) << 1 << int(Light) << false << false;
        QTest::newRow("a current layer without a row keeps the face") << int(CurrentChanged) << 1 << int(Light) << false << false;
    }

    // Every click tells the host once and emits once, and the popup stays open.
    void clickingARowButton()
    {
        QFETCH(int, meanwhile);
        QFETCH(int, rowIndex);
        QFETCH(int, which);
        QFETCH(bool, expected);
        QFETCH(bool, faceFollows);
        const auto b = Button(which);
        const DkDbObjectId walls = drawing->add(QStringLiteral("Walls"));
        combo->slotUpdate();
        if (meanwhile == WallsErased)
            drawing->db->eraseLayer(walls);
        else if (meanwhile == CurrentUnreadable)
            drawing->db->setRefuseOpen(drawing->id(QStringLiteral("0")), true);
        else if (meanwhile == CurrentChanged)
            drawing->db->setClayer(drawing->add(QStringLiteral("Doors")));
        const QImage face = facePicture(b);
        QSignalSpy changed(combo.get(), SIGNAL(layerComboBoxChanged()));
        openPopup(combo.get());
        clickInPopup(rowIndex, b);
        const KvCc::LayerItemData shown = row(rowIndex)->currentLayerData();
        QCOMPARE(b == Light ? shown.on : b == Freeze ? shown.frozen : shown.locked, expected);
        if (const DkDbLayerTableRecord* rec = drawing->layer(rowIndex ? QStringLiteral("Walls") : QStringLiteral("0")))
            QCOMPARE(b == Light ? !rec->isOff() : b == Freeze ? rec->isFrozen() : rec->isLocked(), expected);
        QCOMPARE(facePicture(b), faceFollows ? rowPicture(rowIndex, b) : face);
        QCOMPARE(facePicture(b) != face, faceFollows);
        QCOMPARE(combo->layerEdit()->layerName(), QStringLiteral("0"));
        QCOMPARE(kvLayerTableChangesCount(), 1LL);
        QCOMPARE(changed.count(), 1);
        QVERIFY(combo->view()->isVisible());
        drawing->verifyNothingOpen();
    }

    void pickingARowLeavesTheFaceOnTheCurrentLayer()
    {
        drawing->add(QStringLiteral("Walls"));
        combo->slotUpdate();
        openPopup(combo.get());
        QListWidget* list = combo->listWidget();
        const QRect rect = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(rect.right() - 4, rect.center().y()));
        QTRY_VERIFY(!combo->view()->isVisible());
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(combo->layerEdit()->layerName(), QStringLiteral("0"));
    }

    // Rows far out of view are neither made nor shown; scrolling brings them in.
    void popupOpensAtTheCurrentLayer()
    {
        for (int i = 0; i < 200; ++i)
            drawing->add(QStringLiteral("Layer %1").arg(i, 3, 10, QLatin1Char('0')));
        drawing->makeCurrent(QStringLiteral("Layer 050"));
        combo->slotUpdate();
        QListWidget* list = combo->listWidget();
        const auto made = [list] { return list->viewport()->findChildren<KvCc::LayerItem*>().size(); };
        QCOMPARE(made(), 0);
        openPopup(combo.get());
        QTRY_VERIFY(made() > 0 && made() < list->count() / 2);
        for (int i : {51, 0}) {
            QTRY_VERIFY(row(i)->isVisible());
            QCOMPARE(row(i)->geometry(), list->visualItemRect(list->item(i)));
            QVERIFY(!row(51 - i)->isVisible());
            list->scrollToTop();
        }
        // Rows the popup never showed have no widget until one is asked for.
        QVERIFY(!list->itemWidget(list->item(130)));
        QCOMPARE(combo->rowLayer(130).name, QStringLiteral("Layer 129"));
        QCOMPARE(row(130)->currentLayerData().name, QStringLiteral("Layer 129"));
    }

    void popupWidensForLongNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("wider");
        QTest::newRow("short names keep the popup as wide as the combo box") << "Walls" << false;
        QTest::newRow("a long Cyrillic name widens the popup") << "Стены наружные и внутренние" << true;
        QTest::newRow("a very long name widens it only so far") << QString(300, QLatin1Char('W')) << true;
    }

    // Up to the widest popup the whole name shows; past it, the name is cut.
    void popupWidensForLongNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, wider);
        combo->slotUpdate(); // measured once before the name comes
        drawing->add(name);
        combo->slotUpdate();
        openPopup(combo.get());
        QWidget* popup = combo->view()->window();
        QCOMPARE(popup->width() > combo->width(), wider);
        QVERIFY(popup->width() >= combo->width());
        QVERIFY(popup->width() <= 400 + 2 * popup->layout()->contentsMargins().left() + 4);
        auto* label = qobject_cast<QLabel*>(row(1)->layout()->itemAt(4)->widget());
        QCOMPARE(label->text(), name);
        QTRY_VERIFY(row(1)->isVisible());
        const bool capped = combo->listWidget()->width() >= 400;
        QCOMPARE(label->width() >= label->fontMetrics().horizontalAdvance(name), !capped);
        QCOMPARE(row(1)->width(), combo->listWidget()->viewport()->width());
    }

    // The face no longer claims a layer of a drawing that is gone.
    void noDrawingLeavesItEmptyAndQuiet()
    {
        combo->slotUpdate();
        QSignalSpy changed(combo.get(), SIGNAL(layerComboBoxChanged()));
        s_pServices->setWorkingDatabase(nullptr);
        combo->slotUpdate();
        QCOMPARE(combo->count(), 0);
        QCOMPARE(combo->layerEdit()->layerName(), QString());
        s_pServices = nullptr;
        combo->slotUpdate();
        QCOMPARE(combo->count(), 0);
        QCOMPARE(changed.count() + kvLayerTableChangesCount(), 0LL);
    }

    void aHandlerRefreshesOrDeletesItInsideTheClick_data()
    {
        QTest::addColumn<bool>("fromHostNotice");
        QTest::addColumn<bool>("deleteLater");
        QTest::newRow("the host's layer-table notice refreshes") << true << false;
        QTest::newRow("a slot on layerComboBoxChanged refreshes") << false << false;
        QTest::newRow("the host's notice refreshes and deletes it later") << true << true;
        QTest::newRow("a slot on its own signal deletes it later") << false << true;
    }

    // The clicked row outlives the refresh it set off; the new rows work.
    void aHandlerRefreshesOrDeletesItInsideTheClick()
    {
        QFETCH(bool, fromHostNotice);
        QFETCH(bool, deleteLater);
        drawing->add(QStringLiteral("Walls"));
        combo->slotUpdate();
        openPopup(combo.get());
        QPointer<KvCc::LayerComboBox> watched = combo.get();
        QPointer<KvCc::LayerItem> clicked = row(1);
        bool aliveDuringRefresh = !fromHostNotice;
        if (fromHostNotice)
            kvSetLayerTableChangesCallback([&] {
                watched->slotUpdate();
                aliveDuringRefresh = !clicked.isNull();
                if (deleteLater)
                    watched->deleteLater();
            });
        else
            connect(combo.get(), SIGNAL(layerComboBoxChanged()), combo.get(), deleteLater ? SLOT(deleteLater()) : SLOT(slotUpdate()));
        clickInPopup(1, Lock);
        QVERIFY(drawing->layer(QStringLiteral("Walls"))->isLocked());
        QVERIFY(aliveDuringRefresh);
        if (deleteLater) {
            combo.release();
            QTRY_VERIFY(!watched);
            return;
        }
        QCOMPARE(combo->listWidget()->count(), 2);
        QCOMPARE(row(1), clicked.data());
        QVERIFY(row(1)->currentLayerData().locked);
        // The refreshed rows go on working.
        clickInPopup(1, Lock);
        QVERIFY(!drawing->layer(QStringLiteral("Walls"))->isLocked());
        drawing->verifyNothingOpen();
    }

    // Until the first refresh it is empty and shows no face.
    void destroyedWhileThePopupIsOpen()
    {
        QCOMPARE(combo->count(), 0);
        QVERIFY(!combo->lineEdit());
        QVERIFY(!combo->listWidget()->testAttribute(Qt::WA_MouseTracking)); // hovering picks no row
        QPointer<KvCc::LayerEdit> face = combo->layerEdit();
        QPointer<QWidget> popup = combo->view()->window();
        combo->slotUpdate();
        QCOMPARE(combo->lineEdit(), combo->layerEdit());
        openPopup(combo.get());
        QPointer<KvCc::LayerItem> firstRow = row(0);
        combo.reset();
        QVERIFY(!face && !popup && !firstRow);
    }

    void refreshInPlaceShowsWhatARebuildShows_data()
    {
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("before");
        const QString before = QStringLiteral("Walls* Doors Windows Roof-# Stairs! Furniture~ Text");
        QTest::newRow("one flag changed") << "Walls* Doors Windows- Roof-# Stairs! Furniture~ Text" << before;
        QTest::newRow("an item added by the host") << "Walls* Doors Windows- Roof-# Stairs! Furniture~ Text" << before;
        QTest::newRow("a layer added in the middle") << "Walls* Doors Glass Windows Roof-# Stairs! Furniture~ Text" << before;
        QTest::newRow("a layer added first and last") << "A Walls* Doors Windows Roof-# Stairs! Furniture~ Text Z" << before;
        QTest::newRow("one erased") << "Walls* Doors Roof-# Stairs! Furniture~ Text" << before;
        QTest::newRow("the first and the last erased") << "Doors* Windows Roof-# Stairs! Furniture~" << before;
        QTest::newRow("one renamed") << "Walls* Doors Glazing Roof-# Stairs! Furniture~ Text" << before;
        QTest::newRow("one renamed longer") << "Walls* Doors Windows2 Roof-# Stairs! Furniture~ Text" << before;
        QTest::newRow("one renamed shorter") << "Walls* Doors Window Roof-# Stairs! Furniture~ Text" << before;
        QTest::newRow("renamed beyond the BMP") << "Walls* A\U0001D539 B\U0001D538" << "Walls* A\U0001D538 B\U0001D538\U0001D538";
        QTest::newRow("a row ahead of the drawing") << before << before;
        QTest::newRow("the current layer changed") << "Walls Doors Windows* Roof-# Stairs! Furniture~ Text" << before;
        QTest::newRow("the order changed") << "Text Walls* Furniture~ Doors Stairs! Windows Roof-#" << before;
        QTest::newRow("everything changed") << "Walls-~ Doors#! Windows! Roof* Stairs Furniture- Text~#" << before;
        QTest::newRow("another drawing opened") << "Plan Section* Elevation-" << before;
        QTest::newRow("a drawing of layer 0 alone") << "" << before;
        QTest::newRow("from a drawing of layer 0 alone") << "Walls* Doors" << "";
        QTest::newRow("the drawing closed") << "closed" << before;
        QTest::newRow("a drawing opened after none") << "Walls* Doors" << "closed";
    }

    void refreshInPlaceShowsWhatARebuildShows()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        auto show = [](const QString& layers) {
            auto db = layers == QLatin1String("closed") ? nullptr : drawingOf(layers);
            s_pServices->setWorkingDatabase(db.get());
            return db;
        };
        const auto restore = qScopeGuard([this] { s_pServices->setWorkingDatabase(drawing->db.get()); });
        auto first = show(before);
        KvCc::LayerComboBox kept;
        KvCc::LayerComboBox rebuilt;
        for (KvCc::LayerComboBox* box : {&kept, &rebuilt}) {
            QVERIFY(showExposed(box));
            box->slotUpdate();
            if (box->count() > 0) { // rows once shown in the popup stay shown widgets in the list
                openPopup(box);
                box->hidePopup();
            }
        }
        auto second = show(after);
        if (QTest::currentDataTag() == QLatin1String("an item added by the host")) {
            kept.listWidget()->insertItem(1, QStringLiteral("host's own"));
            rebuilt.listWidget()->insertItem(1, QStringLiteral("host's own"));
        }
        if (QTest::currentDataTag() == QLatin1String("a row ahead of the drawing")) { // as a toggle undone unseen leaves it
            KvCc::LayerItemData ahead = kept.rowLayer(1);
            ahead.on = !ahead.on;
            kept.rowWidget(1)->setCurrentLayer(ahead);
        }
        QSignalSpy changed(&kept, SIGNAL(layerComboBoxChanged()));
        kept.slotUpdate();
        // The same widget rebuilt from scratch.
        rebuilt.clearListWidget();
        rebuilt.slotUpdate();
        QCOMPARE(observable(kept), observable(rebuilt));
        QCOMPARE(changed.count(), 0);
        QVERIFY(!second || second->openObjectCount() + second->liveIteratorCount() == 0);
        if (kept.count() > 0) {
            openPopup(&kept);
            QListWidget* list = kept.listWidget();
            for (int i = 0; i < list->count(); ++i) { // the open popup shows exactly the rows in view
                const QWidget* rowWidget = list->itemWidget(list->item(i));
                QCOMPARE(rowWidget && rowWidget->isVisible(),
                         list->visualItemRect(list->item(i)).intersects(list->viewport()->rect()));
            }
        }
    }
};

KVCC_TEST_MAIN(TestLayerComboBox)
#include "tst_layercombobox.moc"
