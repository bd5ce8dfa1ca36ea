#include "kvcctest.h"
#include "testdrawing.h"

#include <layercombobox.h>
#include <layeredit.h>
#include <layeritem.h>

#include <QLabel>
#include <QLayout>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>

#include <memory>

namespace {

enum Button { Light, Freeze, Lock };
// What happens to the drawing between the refresh and the click.
enum Meanwhile { Nothing, WallsErased, CurrentUnreadable, CurrentChanged };

QImage image(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }


// A drawing written as "Walls* Doors-# Roof!~" after its layer "0": a star
// marks the current layer, "-" off, "#" frozen, "!" locked, "~" red.
std::unique_ptr<DkDbDatabase> drawingOf(const QString& spec)
{
    auto db = std::make_unique<DkDbDatabase>();
    for (QString name : spec.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString marks = name.mid(name.indexOf(QRegularExpression(QStringLiteral("[-*#!~]|$"))));
        name.chop(marks.size());
        DkDbObjectId id = db->layerId(name.toStdWString());
        if (id.isNull()) {
            DkDbLayerSpec layerSpec;
            layerSpec.name = name.toStdWString();
            layerSpec.on = !marks.contains(QLatin1Char('-'));
            layerSpec.frozen = marks.contains(QLatin1Char('#'));
            layerSpec.locked = marks.contains(QLatin1Char('!'));
            layerSpec.color = marks.contains(QLatin1Char('~')) ? DkCmColor(255, 0, 0) : DkCmColor(0, 128, 255);
            id = db->addLayer(layerSpec);
        }
        if (marks.contains(QLatin1Char('*')))
            db->setClayer(id);
    }
    return db;
}

uint pictureKey(const QImage& picture)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    return qHash(QByteArray(reinterpret_cast<const char*>(argb.constBits()), int(argb.sizeInBytes())));
}

