#include "kvcctest.h"

#include "tst_viewgallery_hosticons.h"

#include <viewgallery.h>
#include <viewportgallery.h>

#include <QPointer>
#include <QRandomGenerator>
#include <QWidgetAction>

#include <memory>

using JtRc::OfficePopupMenu;
using JtRc::RibbonGallery;
using JtRc::RibbonGalleryItem;

namespace {

enum class Kind { View, ViewPort };

std::unique_ptr<KvCc::BaseGallery> make(Kind kind)
{
    if (kind == Kind::View)
        return std::make_unique<KvCc::ViewGallery>();
    return std::make_unique<KvCc::ViewPortGallery>();
}

const QStringList viewCaptions = {"Top", "Bottom", "Left", "Right", "Front", "Back", "Southwest", "Southeast",
    "Northeast", "Northwest"};
const QStringList viewPortCaptions = {"Single", "Two:Vertical", "Two:Horizontal", "Three:Right", "Three:Left",
    "Three:Above", "Three:Below", "Three:Vertical", "Three:Horizontal", "Four:Equal", "Four:Right", "Four:Left"};

} // namespace

Q_DECLARE_METATYPE(Kind)

// Picks views and viewport layouts with the mouse in the ribbon strip and in
// its popup, and checks that both galleries keep the same item checked.
class TestViewGallery : public QObject
{
    Q_OBJECT

private:
    static RibbonGallery* popupGalleryOf(const KvCc::BaseGallery& gallery)
    {
        OfficePopupMenu* menu = gallery.popupMenu();
        if (!menu || menu->actions().size() != 1)
            return nullptr;
        auto* action = qobject_cast<QWidgetAction*>(menu->actions().first());
        return action ? qobject_cast<RibbonGallery*>(action->defaultWidget()) : nullptr;
    }

    // The drop button is the lowest of the buttons at the strip's right edge,
    // above it the down and up scroll buttons.
    static QPoint dropButton(const RibbonGallery& g) { return QPoint(g.width() - 7, g.height() - 6); }
    static QPoint downButton(const RibbonGallery& g) { return QPoint(g.width() - 7, g.height() / 2); }
    static QPoint upButton(const RibbonGallery& g) { return QPoint(g.width() - 7, 6); }

    static void openPopup(KvCc::BaseGallery& gallery)
    {
        QTest::mouseClick(&gallery, Qt::LeftButton, {}, dropButton(gallery));
        QVERIFY(gallery.popupMenu()->isVisible());
        QVERIFY(QTest::qWaitForWindowExposed(gallery.popupMenu()));
    }

    static void pressInPopup(KvCc::BaseGallery& gallery, int index)
    {
        openPopup(gallery);
        if (QTest::currentTestFailed())
            return;
        RibbonGallery* popup = popupGalleryOf(gallery);
        QVERIFY(popup);
        const QRect r = popup->itemRect(index);
        QVERIFY2(!r.isEmpty(), "every item shows in the popup");
        QTest::mouseClick(popup, Qt::LeftButton, {}, r.center());
        QVERIFY(!gallery.popupMenu()->isVisible());
    }

    static void kinds()
    {
        QTest::addColumn<Kind>("kind");
        QTest::newRow("view gallery") << Kind::View;
        QTest::newRow("viewport gallery") << Kind::ViewPort;
    }

    static std::unique_ptr<KvCc::BaseGallery> shown(Kind kind)
    {
        auto gallery = make(kind);
        gallery->show();
        [&] { QVERIFY(QTest::qWaitForWindowExposed(gallery.get())); }();
        return gallery;
    }

    static void verifyChecked(const KvCc::BaseGallery& gallery, int index)
    {
        RibbonGallery* popup = popupGalleryOf(gallery);
        QVERIFY(popup);
        QCOMPARE(gallery.checkedIndex(), index);
        QCOMPARE(popup->checkedIndex(), index);
        QCOMPARE(gallery.checkedItem(), gallery.getGalleryGroup()->getItem(index));
        QCOMPARE(popup->checkedItem(), gallery.checkedItem());
    }

private slots:
    void newGalleryIsBuiltFromItsTable_data()
    {
        QTest::addColumn<Kind>("kind");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<int>("popupHeight");
        QTest::newRow("the view gallery holds the ten standard views") << Kind::View << viewCaptions << 212;
        QTest::newRow("the viewport gallery holds the twelve layouts") << Kind::ViewPort << viewPortCaptions << 254;
    }

