#include "kvcctest.h"

#include <layercombobox.h>
#include <layeredit.h>
#include <layeritem.h>

#include <KvAppBase.h>
#include <KvDatabase.h>

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScrollBar>

#include <memory>

namespace {

enum Button { Light, Freeze, Lock, Color };

QImage image(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

class TestLayerComboBox : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<DkDbDatabase> db;
    std::unique_ptr<KvCc::LayerComboBox> combo;

    DkDbObjectId add(const std::wstring& name, bool on = true, bool frozen = false, bool locked = false)
    {
        DkDbLayerSpec spec;
        spec.name = name;
        spec.on = on;
        spec.frozen = frozen;
        spec.locked = locked;
        spec.color = DkCmColor(0, 128, 255);
        return db->addLayer(spec);
    }

    const DkDbLayerTableRecord* layer(const wchar_t* name) { return db->peekLayer(db->layerId(name)); }

    void verifyNothingOpen()
    {
        QCOMPARE(db->openObjectCount(), 0);
        QCOMPARE(db->liveIteratorCount(), 0);
        QCOMPARE(dkutOutstandingBuffers(), 0LL);
    }

    KvCc::LayerItem* row(int index)
    {
        QListWidget* list = combo->listWidget();
        return qobject_cast<KvCc::LayerItem*>(list->itemWidget(list->item(index)));
    }

    QPushButton* button(int rowIndex, Button which)
    {
        KvCc::LayerItem* item = row(rowIndex);
        if (!item)
            return nullptr;
        return qobject_cast<QPushButton*>(item->layout()->itemAt(which)->widget());
    }

    // The face's pictures in layout order: light, freeze, lock, color.
    QImage facePicture(Button which)
    {
        auto* label = qobject_cast<QLabel*>(combo->layerEdit()->layout()->itemAt(which)->widget());
        return label ? image(label->pixmap(Qt::ReturnByValue)) : QImage();
    }

    void openPopup()
    {
        combo->showPopup();
        QVERIFY(QTest::qWaitForWindowExposed(combo->view()->window()));
    }

    // Clicks a row's button in the open popup, as the user does.
    void clickInPopup(int rowIndex, Button which)
    {
        QPushButton* target = button(rowIndex, which);
        QVERIFY(target);
        QTRY_VERIFY(target->isVisible());
        QTest::mouseClick(target, Qt::LeftButton);
    }

private slots:
    void initTestCase() { QCOMPARE(QMetaType::type("LayerItemData"), qMetaTypeId<KvCc::LayerItemData>()); }

    void init()
    {
        db = std::make_unique<DkDbDatabase>();
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(db.get());
        kvResetLayerTableChangesCount();
        combo = std::make_unique<KvCc::LayerComboBox>();
        combo->show();
        QVERIFY(QTest::qWaitForWindowExposed(combo.get()));
    }

    void cleanup()
    {
        kvSetLayerTableChangesCallback({});
        combo.reset();
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(nullptr);
        db.reset();
    }

    void emptyUntilTheFirstRefresh()
    {
        QCOMPARE(combo->size(), QSize(150, 20));
        QCOMPARE(combo->count(), 0);
        QVERIFY(!combo->lineEdit());
        QCOMPARE(combo->view(), combo->listWidget());
        QCOMPARE(combo->model(), combo->listWidget()->model());
        QVERIFY(!combo->listWidget()->testAttribute(Qt::WA_MouseTracking));
    }

    void refreshListsEveryLayerAndShowsTheCurrentOne()
    {
        add(L"Walls");
        db->setClayer(add(L"Doors", false, false, true));
        QSignalSpy changed(combo.get(), SIGNAL(layerComboBoxChanged()));
        combo->slotUpdate();
        QListWidget* list = combo->listWidget();
        QCOMPARE(list->count(), 3);
        const QStringList names = {QStringLiteral("0"), QStringLiteral("Walls"), QStringLiteral("Doors")};
        for (int i = 0; i < 3; ++i) {
            QVERIFY(row(i));
            QCOMPARE(row(i)->currentLayerData().name, names[i]);
            QCOMPARE(list->item(i)->sizeHint().height(), 25);
            QCOMPARE(list->item(i)->text(), QString());
        }
        QCOMPARE(list->currentRow(), 2);
        QCOMPARE(combo->currentIndex(), 2);
        QCOMPARE(combo->getDisplayItem(), 2);
        QCOMPARE(combo->lineEdit(), combo->layerEdit());
        QCOMPARE(combo->layerEdit()->layerName(), QStringLiteral("Doors"));
        QCOMPARE(facePicture(Lock), image(button(2, Lock)->icon().pixmap(14, 14)));
        QCOMPARE(facePicture(Light), image(button(2, Light)->icon().pixmap(14, 14)));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(kvLayerTableChangesCount(), 0LL);
        verifyNothingOpen();
    }

    void secondOfThreeLayersIsCurrent()
    {
        db->setClayer(add(L"Walls"));
        add(L"Doors");
        combo->slotUpdate();
        QCOMPARE(combo->listWidget()->count(), 3);
        QCOMPARE(combo->listWidget()->currentRow(), 1);
        QCOMPARE(combo->layerEdit()->layerName(), QStringLiteral("Walls"));
    }

    void refreshReplacesTheRows()
    {
        add(L"Walls");
        combo->slotUpdate();
        QPointer<KvCc::LayerItem> old = row(1);
        add(L"Doors");
        combo->slotUpdate();
        QVERIFY(!old);
        QCOMPARE(combo->listWidget()->count(), 3);
        QCOMPARE(row(2)->currentLayerData().name, QStringLiteral("Doors"));
        QCOMPARE(combo->listWidget()->viewport()->findChildren<KvCc::LayerItem*>().size(), 3);
        verifyNothingOpen();
    }

    void togglingAnotherLayerLeavesTheFace()
    {
        add(L"Walls");
        combo->slotUpdate();
        const QImage faceLock = facePicture(Lock);
        QSignalSpy changed(combo.get(), SIGNAL(layerComboBoxChanged()));
        openPopup();
        clickInPopup(1, Lock);
        QVERIFY(layer(L"Walls")->isLocked());
        QVERIFY(row(1)->currentLayerData().locked);
        QCOMPARE(facePicture(Lock), faceLock);
        QCOMPARE(combo->layerEdit()->layerName(), QStringLiteral("0"));
        QCOMPARE(kvLayerTableChangesCount(), 1LL);
        QCOMPARE(changed.count(), 1);
        QVERIFY(combo->view()->isVisible());
        verifyNothingOpen();
    }

    void togglingTheCurrentLayerChangesTheFace()
    {
        add(L"Walls");
        combo->slotUpdate();
        const QImage faceLight = facePicture(Light);
        openPopup();
        clickInPopup(0, Light);
        QVERIFY(layer(L"0")->isOff());
        QVERIFY(facePicture(Light) != faceLight);
        QCOMPARE(facePicture(Light), image(button(0, Light)->icon().pixmap(14, 14)));
        QCOMPARE(kvLayerTableChangesCount(), 1LL);
        verifyNothingOpen();
    }

    void refusedFreezeOfTheCurrentLayer()
    {
        combo->slotUpdate();
        const QImage faceFreeze = facePicture(Freeze);
        QSignalSpy changed(combo.get(), SIGNAL(layerComboBoxChanged()));
        openPopup();
        clickInPopup(0, Freeze);
        QVERIFY(!layer(L"0")->isFrozen());
        QVERIFY(!row(0)->currentLayerData().frozen);
        QCOMPARE(facePicture(Freeze), faceFreeze);
        QCOMPARE(kvLayerTableChangesCount(), 1LL);
        QCOMPARE(changed.count(), 1);
    }

    void toggleOfALayerErasedMeanwhile()
    {
        add(L"Walls");
        combo->slotUpdate();
        db->eraseLayer(db->layerId(L"Walls"));
        QSignalSpy changed(combo.get(), SIGNAL(layerComboBoxChanged()));
        openPopup();
        clickInPopup(1, Light);
        QVERIFY(row(1)->currentLayerData().on);
        QCOMPARE(kvLayerTableChangesCount(), 1LL);
        QCOMPARE(changed.count(), 1);
        verifyNothingOpen();
    }

    void hostIsToldWhenTheCurrentLayerCannotBeRead()
    {
        // The face must not take another layer's state, and the drawing
        // change must still be announced.
        add(L"Walls");
        combo->slotUpdate();
        db->setRefuseOpen(db->layerId(L"0"), true);
        const QImage faceLight = facePicture(Light);
        QSignalSpy changed(combo.get(), SIGNAL(layerComboBoxChanged()));
        openPopup();
        clickInPopup(1, Light);
        QVERIFY(layer(L"Walls")->isOff());
        QCOMPARE(facePicture(Light), faceLight);
        QCOMPARE(combo->layerEdit()->layerName(), QStringLiteral("0"));
        QCOMPARE(kvLayerTableChangesCount(), 1LL);
        QCOMPARE(changed.count(), 1);
        verifyNothingOpen();
    }

    void hostIsToldWhenTheCurrentLayerHasNoRow()
    {
        add(L"Walls");
        combo->slotUpdate();
        db->setClayer(add(L"Doors"));
        const QImage faceLight = facePicture(Light);
        QSignalSpy changed(combo.get(), SIGNAL(layerComboBoxChanged()));
        openPopup();
        clickInPopup(1, Light);
        QCOMPARE(facePicture(Light), faceLight);
        QCOMPARE(kvLayerTableChangesCount(), 1LL);
        QCOMPARE(changed.count(), 1);
    }

    void unreadableCurrentLayerMakesNoRowCurrent()
    {
        add(L"Walls");
        combo->slotUpdate();
        db->setRefuseOpen(db->layerId(L"0"), true);
        combo->slotUpdate();
        // The layer that cannot be opened is not listed either.
        QCOMPARE(combo->listWidget()->count(), 1);
        QCOMPARE(combo->getDisplayItem(), 0);
        QCOMPARE(combo->currentIndex(), -1);
        QCOMPARE(combo->layerEdit()->layerName(), QStringLiteral("0"));
        verifyNothingOpen();
    }

    void pickingARowLeavesTheFaceOnTheCurrentLayer()
    {
        add(L"Walls");
        add(L"Doors");
        combo->slotUpdate();
        openPopup();
        QListWidget* list = combo->listWidget();
        const QRect rect = list->visualItemRect(list->item(2));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(rect.right() - 4, rect.center().y()));
        QTRY_VERIFY(!combo->view()->isVisible());
        QCOMPARE(combo->currentIndex(), 2);
        QCOMPARE(combo->layerEdit()->layerName(), QStringLiteral("0"));
    }