// Everything a host or a user can see of the drop-down, as texts: the rows
// with their records, names and pictures, the current row, the face.
QStringList observable(KvCc::LayerComboBox& combo)
{
    QListWidget* list = combo.listWidget();
    QStringList seen{QStringLiteral("%1 rows, row %2 current, index %3, %4 wide, face %5 %6")
                         .arg(list->count())
                         .arg(list->currentRow())
                         .arg(combo.currentIndex())
                         .arg(list->minimumWidth())
                         .arg(combo.layerEdit()->layerName())
                         .arg(pictureKey(combo.layerEdit()->grab().toImage()))};
    for (int i = 0; i < list->count(); ++i) {
        auto* row = qobject_cast<KvCc::LayerItem*>(list->itemWidget(list->item(i)));
        if (!row) {
            seen << QStringLiteral("row %1 has no row widget").arg(i);
            continue;
        }
        const KvCc::LayerItemData d = row->currentLayerData();
        QString text = QStringLiteral("%1 (%2) on %3 frozen %4 locked %5 %6")
                           .arg(d.name, row->layerName()).arg(d.on).arg(d.frozen).arg(d.locked).arg(d.color.name());
        for (QPushButton* button : row->findChildren<QPushButton*>())
            text += QLatin1Char(' ') + QString::number(pictureKey(button->icon().pixmap(14, 14).toImage()));
        seen << text;
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

    KvCc::LayerItem* row(int index)
    {
        QListWidget* list = combo->listWidget();
        return qobject_cast<KvCc::LayerItem*>(list->itemWidget(list->item(index)));
    }

    QImage rowPicture(int rowIndex, Button which)
    {
        auto* button = qobject_cast<QPushButton*>(row(rowIndex)->layout()->itemAt(which)->widget());
        return image(button->icon().pixmap(14, 14));
    }

    QImage facePicture(Button which)
    {
        auto* label = qobject_cast<QLabel*>(combo->layerEdit()->layout()->itemAt(which)->widget());
        return image(label->pixmap(Qt::ReturnByValue));
    }

    void openPopup()
    {
        combo->showPopup();
        QVERIFY(QTest::qWaitForWindowExposed(combo->view()->window()));
    }

    // Clicks a row's button in the open popup, as the user does.
    void clickInPopup(int rowIndex, Button which)
    {
        auto* target = qobject_cast<QPushButton*>(row(rowIndex)->layout()->itemAt(which)->widget());
        QTRY_VERIFY(target->isVisible());
        QTest::mouseClick(target, Qt::LeftButton);
    }

private slots:
    void init()
    {
        drawing = std::make_unique<TestDrawing>();
        combo = std::make_unique<KvCc::LayerComboBox>();
        combo->show();
        QVERIFY(QTest::qWaitForWindowExposed(combo.get()));
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
        QVERIFY(facePicture(Light) != rowPicture(0, Light));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(kvLayerTableChangesCount(), 0LL);
        drawing->verifyNothingOpen();
        // A second refresh keeps the rows rather than adding to them.
        KvCc::LayerItem* old = row(1);
        combo->slotUpdate();
        QCOMPARE(row(1), old);
        QCOMPARE(combo->listWidget()->viewport()->findChildren<KvCc::LayerItem*>().size(), 3);
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
        drawing->add(QStringLiteral("Walls"));
        combo->slotUpdate();
        if (meanwhile == WallsErased)
            drawing->db->eraseLayer(drawing->id(QStringLiteral("Walls")));
        else if (meanwhile == CurrentUnreadable)
            drawing->db->setRefuseOpen(drawing->id(QStringLiteral("0")), true);
        else if (meanwhile == CurrentChanged)
            drawing->db->setClayer(drawing->add(QStringLiteral("Doors")));
        const QImage face = facePicture(b);
        QSignalSpy changed(combo.get(), SIGNAL(layerComboBoxChanged()));
        openPopup();
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

    // The layer that cannot be opened is not listed either.
    void anUnreadableCurrentLayerMakesNoRowCurrent()
    {
        drawing->add(QStringLiteral("Walls"));
        drawing->db->setRefuseOpen(drawing->id(QStringLiteral("0")), true);
        combo->slotUpdate();
        QCOMPARE(combo->listWidget()->count(), 1);
        QCOMPARE(combo->getDisplayItem(), 0);
        QCOMPARE(combo->currentIndex(), -1);
        drawing->verifyNothingOpen();
    }

    void pickingARowLeavesTheFaceOnTheCurrentLayer()
    {
        drawing->add(QStringLiteral("Walls"));
        combo->slotUpdate();
        openPopup();
        QListWidget* list = combo->listWidget();
        const QRect rect = list->visualItemRect(list->item(1));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(rect.right() - 4, rect.center().y()));
        QTRY_VERIFY(!combo->view()->isVisible());
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(combo->layerEdit()->layerName(), QStringLiteral("0"));
    }

    // Rows far out of view are not shown; scrolling brings them in.
    void popupOpensAtTheCurrentLayer()
    {
        for (int i = 0; i < 60; ++i)
            drawing->add(QStringLiteral("Layer %1").arg(i, 2, 10, QLatin1Char('0')));
        drawing->makeCurrent(QStringLiteral("Layer 50"));
        combo->slotUpdate();
        openPopup();
        QListWidget* list = combo->listWidget();
        for (int i : {51, 0}) {
            QTRY_VERIFY(row(i)->isVisible());
            QCOMPARE(row(i)->geometry(), list->visualItemRect(list->item(i)));
            QVERIFY(!row(51 - i)->isVisible());
            list->scrollToTop();
        }
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
        drawing->add(name);
        combo->slotUpdate();
        openPopup();
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
        QCOMPARE(changed.count(), 0);
        QCOMPARE(kvLayerTableChangesCount(), 0LL);
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
        openPopup();
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
        openPopup();
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
        QTest::newRow("a layer added in the middle") << "Walls* Doors Glass Windows Roof-# Stairs! Furniture~ Text" << before;
        QTest::newRow("a layer added first and last") << "A Walls* Doors Windows Roof-# Stairs! Furniture~ Text Z" << before;
        QTest::newRow("one erased") << "Walls* Doors Roof-# Stairs! Furniture~ Text" << before;
        QTest::newRow("the first and the last erased") << "Doors* Windows Roof-# Stairs! Furniture~" << before;
        QTest::newRow("one renamed") << "Walls* Doors Glazing Roof-# Stairs! Furniture~ Text" << before;
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
        auto show = [](const QString& spec) {
            auto db = spec == QLatin1String("closed") ? nullptr : drawingOf(spec);
            s_pServices->setWorkingDatabase(db.get());
            return db;
        };
        const auto restore = qScopeGuard([this] { s_pServices->setWorkingDatabase(drawing->db.get()); });
        auto first = show(before);
        KvCc::LayerComboBox kept;
        KvCc::LayerComboBox rebuilt;
        for (KvCc::LayerComboBox* combo : {&kept, &rebuilt}) {
            combo->show();
            QVERIFY(QTest::qWaitForWindowExposed(combo));
            combo->slotUpdate();
            if (combo->count() > 0) {
                // Rows once shown in the popup stay shown widgets in the list.
                combo->showPopup();
                QVERIFY(QTest::qWaitForWindowExposed(combo->view()->window()));
                combo->hidePopup();
            }
        }
        auto second = show(after);
        QSignalSpy changed(&kept, SIGNAL(layerComboBoxChanged()));
        kept.slotUpdate();
        // The same widget rebuilt from scratch.
        rebuilt.clearListWidget();
        rebuilt.slotUpdate();
        QCOMPARE(observable(kept), observable(rebuilt));
        QCOMPARE(changed.count(), 0);
        if (second) {
            QCOMPARE(second->openObjectCount(), 0);
            QCOMPARE(second->liveIteratorCount(), 0);
        }
        if (kept.count() > 0) {
            kept.showPopup();
            QVERIFY(QTest::qWaitForWindowExposed(kept.view()->window()));
            // The open popup shows exactly the rows in view.
            QListWidget* list = kept.listWidget();
            for (int i = 0; i < list->count(); ++i) {
                const bool inView = list->visualItemRect(list->item(i)).intersects(list->viewport()->rect());
                QCOMPARE(list->itemWidget(list->item(i))->isVisible(), inView);
            }
        }
    }
};

KVCC_TEST_MAIN(TestLayerComboBox)
#include "tst_layercombobox.moc"
