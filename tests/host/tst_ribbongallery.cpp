#include "kvcctest.h"

#include <RibbonControls.h>

#include <QHelpEvent>
#include <QLabel>
#include <QPointer>
#include <QToolTip>
#include <QWidgetAction>

#include <memory>

using namespace JtRc;

// Drives the stand-in ribbon gallery as a user does and checks what a
// gallery of the host's ribbon library is relied on to do.
class TestRibbonGallery : public QObject
{
    Q_OBJECT

private:
    static std::unique_ptr<RibbonGalleryGroup> makeGroup(int count)
    {
        std::unique_ptr<RibbonGalleryGroup> group(RibbonGalleryGroup::createGalleryGroup());
        group->setSize(QSize(120, 21));
        for (int i = 0; i < count; ++i) {
            auto* item = new RibbonToolGalleryItem;
            item->setCaption(QStringLiteral("Item %1").arg(i));
            group->appendItem(item);
        }
        return group;
    }

    // A ribbon strip of three rows with a popup menu, as the view galleries use it.
    static void makeStrip(RibbonGallery& gallery, RibbonGalleryGroup* group)
    {
        gallery.setFixedSize(120, 65);
        gallery.setLabelsVisible(false);
        gallery.setBorderVisible(true);
        gallery.setGalleryGroup(group);
        gallery.setPopupMenu(OfficePopupMenu::createPopupMenu());
    }

    // The right-edge column holds up, down and drop buttons, one above the other.
    static QPoint upButton(const RibbonGallery& g) { return QPoint(g.width() - 7, 6); }
    static QPoint downButton(const RibbonGallery& g) { return QPoint(g.width() - 7, g.height() / 2); }
    static QPoint dropButton(const RibbonGallery& g) { return QPoint(g.width() - 7, g.height() - 6); }

    static QList<int> visibleItems(const RibbonGallery& g)
    {
        QList<int> shown;
        for (int i = 0; i < g.getGalleryGroup()->getItemCount(); ++i) {
            if (!g.itemRect(i).isEmpty())
                shown << i;
        }
        return shown;
    }

private slots:
    void groupKeepsItemsInOrderOfAppending()
    {
        std::unique_ptr<RibbonGalleryGroup> group(RibbonGalleryGroup::createGalleryGroup());
        QCOMPARE(group->getItemCount(), 0);
        group->setSize(QSize(120, 21));
        QCOMPARE(group->getSize(), QSize(120, 21));
        auto* first = new RibbonToolGalleryItem;
        auto* second = new RibbonGalleryItem;
        group->appendItem(first);
        group->appendItem(second);
        group->appendItem(first);
        group->appendItem(nullptr);
        QCOMPARE(group->getItemCount(), 2);
        QCOMPARE(group->getItem(0), first);
        QCOMPARE(group->getItem(1), second);
        QCOMPARE(group->getItem(2), nullptr);
        QCOMPARE(group->indexOf(second), 1);
        QCOMPARE(first->group(), group.get());
    }

    void itemBelongsToOneGroupOnly()
    {
        auto a = makeGroup(1);
        auto b = makeGroup(0);
        b->appendItem(a->getItem(0));
        QCOMPARE(b->getItemCount(), 0);
        QCOMPARE(a->getItem(0)->group(), a.get());
    }

    void pressOnItemEmitsIt_data()
    {
        QTest::addColumn<bool>("labels");
        QTest::addColumn<int>("index");
        QTest::newRow("a press on the first icon of a strip without labels reports the first item") << false << 0;
        QTest::newRow("a press on the third icon of a strip reports the third item") << false << 2;
        QTest::newRow("a press on a captioned row reports its item") << true << 1;
    }

