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
