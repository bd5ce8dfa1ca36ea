#include "kvcctest.h"
#include "testdrawing.h"

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
#include <QRegularExpression>
#include <QScopeGuard>
#include <QScrollBar>
#include <QSignalSpy>

#include <memory>

namespace {

enum Button { Light, Freeze, Lock, Color };
// What happens to the drawing between the refresh and the click.
enum Meanwhile { Nothing, WallsErased, CurrentUnreadable, CurrentChanged };

QImage image(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

bool flag(const KvCc::LayerItemData& d, Button which) { return which == Light ? d.on : which == Freeze ? d.frozen : d.locked; }


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

class TestLayerComboBox : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDrawing> drawing;
    DkDbDatabase* db = nullptr;
    std::unique_ptr<KvCc::LayerComboBox> combo;

    DkDbObjectId add(const std::wstring& name, bool on = true, bool locked = false)
    {
        DkDbLayerSpec layerSpec;
        layerSpec.name = name;
        layerSpec.on = on;
        layerSpec.locked = locked;
        layerSpec.color = DkCmColor(0, 128, 255);
        return db->addLayer(layerSpec);
    }

    const DkDbLayerTableRecord* layer(const wchar_t* name) { return db->peekLayer(db->layerId(name)); }

    KvCc::LayerItem* row(int index)
    {
        QListWidget* list = combo->listWidget();
        return qobject_cast<KvCc::LayerItem*>(list->itemWidget(list->item(index)));
    }

    QPushButton* button(int rowIndex, Button which)
    {
        KvCc::LayerItem* item = row(rowIndex);
        return item ? qobject_cast<QPushButton*>(item->layout()->itemAt(which)->widget()) : nullptr;
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
    void init()
    {
        drawing = std::make_unique<TestDrawing>();
        db = drawing->db.get();
        combo = std::make_unique<KvCc::LayerComboBox>();
        combo->show();
        QVERIFY(QTest::qWaitForWindowExposed(combo.get()));
    }

    void cleanup()
    {
        kvSetLayerTableChangesCallback({});
        combo.reset();
        drawing.reset();
        db = nullptr;
    }

    void refreshListsEveryLayerAndShowsTheCurrentOne_data()
    {
        QTest::addColumn<int>("current");
        QTest::newRow("the middle of three layers is current") << 1;
        QTest::newRow("the last of three layers is current") << 2;
    }

    void refreshListsEveryLayerAndShowsTheCurrentOne()
    {
        QFETCH(int, current);
        const QStringList names = {QStringLiteral("0"), QStringLiteral("Walls"), QStringLiteral("Doors")};
        const DkDbObjectId walls = add(L"Walls", current != 1, current == 1);
        const DkDbObjectId doors = add(L"Doors", current != 2, current == 2);
        db->setClayer(current == 1 ? walls : doors);
        QSignalSpy changed(combo.get(), SIGNAL(layerComboBoxChanged()));
        combo->slotUpdate();
        QListWidget* list = combo->listWidget();
        QCOMPARE(list->count(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(row(i)->currentLayerData().name, names[i]);
            QCOMPARE(list->item(i)->sizeHint().height(), 25);
            QCOMPARE(list->item(i)->text(), QString());
        }
        QCOMPARE(list->currentRow(), current);
        QCOMPARE(combo->currentIndex(), current);
        QCOMPARE(combo->getDisplayItem(), current);
        QCOMPARE(combo->lineEdit(), combo->layerEdit());
        QCOMPARE(combo->layerEdit()->layerName(), names[current]);
        // The current layer is off and locked; the face shows it so.
        QCOMPARE(facePicture(Lock), image(button(current, Lock)->icon().pixmap(14, 14)));
        QCOMPARE(facePicture(Light), image(button(current, Light)->icon().pixmap(14, 14)));
        QVERIFY(facePicture(Light) != image(button(0, Light)->icon().pixmap(14, 14)));
        QCOMPARE(changed.count(), 0);
        QCOMPARE(kvLayerTableChangesCount(), 0LL);
        drawing->verifyNothingOpen();
        // A second refresh keeps the rows rather than adding to them.
        KvCc::LayerItem* old = row(1);
        combo->slotUpdate();
        QCOMPARE(row(1), old);
        QCOMPARE(list->viewport()->findChildren<KvCc::LayerItem*>().size(), 3);
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
        QTest::newRow("a layer erased meanwhile keeps its row unchanged") << int(WallsErased) << 1 << int(Light) << true << false;
        // The face must not take another layer's state; the change is still announced.
        QTest::newRow("an unreadable current layer keeps the face") << int(CurrentUnreadable) << 1 << int(Light) << false << false;
        QTest::newRow("a current layer without a row keeps the face") << int(CurrentChanged) << 1 << int(Light) << false << false;
    }

    void clickingARowButton()
    {
        QFETCH(int, meanwhile);
        QFETCH(int, rowIndex);
        QFETCH(int, which);
        QFETCH(bool, expected);
        QFETCH(bool, faceFollows);
        const auto b = Button(which);
        add(L"Walls");
        combo->slotUpdate();
        if (meanwhile == WallsErased)
            db->eraseLayer(db->layerId(L"Walls"));
        else if (meanwhile == CurrentUnreadable)
            db->setRefuseOpen(db->layerId(L"0"), true);
        else if (meanwhile == CurrentChanged)
            db->setClayer(add(L"Doors"));
        const QImage face = facePicture(b);
        QSignalSpy changed(combo.get(), SIGNAL(layerComboBoxChanged()));
        openPopup();
        clickInPopup(rowIndex, b);
        QCOMPARE(flag(row(rowIndex)->currentLayerData(), b), expected);
        if (meanwhile != WallsErased) {
            const DkDbLayerTableRecord* rec = layer(rowIndex ? L"Walls" : L"0");
            QCOMPARE(b == Light ? !rec->isOff() : b == Freeze ? rec->isFrozen() : rec->isLocked(), expected);
        }
        if (faceFollows) {
            QVERIFY(facePicture(b) != face);
            QCOMPARE(facePicture(b), image(button(rowIndex, b)->icon().pixmap(14, 14)));
        } else {
            QCOMPARE(facePicture(b), face);
        }
        QCOMPARE(combo->layerEdit()->layerName(), QStringLiteral("0"));
        QCOMPARE(kvLayerTableChangesCount(), 1LL);
        QCOMPARE(changed.count(), 1);
        QVERIFY(combo->view()->isVisible());
        drawing->verifyNothingOpen();
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
        drawing->verifyNothingOpen();
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
        // Rows far out of view are not shown; scrolling brings them in.
        QVERIFY(!row(0)->isVisible());
        QTRY_VERIFY(list->verticalScrollBar()->isVisible());
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
        QCOMPARE(popup->width() > combo->width(), wider);
        QVERIFY(popup->width() >= combo->width());
        QVERIFY(popup->width() <= 400 + 2 * popup->layout()->contentsMargins().left() + 4);
        QListWidget* list = combo->listWidget();
        auto* label = qobject_cast<QLabel*>(row(1)->layout()->itemAt(4)->widget());
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
        QCOMPARE(combo->listWidget()->count(), 0);
        // The face no longer claims a layer of a drawing that is gone.
        QCOMPARE(combo->layerEdit()->layerName(), QString());
        s_pServices = nullptr;
        combo->slotUpdate();
        QCOMPARE(combo->count(), 0);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(kvLayerTableChangesCount(), 0LL);
    }

    void handlerInsideTheClick_data()
    {
        QTest::addColumn<bool>("fromHostNotice");
        QTest::addColumn<bool>("deleteLater");
        QTest::newRow("the host's layer-table notice refreshes") << true << false;
        QTest::newRow("a slot on layerComboBoxChanged refreshes") << false << false;
        QTest::newRow("the host's notice refreshes and deletes it later") << true << true;
        QTest::newRow("a slot on its own signal deletes it later") << false << true;
    }

    void handlerInsideTheClick()
    {
        QFETCH(bool, fromHostNotice);
        QFETCH(bool, deleteLater);
        add(L"Walls");
        combo->slotUpdate();
        openPopup();
        QPointer<KvCc::LayerComboBox> watched = combo.get();
        QPointer<KvCc::LayerItem> clicked = row(1);
        bool aliveDuringRefresh = false;
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
        QVERIFY(layer(L"Walls")->isLocked());
        QVERIFY(aliveDuringRefresh || !fromHostNotice);
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
        QVERIFY(!layer(L"Walls")->isLocked());
        QVERIFY(!row(1)->currentLayerData().locked);
        drawing->verifyNothingOpen();
    }

    void destroyed_data()
    {
        QTest::addColumn<bool>("popupOpen");
        QTest::newRow("destroyed before any refresh") << false;
        QTest::newRow("destroyed while the popup is open") << true;
    }

    void destroyed()
    {
        QFETCH(bool, popupOpen);
        // Until the first refresh it is empty and shows no face.
        QCOMPARE(combo->count(), 0);
        QVERIFY(!combo->lineEdit());
        QVERIFY(!combo->listWidget()->testAttribute(Qt::WA_MouseTracking));
        QPointer<KvCc::LayerEdit> face = combo->layerEdit();
        QPointer<QWidget> popup = combo->view()->window();
        QPointer<KvCc::LayerItem> firstRow;
        if (popupOpen) {
            combo->slotUpdate();
            openPopup();
            firstRow = row(0);
        }
        combo.reset();
        QVERIFY(!face);
        QVERIFY(!popup);
        QVERIFY(!firstRow);
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