    void pressOnItemEmitsIt()
    {
        QFETCH(bool, labels);
        QFETCH(int, index);
        auto group = makeGroup(10);
        RibbonGallery gallery;
        makeStrip(gallery, group.get());
        gallery.setLabelsVisible(labels);
        gallery.setCheckedIndex(0);
        gallery.show();
        QVERIFY(QTest::qWaitForWindowExposed(&gallery));

        QSignalSpy pressed(&gallery, &RibbonGallery::itemPressed);
        const QRect r = gallery.itemRect(index);
        QVERIFY(!r.isEmpty());
        QTest::mouseClick(&gallery, Qt::LeftButton, {}, r.center());
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed.last().at(0).value<RibbonGalleryItem*>(), group->getItem(index));
        // Deciding what becomes checked is the owner's business.
        QCOMPARE(gallery.checkedIndex(), 0);
    }

    void pressOutsideItemsEmitsNothing()
    {
        auto group = makeGroup(2);
        RibbonGallery gallery;
        gallery.resize(120, 100);
        gallery.setGalleryGroup(group.get());
        gallery.show();
        QVERIFY(QTest::qWaitForWindowExposed(&gallery));
        QSignalSpy pressed(&gallery, &RibbonGallery::itemPressed);
        QTest::mouseClick(&gallery, Qt::LeftButton, {}, QPoint(60, 90));
        QTest::mouseClick(&gallery, Qt::RightButton, {}, gallery.itemRect(0).center());
        QCOMPARE(pressed.count(), 0);
    }

    void checkedItemIsDrawnSelected()
    {
        auto group = makeGroup(3);
        RibbonGallery gallery;
        gallery.resize(120, 65);
        gallery.setGalleryGroup(group.get());
        gallery.setCheckedIndex(1);
        const QImage image = gallery.grab().toImage();
        const QColor highlight = gallery.palette().color(QPalette::Active, QPalette::Highlight);
        // Sample the right end of each row, where no caption is drawn.
        auto rowColor = [&](int index) {
            const QRect r = gallery.itemRect(index);
            return QColor(image.pixel(r.right() - 3, r.center().y()));
        };
        QCOMPARE(rowColor(1), highlight);
        QVERIFY(rowColor(0) != highlight);
        QVERIFY(rowColor(2) != highlight);
    }

    void checkingByItemOrIndex()
    {
        auto group = makeGroup(4);
        auto other = makeGroup(1);
        RibbonGallery gallery;
        QCOMPARE(gallery.checkedItem(), nullptr);
        gallery.setGalleryGroup(group.get());
        gallery.setCheckedItem(group->getItem(2));
        QCOMPARE(gallery.checkedIndex(), 2);
        QCOMPARE(gallery.checkedItem(), group->getItem(2));
        gallery.setCheckedItem(other->getItem(0));
        QCOMPARE(gallery.checkedIndex(), -1);
        gallery.setCheckedIndex(3);
        QCOMPARE(gallery.checkedItem(), group->getItem(3));
        gallery.setCheckedIndex(4);
        QCOMPARE(gallery.checkedItem(), nullptr);
    }

    void twoGalleriesShowOneGroup()
    {
        auto group = makeGroup(3);
        RibbonGallery strip;
        RibbonGallery list;
        makeStrip(strip, group.get());
        list.setFixedSize(120, 3 * 21 + 2);
        list.setGalleryGroup(group.get());
        strip.setCheckedIndex(0);
        list.setCheckedIndex(2);
        QCOMPARE(strip.checkedIndex(), 0);
        QCOMPARE(list.checkedIndex(), 2);
        QCOMPARE(strip.getGalleryGroup(), list.getGalleryGroup());

        auto* late = new RibbonToolGalleryItem;
        late->setCaption(QStringLiteral("late"));
        group->appendItem(late);
        QCOMPARE(list.itemAt(QPoint(5, 3 * 21 + 1 - 21 / 2)), group->getItem(2));
        // The strip scrolls to the fourth row.
        strip.setCheckedIndex(3);
        QCOMPARE(strip.itemAt(strip.itemRect(3).center()), late);
    }

    void itemAreaIsNarrowerByDropButton()
    {
        auto group = makeGroup(2);
        RibbonGallery gallery;
        gallery.setFixedSize(120, 65);
        gallery.setGalleryGroup(group.get());
        QCOMPARE(gallery.itemRect(0), QRect(0, 1, 120, 21));
        gallery.setPopupMenu(OfficePopupMenu::createPopupMenu());
        const QRect narrowed = gallery.itemRect(0);
        QCOMPARE(narrowed.left(), 0);
        QVERIFY(narrowed.width() < 120);
        QVERIFY(narrowed.width() >= 100);
        QCOMPARE(gallery.itemAt(QPoint(119, 10)), nullptr);
    }

    void dropButtonOpensPopupWithoutBlocking()
    {
        auto group = makeGroup(10);
        RibbonGallery gallery;
        makeStrip(gallery, group.get());
        QLabel* inside = new QLabel(QStringLiteral("inside"));
        gallery.popupMenu()->addWidget(inside);
        gallery.show();
        QVERIFY(QTest::qWaitForWindowExposed(&gallery));

        QSignalSpy pressed(&gallery, &RibbonGallery::itemPressed);
        QTest::mouseClick(&gallery, Qt::LeftButton, {}, dropButton(gallery));
        // mouseClick returned: the menu runs no loop of its own.
        OfficePopupMenu* menu = gallery.popupMenu();
        QVERIFY(menu->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QCOMPARE(QApplication::activePopupWidget(), menu);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QVERIFY(inside->isVisible());
        QVERIFY(menu->geometry().top() >= gallery.mapToGlobal(QPoint(0, gallery.height())).y() - 1);
        QCOMPARE(pressed.count(), 0);
        menu->close();
    }

    void pressInGalleryInsidePopupClosesPopup()
    {
        auto group = makeGroup(4);
        RibbonGallery gallery;
        makeStrip(gallery, group.get());
        auto* list = new RibbonGallery;
        list->setFixedSize(120, 4 * 21 + 2);
        list->setGalleryGroup(group.get());
        list->setScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        gallery.popupMenu()->addWidget(list);
        gallery.show();
        QVERIFY(QTest::qWaitForWindowExposed(&gallery));
        gallery.showPopup();
        QVERIFY(QTest::qWaitForWindowExposed(gallery.popupMenu()));

        QSignalSpy pressed(list, &RibbonGallery::itemPressed);
        QTest::mouseClick(list, Qt::LeftButton, {}, list->itemRect(3).center());
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed.last().at(0).value<RibbonGalleryItem*>(), group->getItem(3));
        QVERIFY(!gallery.popupMenu()->isVisible());
    }

    void scrollButtonsBringHiddenRowsIntoView()
    {
        auto group = makeGroup(10);
        RibbonGallery gallery;
        makeStrip(gallery, group.get());
        gallery.show();
        QVERIFY(QTest::qWaitForWindowExposed(&gallery));
        QCOMPARE(visibleItems(gallery), (QList<int>{0, 1, 2}));

        QTest::mouseClick(&gallery, Qt::LeftButton, {}, upButton(gallery));
        QCOMPARE(visibleItems(gallery), (QList<int>{0, 1, 2}));
        for (int i = 0; i < 10; ++i)
            QTest::mouseClick(&gallery, Qt::LeftButton, {}, downButton(gallery));
        QCOMPARE(visibleItems(gallery), (QList<int>{7, 8, 9}));
        QTest::mouseClick(&gallery, Qt::LeftButton, {}, upButton(gallery));
        QCOMPARE(visibleItems(gallery), (QList<int>{6, 7, 8}));
        QVERIFY(!gallery.popupMenu()->isVisible());

        QWheelEvent wheel(QPointF(30, 30), QPointF(gallery.mapToGlobal(QPoint(30, 30))), QPoint(), QPoint(0, 240),
            Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&gallery, &wheel);
        QCOMPARE(visibleItems(gallery), (QList<int>{4, 5, 6}));
    }

    void checkingScrollsItemIntoView()
    {
        auto group = makeGroup(10);
        RibbonGallery gallery;
        makeStrip(gallery, group.get());
        gallery.setCheckedIndex(8);
        QVERIFY(!gallery.itemRect(8).isEmpty());
        gallery.setCheckedIndex(1);
        QVERIFY(!gallery.itemRect(1).isEmpty());
    }

    void scrollButtonsFollowPolicy()
    {
        auto group = makeGroup(10);
        RibbonGallery gallery;
        gallery.setFixedSize(120, 65);
        gallery.setGalleryGroup(group.get());
        QVERIFY(gallery.itemRect(0).width() < 120);
        gallery.setScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        QCOMPARE(gallery.itemRect(0).width(), 120);
        group.reset();
        QCOMPARE(gallery.getGalleryGroup(), nullptr);
    }

    void captionShowsAsToolTipWhereLabelsAreHidden()
    {
        auto group = makeGroup(3);
        RibbonGallery gallery;
        makeStrip(gallery, group.get());
        gallery.show();
        QVERIFY(QTest::qWaitForWindowExposed(&gallery));
        const QPoint at = gallery.itemRect(1).center();
        QHelpEvent help(QEvent::ToolTip, at, gallery.mapToGlobal(at));
        QApplication::sendEvent(&gallery, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Item 1"));
        QToolTip::hideText();
    }

    void galleryOwnsItsPopupMenu()
    {
        QPointer<OfficePopupMenu> first = OfficePopupMenu::createPopupMenu();
        QPointer<OfficePopupMenu> second = OfficePopupMenu::createPopupMenu();
        {
            RibbonGallery gallery;
            gallery.setPopupMenu(first);
            gallery.setPopupMenu(first);
            QVERIFY(first);
            gallery.setPopupMenu(second);
            QVERIFY(!first);
            QCOMPARE(gallery.popupMenu(), second.data());
        }
        QVERIFY(!second);
    }

    void widgetInPopupMayBeDeletedBeforeMenu()
    {
        std::unique_ptr<OfficePopupMenu> menu(OfficePopupMenu::createPopupMenu());
        QPointer<QLabel> label = new QLabel(QStringLiteral("x"));
        QAction* action = menu->addWidget(label);
        QVERIFY(qobject_cast<QWidgetAction*>(action));
        QCOMPARE(menu->addWidget(nullptr), nullptr);
        delete label.data();
        menu.reset();
        QVERIFY(!label);
    }

    // The owner deletes the group before the gallery, whose destructor and
    // painting must not touch the group any more.
    void galleryOutlivesItsGroup()
    {
        auto group = makeGroup(3);
        auto gallery = std::make_unique<RibbonGallery>();
        makeStrip(*gallery, group.get());
        gallery->setCheckedIndex(1);
        gallery->show();
        QVERIFY(QTest::qWaitForWindowExposed(gallery.get()));
        group.reset();
        QCOMPARE(gallery->checkedItem(), nullptr);
        QCOMPARE(gallery->checkedIndex(), -1);
        QVERIFY(gallery->itemRect(0).isEmpty());
        gallery->grab();
        QTest::mouseClick(gallery.get(), Qt::LeftButton, {}, QPoint(10, 10));
        gallery.reset();
    }

    void destroyingGalleryWhilePopupIsOpen()
    {
        auto group = makeGroup(3);
        auto gallery = std::make_unique<RibbonGallery>();
        makeStrip(*gallery, group.get());
        gallery->show();
        QVERIFY(QTest::qWaitForWindowExposed(gallery.get()));
        QTest::mouseClick(gallery.get(), Qt::LeftButton, {}, dropButton(*gallery));
        QPointer<OfficePopupMenu> menu = gallery->popupMenu();
        QVERIFY(menu->isVisible());
        gallery.reset();
        QVERIFY(!menu);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
    }
};

KVCC_TEST_MAIN(TestRibbonGallery)
#include "tst_ribbongallery.moc"