    // Every item has its own caption, in table order, and no host picture
    // is registered here, so none has an icon.
    void newGalleryIsBuiltFromItsTable()
    {
        QFETCH(Kind, kind);
        QFETCH(QStringList, captions);
        QFETCH(int, popupHeight);
        auto gallery = make(kind);
        JtRc::RibbonGalleryGroup* group = gallery->getGalleryGroup();
        QVERIFY(group);
        QCOMPARE(group->getItemCount(), captions.size());
        for (int i = 0; i < captions.size(); ++i) {
            QCOMPARE(group->getItem(i)->caption(), captions.at(i));
            QVERIFY(group->getItem(i)->icon().isNull());
        }
        QCOMPARE(gallery->size(), QSize(120, 65));
        RibbonGallery* popup = popupGalleryOf(*gallery);
        QVERIFY(popup);
        QCOMPARE(popup->size(), QSize(120, popupHeight));
        QCOMPARE(popup->getGalleryGroup(), group);
        QVERIFY(popup->isLabelsVisible());
        QCOMPARE(popup->scrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        verifyChecked(*gallery, 0);
    }

    void hostPicturesBecomeItemIcons()
    {
        HostIcons icons;
        QVERIFY(icons.isRegistered());
        KvCc::ViewGallery views;
        KvCc::ViewPortGallery viewports;
        for (int i = 0; i < 10; ++i) {
            const QIcon icon = views.getGalleryGroup()->getItem(i)->icon();
            QCOMPARE(icon.pixmap(HostIcons::viewSize).size(), QSize(HostIcons::viewSize, HostIcons::viewSize));
        }
        // Pictures of any size are scaled to 16 x 16.
        for (int i = 0; i < 12; ++i)
            QCOMPARE(viewports.getGalleryGroup()->getItem(i)->icon().availableSizes(), QList<QSize>{QSize(16, 16)});
    }

    // Building again changes nothing: one popup, one connection, one signal per press.
    void pressInStripChecksItemInBoth()
    {
        auto gallery = shown(Kind::View);
        QPointer<OfficePopupMenu> menu = gallery->popupMenu();
        RibbonGallery* popup = popupGalleryOf(*gallery);
        gallery->creatBaseGallery();
        QCOMPARE(gallery->popupMenu(), menu.data());
        QCOMPARE(popupGalleryOf(*gallery), popup);

        QSignalSpy pressed(gallery.get(), SIGNAL(itemPressed(RibbonGalleryItem*)));
        QSignalSpy popupPressed(popup, SIGNAL(itemPressed(RibbonGalleryItem*)));
        QTest::mouseClick(gallery.get(), Qt::LeftButton, {}, gallery->itemRect(2).center());
        verifyChecked(*gallery, 2);
        QCOMPARE(pressed.count(), 1);
        QCOMPARE(pressed.last().at(0).value<RibbonGalleryItem*>(), gallery->getGalleryGroup()->getItem(2));
        QCOMPARE(popupPressed.count(), 0);

        // The popup shows it checked when it opens next.
        openPopup(*gallery);
        QCOMPARE(popup->checkedIndex(), 2);
        gallery->popupMenu()->close();
    }

    // A host listens to the strip's itemPressed() only; picks in the popup
    // used to reach nothing but the popup gallery's own signal.
    void pickInPopupReachesHostThroughStrip()
    {
        auto gallery = shown(Kind::View);
        QList<int> seen;
        QObject::connect(gallery.get(), &RibbonGallery::itemPressed, gallery.get(), [&](RibbonGalleryItem* item) {
            // Both galleries follow before the host hears of the pick.
            QCOMPARE(gallery->checkedItem(), item);
            QCOMPARE(popupGalleryOf(*gallery)->checkedItem(), item);
            seen << gallery->getGalleryGroup()->indexOf(item);
        });
        pressInPopup(*gallery, 7);
        QVERIFY(!gallery->itemRect(6).isEmpty());
        QTest::mouseClick(gallery.get(), Qt::LeftButton, {}, gallery->itemRect(6).center());
        pressInPopup(*gallery, 8);
        pressInPopup(*gallery, 8); // a pick of the checked item is still a pick
        QCOMPARE(seen, (QList<int>{7, 6, 8, 8}));
        verifyChecked(*gallery, 8);
    }

    void manyPressesInAnyOrderKeepBothGalleriesInStep_data() { kinds(); }

    void manyPressesInAnyOrderKeepBothGalleriesInStep()
    {
        QFETCH(Kind, kind);
        auto gallery = shown(kind);
        QSignalSpy pressed(gallery.get(), SIGNAL(itemPressed(RibbonGalleryItem*)));
        const int count = gallery->getGalleryGroup()->getItemCount();
        QRandomGenerator random(7);
        int expected = 0;
        int presses = 0;
        for (int step = 0; step < 120; ++step) {
            const int index = random.bounded(count);
            switch (random.bounded(3)) {
            case 0:
                pressInPopup(*gallery, index);
                // The strip scrolls to show the item picked in the popup.
                QVERIFY(!gallery->itemRect(index).isEmpty());
                break;
            case 1: {
                // Scroll the strip with its buttons until the item shows.
                const QPoint button = index < gallery->checkedIndex() ? upButton(*gallery) : downButton(*gallery);
                for (int i = 0; i < count && gallery->itemRect(index).isEmpty(); ++i)
                    QTest::mouseClick(gallery.get(), Qt::LeftButton, {}, button);
                QVERIFY(!gallery->itemRect(index).isEmpty());
                QTest::mouseClick(gallery.get(), Qt::LeftButton, {}, gallery->itemRect(index).center());
                break;
            }
            default:
                // Open the popup and close it again without a pick.
                openPopup(*gallery);
                gallery->popupMenu()->close();
                verifyChecked(*gallery, expected);
                continue;
            }
            if (QTest::currentTestFailed())
                return;
            ++presses;
            expected = index;
            verifyChecked(*gallery, expected);
            QCOMPARE(pressed.count(), presses);
            QCOMPARE(pressed.last().at(0).value<RibbonGalleryItem*>(), gallery->getGalleryGroup()->getItem(index));
        }
    }

    void destroyingGalleryWhilePopupIsOpen_data() { kinds(); }

    void destroyingGalleryWhilePopupIsOpen()
    {
        QFETCH(Kind, kind);
        auto gallery = shown(kind);
        openPopup(*gallery);
        QPointer<OfficePopupMenu> menu = gallery->popupMenu();
        QPointer<RibbonGallery> popup = popupGalleryOf(*gallery);
        QPointer<JtRc::RibbonGalleryGroup> group = gallery->getGalleryGroup();
        QVERIFY(popup->isVisible());
        gallery.reset();
        QVERIFY(!menu);
        QVERIFY(!popup);
        QVERIFY(!group);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        QCoreApplication::processEvents();
    }

    void destroyingGalleryFromHostSlotOfPopupPick()
    {
        auto gallery = shown(Kind::View);
        QObject::connect(gallery.get(), &RibbonGallery::itemPressed, gallery.get(),
            [&gallery](RibbonGalleryItem*) { gallery.reset(); });
        openPopup(*gallery);
        QPointer<OfficePopupMenu> menu = gallery->popupMenu();
        RibbonGallery* popup = popupGalleryOf(*gallery);
        QTest::mousePress(popup, Qt::LeftButton, {}, popup->itemRect(3).center());
        QVERIFY(!gallery);
        QVERIFY(!menu);
        // The release goes elsewhere: the pressed widget is gone.
        QWidget elsewhere;
        QTest::mouseRelease(&elsewhere, Qt::LeftButton);
    }

    void itemsMayHaveFewerIconsThanNames()
    {
        KvCc::BaseGallery empty;
        empty.creatBaseGallery();
        QCOMPARE(empty.popupMenu(), nullptr);
        QCOMPARE(empty.getGalleryGroup(), nullptr);

        KvCc::BaseGallery gallery;
        QPixmap red(16, 16);
        red.fill(Qt::red);
        gallery.createGalleryItems({QStringLiteral("a"), QStringLiteral("b")}, {QIcon(red)});
        gallery.creatBaseGallery();
        QCOMPARE(gallery.getGalleryGroup()->getItemCount(), 2);
        QVERIFY(!gallery.getGalleryGroup()->getItem(0)->icon().isNull());
        QVERIFY(gallery.getGalleryGroup()->getItem(1)->icon().isNull());
        QCOMPARE(popupGalleryOf(gallery)->height(), 2 * 21 + 2);
    }
};

KVCC_TEST_MAIN(TestViewGallery)
#include "tst_viewgallery.moc"