    void popupOpensAtTheCurrentLayer()
    {
        for (int i = 0; i < 60; ++i)
            add(QStringLiteral("Layer %1").arg(i, 2, 10, QLatin1Char('0')).toStdWString());
        db->setClayer(db->layerId(L"Layer 50"));
        combo->slotUpdate();
        openPopup();
        QListWidget* list = combo->listWidget();
        QTRY_VERIFY(row(51)->isVisible());
        QVERIFY(list->viewport()->rect().intersects(row(51)->geometry()));
        QCOMPARE(row(51)->geometry().topLeft(), list->visualItemRect(list->item(51)).topLeft());
        QCOMPARE(row(51)->height(), 25);
        // Rows far out of view are not shown at all.
        QVERIFY(!row(0)->isVisible());
        // More layers than fit: the popup offers a scroll bar.
        QTRY_VERIFY(list->verticalScrollBar()->isVisible());
        // Scrolling to the top brings the first rows into view.
        list->scrollToTop();
        QTRY_VERIFY(row(0)->isVisible());
        QCOMPARE(row(0)->geometry().topLeft(), list->visualItemRect(list->item(0)).topLeft());
        QCOMPARE(row(0)->width(), list->viewport()->width());
    }

    void popupWidensForLongNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("wider");
        QTest::newRow("short names keep the popup as wide as the combo box") << QStringLiteral("Walls") << false;
        QTest::newRow("a long name widens the popup") << QStringLiteral("Ground floor doors") << true;
        QTest::newRow("a long Cyrillic name widens the popup") << QStringLiteral("Стены наружные") << true;
        QTest::newRow("a very long name widens it only so far") << QString(300, QLatin1Char('W')) << true;
    }

    void popupWidensForLongNames()
    {
        QFETCH(QString, name);
        QFETCH(bool, wider);
        add(name.toStdWString());
        combo->slotUpdate();
        openPopup();
        QWidget* popup = combo->view()->window();
        if (wider)
            QVERIFY(popup->width() > combo->width());
        else
            QCOMPARE(popup->width(), combo->width());
        QVERIFY(popup->width() <= 400 + 2 * popup->layout()->contentsMargins().left() + 4);
        QListWidget* list = combo->listWidget();
        auto* label = qobject_cast<QLabel*>(row(1)->layout()->itemAt(4)->widget());
        QVERIFY(label);
        QCOMPARE(label->text(), name);
        QTRY_VERIFY(row(1)->isVisible());
        // Up to the widest popup the whole name shows; past it, the name is cut.
        const bool capped = list->width() >= 400;
        QCOMPARE(label->width() >= label->fontMetrics().horizontalAdvance(name), !capped);
        QCOMPARE(row(1)->width(), list->viewport()->width());
    }

    void noDrawingLeavesItEmpty()
    {
        add(L"Walls");
        combo->slotUpdate();
        QSignalSpy changed(combo.get(), SIGNAL(layerComboBoxChanged()));
        s_pServices->setWorkingDatabase(nullptr);
        combo->slotUpdate();
        QCOMPARE(combo->count(), 0);
        QCOMPARE(combo->listWidget()->count(), 0);
        // The face no longer claims a layer of a drawing that is gone.
        QCOMPARE(combo->layerEdit()->layerName(), QString());
        QCOMPARE(changed.count(), 0);
        s_pServices = nullptr;
        combo->slotUpdate();
        QCOMPARE(combo->count(), 0);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(kvLayerTableChangesCount(), 0LL);
    }

    void refreshFromTheHostNoticeInsideTheClick()
    {
        add(L"Walls");
        combo->slotUpdate();
        openPopup();
        QPointer<KvCc::LayerItem> clicked = row(1);
        bool aliveDuringRefresh = false;
        kvSetLayerTableChangesCallback([&] {
            combo->slotUpdate();
            aliveDuringRefresh = !clicked.isNull();
        });
        clickInPopup(1, Lock);
        QVERIFY(aliveDuringRefresh);
        QVERIFY(row(1) != clicked);
        QVERIFY(row(1)->currentLayerData().locked);
        QTRY_VERIFY(!clicked);
        // The new rows work as the old ones did.
        kvSetLayerTableChangesCallback({});
        clickInPopup(1, Lock);
        QVERIFY(!layer(L"Walls")->isLocked());
        verifyNothingOpen();
    }

    void refreshFromALayerComboBoxChangedSlot()
    {
        add(L"Walls");
        combo->slotUpdate();
        openPopup();
        QPointer<KvCc::LayerItem> clicked = row(0);
        connect(combo.get(), SIGNAL(layerComboBoxChanged()), combo.get(), SLOT(slotUpdate()));
        clickInPopup(0, Light);
        QCOMPARE(combo->listWidget()->count(), 2);
        QVERIFY(!row(0)->currentLayerData().on);
        QTRY_VERIFY(!clicked);
        clickInPopup(0, Light);
        QVERIFY(!layer(L"0")->isOff());
        QVERIFY(row(0)->currentLayerData().on);
    }

    void destroyedWhilePopupIsOpen()
    {
        add(L"Walls");
        combo->slotUpdate();
        openPopup();
        QPointer<QWidget> popup = combo->view()->window();
        QPointer<KvCc::LayerItem> firstRow = row(0);
        combo.reset();
        QVERIFY(!popup);
        QVERIFY(!firstRow);
    }

    void destroyedBeforeAnyRefresh()
    {
        QPointer<KvCc::LayerEdit> face = combo->layerEdit();
        combo.reset();
        QVERIFY(!face);
    }

    void deletedLaterFromItsOwnSignal()
    {
        add(L"Walls");
        combo->slotUpdate();
        openPopup();
        QPointer<KvCc::LayerComboBox> watched = combo.get();
        connect(combo.get(), SIGNAL(layerComboBoxChanged()), combo.get(), SLOT(deleteLater()));
        clickInPopup(1, Freeze);
        combo.release();
        QTRY_VERIFY(!watched);
        QVERIFY(layer(L"Walls")->isFrozen());
    }

    void refreshAndDeleteLaterInsideTheClick()
    {
        add(L"Walls");
        combo->slotUpdate();
        openPopup();
        QPointer<KvCc::LayerComboBox> watched = combo.get();
        kvSetLayerTableChangesCallback([&] {
            watched->slotUpdate();
            watched->deleteLater();
        });
        clickInPopup(1, Lock);
        combo.release();
        QTRY_VERIFY(!watched);
    }
};

KVCC_TEST_MAIN(TestLayerComboBox)
#include "tst_layercombobox.moc"
