#include "kvcctest.h"

#include <RibbonControls.h>

#include <QLabel>
#include <QToolTip>

using namespace JtRc;

// Drives the stand-in ribbon gallery as a user does and checks what a
// gallery of the host's ribbon library is relied on to do.
class TestRibbonGallery : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<RibbonGalleryGroup> group;
    std::unique_ptr<RibbonGallery> gallery;

    static std::unique_ptr<RibbonGalleryGroup> makeGroup(int count)
    {
        std::unique_ptr<RibbonGalleryGroup> g(RibbonGalleryGroup::createGalleryGroup());
        g->setSize(QSize(120, 21));
        for (int i = 0; i < count; ++i) {
            auto* item = new RibbonToolGalleryItem;
            item->setCaption(QStringLiteral("Item %1").arg(i));
            g->appendItem(item);
        }
        return g;
    }

    // A shown ribbon strip of three rows with a popup menu, as the view galleries use it.
    RibbonGallery& strip(int count, bool labels = false)
    {
        group = makeGroup(count);
        gallery = std::make_unique<RibbonGallery>();
        gallery->setFixedSize(120, 65);
        gallery->setLabelsVisible(labels);
        gallery->setBorderVisible(true);
        gallery->setGalleryGroup(group.get());
        gallery->setPopupMenu(OfficePopupMenu::createPopupMenu());
        gallery->show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(gallery.get())); }();
        return *gallery;
    }

    // The right-edge column holds up, down and drop buttons, one above the other.
    static void clickControl(RibbonGallery& g, int y) { QTest::mouseClick(&g, Qt::LeftButton, {}, QPoint(g.width() - 7, y)); }

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
    void cleanup()
    {
        gallery.reset();
        group.reset();
    }

    // An item belongs to one group; appending it twice, or to a second group, is ignored.
    void groupKeepsEachItemOnceInOrderOfAppending()
    {
        auto g = makeGroup(0);
        auto other = makeGroup(1);
        auto* first = new RibbonToolGalleryItem;
        auto* second = new RibbonGalleryItem;
        for (RibbonGalleryItem* item : std::initializer_list<RibbonGalleryItem*>{first, second, first, nullptr, other->getItem(0)})
            g->appendItem(item);
        QCOMPARE(g->getItemCount(), 2);
        QCOMPARE(g->indexOf(second), 1);
        QCOMPARE(other->getItem(0)->group(), other.get());
    }

    void pressOnItemEmitsIt_data()
    {
        QTest::addColumn<bool>("labels");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("index");
        QTest::newRow("a press on the first icon of a strip reports the first item") << false << 10 << 0;
        QTest::newRow("a press on the third icon of a strip reports the third item") << false << 10 << 2;
        QTest::newRow("a press on a captioned row reports its item") << true << 10 << 1;
        QTest::newRow("a press below the last row reports nothing") << true << 2 << -1;
    }

    // Only the left button presses, and what becomes checked is the owner's business.
    void pressOnItemEmitsIt()
    {
        QFETCH(bool, labels);
        QFETCH(int, count);
        QFETCH(int, index);
        RibbonGallery& g = strip(count, labels);
        g.setCheckedIndex(0);
        QSignalSpy pressed(&g, &RibbonGallery::itemPressed);
        const QPoint at = index < 0 ? QPoint(30, g.height() - 5) : g.itemRect(index).center();
        QTest::mouseClick(&g, Qt::RightButton, {}, at);
        QCOMPARE(pressed.count(), 0);
        QTest::mouseClick(&g, Qt::LeftButton, {}, at);
        QCOMPARE(pressed.count(), index < 0 ? 0 : 1);
        QCOMPARE(pressed.value(0).value(0).value<RibbonGalleryItem*>(), group->getItem(index));
        QCOMPARE(g.checkedIndex(), 0);
    }

    void onlyTheCheckedItemIsDrawnSelected()
    {
        RibbonGallery& g = strip(3, true);
        g.setCheckedIndex(1);
        const QImage image = g.grab().toImage();
        // Sample the right end of each row, where no caption is drawn.
        QList<bool> selected;
        for (int i = 0; i < 3; ++i)
            selected << (image.pixel(g.itemRect(i).right() - 3, g.itemRect(i).center().y())
                         == g.palette().color(QPalette::Highlight).rgb());
        QCOMPARE(selected, (QList<bool>{false, true, false}));
    }

    // Checking scrolls the item into view; an item of another group or an
    // index past the end checks nothing; items appended later are shown.
    void checkingByItemOrIndex()
    {
        RibbonGallery& g = strip(10);
        auto other = makeGroup(1);
        g.setCheckedItem(group->getItem(8));
        QCOMPARE(g.checkedIndex(), 8);
        QVERIFY(!g.itemRect(8).isEmpty());
        g.setCheckedItem(other->getItem(0));
        QCOMPARE(g.checkedIndex(), -1);
        g.setCheckedIndex(10);
        QCOMPARE(g.checkedItem(), nullptr);
        auto* late = new RibbonToolGalleryItem;
        group->appendItem(late);
        g.setCheckedIndex(10);
        QCOMPARE(g.itemAt(g.itemRect(10).center()), late);
    }

    // Scroll buttons and the drop button each take their column from the item area.
    void itemAreaMakesRoomForTheButtons()
    {
        auto g = makeGroup(3);
        RibbonGallery gallery;
        gallery.setFixedSize(120, 65);
        gallery.setGalleryGroup(g.get());
        QCOMPARE(gallery.itemRect(0), QRect(0, 1, 120, 21));
        gallery.setPopupMenu(OfficePopupMenu::createPopupMenu());
        QVERIFY(gallery.itemRect(0).width() < 120 && gallery.itemRect(0).width() >= 100);
        QCOMPARE(gallery.itemAt(QPoint(119, 10)), nullptr);
        gallery.setPopupMenu(nullptr);
        g->appendItem(new RibbonToolGalleryItem); // one row more than shows
        QVERIFY(gallery.itemRect(0).width() < 120);
        gallery.setScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        QCOMPARE(gallery.itemRect(0).width(), 120);
    }

    // The menu runs no loop of its own; a press in a gallery inside it closes
    // it, and it is destroyed with an open gallery.
    void dropButtonOpensThePopupBelowWithoutBlocking()
    {
        RibbonGallery& g = strip(4);
        auto* list = new RibbonGallery;
        list->setFixedSize(120, 4 * 21 + 2);
        list->setGalleryGroup(group.get());
        g.popupMenu()->addWidget(list);
        QPointer<OfficePopupMenu> menu = g.popupMenu();
        clickControl(g, g.height() - 6);
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        QCOMPARE(QApplication::activePopupWidget(), menu.data());
        QVERIFY(list->isVisible() && menu->geometry().top() >= g.mapToGlobal(QPoint(0, g.height())).y() - 1);
        QSignalSpy pressed(list, &RibbonGallery::itemPressed);
        QTest::mouseClick(list, Qt::LeftButton, {}, list->itemRect(3).center());
        QCOMPARE(pressed.count(), 1);
        QVERIFY(!menu->isVisible());
        clickControl(g, g.height() - 6);
        QVERIFY(QTest::qWaitForWindowExposed(menu));
        gallery.reset();
        QVERIFY(!menu);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
    }

    void scrollButtonsAndTheWheelBringHiddenRowsIntoView()
    {
        RibbonGallery& g = strip(10);
        QCOMPARE(visibleItems(g), (QList<int>{0, 1, 2}));
        clickControl(g, 6);
        QCOMPARE(visibleItems(g), (QList<int>{0, 1, 2}));
        for (int i = 0; i < 10; ++i)
            clickControl(g, g.height() / 2);
        QCOMPARE(visibleItems(g), (QList<int>{7, 8, 9}));
        clickControl(g, 6);
        QCOMPARE(visibleItems(g), (QList<int>{6, 7, 8}));
        QVERIFY(!g.popupMenu()->isVisible());
        QWheelEvent wheel(QPointF(30, 30), QPointF(g.mapToGlobal(QPoint(30, 30))), QPoint(), QPoint(0, 240),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&g, &wheel);
        QCOMPARE(visibleItems(g), (QList<int>{4, 5, 6}));
    }

    void captionShowsAsToolTipWhereLabelsAreHidden()
    {
        RibbonGallery& g = strip(3);
        const QPoint at = g.itemRect(1).center();
        QHelpEvent help(QEvent::ToolTip, at, g.mapToGlobal(at));
        QApplication::sendEvent(&g, &help);
        QTRY_VERIFY(QToolTip::isVisible());
        QCOMPARE(QToolTip::text(), QStringLiteral("Item 1"));
        QToolTip::hideText();
    }

    // A new menu replaces the old one, which is deleted; widgets in the menu
    // may be deleted before it.
    void galleryOwnsItsPopupMenuButNotItsWidgets()
    {
        QPointer<OfficePopupMenu> first = OfficePopupMenu::createPopupMenu();
        QPointer<OfficePopupMenu> second = OfficePopupMenu::createPopupMenu();
        {
            RibbonGallery g;
            g.setPopupMenu(first);
            g.setPopupMenu(first);
            QVERIFY(first);
            g.setPopupMenu(second);
            QVERIFY(!first);
            auto* label = new QLabel(QStringLiteral("x"));
            second->addWidget(label);
            delete label;
        }
        QVERIFY(!second);
    }

    // The owner deletes the group before the gallery, whose destructor and
    // painting must not touch the group any more.
    void galleryOutlivesItsGroup()
    {
        RibbonGallery& g = strip(3);
        g.setCheckedIndex(1);
        group.reset();
        QCOMPARE(g.checkedItem(), nullptr);
        QCOMPARE(g.checkedIndex(), -1);
        QVERIFY(g.itemRect(0).isEmpty());
        g.grab();
        QTest::mouseClick(&g, Qt::LeftButton, {}, QPoint(10, 10));
    }
};

KVCC_TEST_MAIN(TestRibbonGallery)
#include "tst_ribbongallery.moc"
