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
#include <QScrollBar>

#include <memory>

namespace {

enum Button { Light, Freeze, Lock };
// What happens to the drawing between the refresh and the click.
enum Meanwhile { Nothing, WallsErased, CurrentUnreadable, CurrentChanged };

QImage image(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

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
        QPointer<KvCc::LayerItem> old = row(1);
        combo->slotUpdate();
        QVERIFY(!old);
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
        QTRY_VERIFY(!clicked);
        if (deleteLater) {
            combo.release();
            QTRY_VERIFY(!watched);
            return;
        }
        QVERIFY(row(1)->currentLayerData().locked);
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
};

KVCC_TEST_MAIN(TestLayerComboBox)
#include "tst_layercombobox.moc"
