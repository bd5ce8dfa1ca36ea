#include "kvcctest.h"

#include <kvcctranslations.h>
#include <viewbutton.h>
#include <viewgallery.h>
#include <viewportgallery.h>

#include <QAccessible>
#include <QActionGroup>
#include <QMenu>
#include <QPointer>
#include <QScopeGuard>
#include <QWidgetAction>

#include <memory>

using JtRc::OfficePopupMenu;
using JtRc::RibbonGallery;
using JtRc::RibbonGalleryItem;

static std::unique_ptr<KvCc::BaseGallery> shown(bool viewports)
{
    std::unique_ptr<KvCc::BaseGallery> gallery;
    gallery.reset(viewports ? static_cast<KvCc::BaseGallery*>(new KvCc::ViewPortGallery) : new KvCc::ViewGallery);
    gallery->show();
    return QTest::qWaitForWindowExposed(gallery.get()) ? std::move(gallery) : nullptr;
}

static RibbonGallery* popupGalleryOf(const KvCc::BaseGallery& gallery)
{
    OfficePopupMenu* menu = gallery.popupMenu();
    auto* action = menu && menu->actions().size() == 1 ? qobject_cast<QWidgetAction*>(menu->actions().first()) : nullptr;
    return action ? qobject_cast<RibbonGallery*>(action->defaultWidget()) : nullptr;
}

// Clicks the drop button, the lowest at the strip's right edge.
static void openPopup(KvCc::BaseGallery& gallery)
{
    QTest::mouseClick(&gallery, Qt::LeftButton, {}, QPoint(gallery.width() - 7, gallery.height() - 6));
    QVERIFY(QTest::qWaitForWindowExposed(gallery.popupMenu()));
}

static void pressInPopup(KvCc::BaseGallery& gallery, int index)
{
    openPopup(gallery);
    RibbonGallery* popup = popupGalleryOf(gallery);
    QVERIFY(popup && !popup->itemRect(index).isEmpty());
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->itemRect(index).center());
    QVERIFY(!gallery.popupMenu()->isVisible());
}

static void verifyChecked(const KvCc::BaseGallery& gallery, int index)
{
    QCOMPARE(gallery.checkedIndex(), index);
    QCOMPARE(popupGalleryOf(gallery)->checkedIndex(), index);
}

static const QStringList viewNames = {"Top", "Bottom", "Left", "Right", "Front", "Back", "Southwest", "Southeast",
    "Northeast", "Northwest"};

// The text and two pixels of frame on either side.
static QSize fittedSize(const KvCc::ViewButton& button, const QString& text)
{
    return QSize(button.fontMetrics().horizontalAdvance(text) + 4, 20);
}

// Opens the menu with a click on the button and clicks the named entry, or
// presses Escape when there is none. The menu runs its own loop, so this
// happens from a timer.
static bool pick(KvCc::ViewButton& button, const QString& name)
{
    bool clicked = false;
    QTimer::singleShot(0, &button, [&] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QAction* action = menu && !name.isEmpty() ? menu->findChild<QAction*>(name) : nullptr;
        if (action)
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        else if (menu)
            QTest::keyClick(menu, Qt::Key_Escape);
        clicked = action;
    });
    QTest::mouseClick(&button, Qt::LeftButton);
    return clicked && !button.menu()->isVisible();
}

// Picks views and viewport layouts with the mouse in the ribbon strip and in
// its popup, against stand-ins of the host's pictures, and standard views
// from the view button's menu.
class TestViewControls : public QObject
{
    Q_OBJECT

private slots:
    // View pictures are used as they are, layouts scaled to 16 x 16.
    void aNewGalleryIsBuiltFromItsTable_data()
    {
        QTest::addColumn<bool>("viewports");
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QSize>("popupSize");
        QTest::addColumn<int>("iconSide");
        QTest::newRow("the view gallery holds the ten standard views") << false << viewNames << QSize(120, 212) << 32;
        QTest::newRow("the viewport gallery holds the twelve layouts") << true
            << QStringList{"Single", "Two:Vertical", "Two:Horizontal", "Three:Right", "Three:Left", "Three:Above",
                           "Three:Below", "Three:Vertical", "Three:Horizontal", "Four:Equal", "Four:Right", "Four:Left"}
            << QSize(120, 254) << 16;
    }
    void aNewGalleryIsBuiltFromItsTable()
    {
        QFETCH(bool, viewports);
        QFETCH(QStringList, captions);
        QFETCH(int, iconSide);
        auto gallery = shown(viewports);
        QVERIFY(gallery);
        JtRc::RibbonGalleryGroup* group = gallery->getGalleryGroup();
        QCOMPARE(group->getItemCount(), captions.size());
        // Screen readers hear the items named by their captions, the checked one selected.
        QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(gallery.get());
        QCOMPARE(spoken->childCount(), captions.size());
        QVERIFY(spoken->child(0)->state().selected && !spoken->child(1)->state().selected);
        for (int i = 0; i < captions.size(); ++i) {
            QCOMPARE(spoken->child(i)->text(QAccessible::Name), captions.at(i));
            QCOMPARE(group->getItem(i)->caption(), captions.at(i));
            QCOMPARE(group->getItem(i)->icon().availableSizes(), QList<QSize>{QSize(iconSide, iconSide)});
        }
        RibbonGallery* popup = popupGalleryOf(*gallery);
        QVERIFY(popup);
        QTEST(popup->size(), "popupSize");
        QCOMPARE(popup->getGalleryGroup(), group);
        verifyChecked(*gallery, 0);
        // The popup lists every item, the last one too.
        pressInPopup(*gallery, captions.size() - 1);
        verifyChecked(*gallery, captions.size() - 1);
    }

    // The host listens to the strip's itemPressed() only: each press in
    // either gallery reaches it once, after both galleries checked the item,
    // also a press of the item already checked. Building a second time adds
    // no second popup or connection.
    void aPressInEitherGalleryChecksTheItemInBoth()
    {
        auto gallery = shown(false);
        QVERIFY(gallery);
        QPointer<OfficePopupMenu> menu = gallery->popupMenu();
        gallery->creatBaseGallery();
        QCOMPARE(gallery->popupMenu(), menu.data());
        QList<int> heard;
        connect(gallery.get(), &RibbonGallery::itemPressed, this, [&](RibbonGalleryItem* item) {
            QCOMPARE(gallery->checkedItem(), item);
            QCOMPARE(popupGalleryOf(*gallery)->checkedItem(), item);
            heard << gallery->getGalleryGroup()->indexOf(item);
        });
        QTest::mouseClick(gallery.get(), Qt::LeftButton, {}, gallery->itemRect(2).center());
        pressInPopup(*gallery, 7);
        pressInPopup(*gallery, 7);
        // The strip scrolled to the item picked in the popup: item 6 is in view.
        QTest::mouseClick(gallery.get(), Qt::LeftButton, {}, gallery->itemRect(6).center());
        QCOMPARE(heard, (QList<int>{2, 7, 7, 6}));
        verifyChecked(*gallery, 6);
    }

    // Its owner may destroy the gallery, or the host may from its slot of a
    // pick in the popup; the popup and everything the gallery built go too.
    void destroyingTheGalleryWhileItsPopupIsOpen_data()
    {
        QTest::addColumn<bool>("fromHostSlot");
        QTest::newRow("the owner destroys the viewport gallery") << false;
        QTest::newRow("the host destroys the view gallery from its slot") << true;
    }
    void destroyingTheGalleryWhileItsPopupIsOpen()
    {
        QFETCH(bool, fromHostSlot);
        auto gallery = shown(!fromHostSlot);
        QVERIFY(gallery);
        connect(gallery.get(), &RibbonGallery::itemPressed, this, [&gallery] { gallery.reset(); });
        openPopup(*gallery);
        QPointer<OfficePopupMenu> menu = gallery->popupMenu();
        QPointer<RibbonGallery> popup = popupGalleryOf(*gallery);
        QPointer<JtRc::RibbonGalleryGroup> group = gallery->getGalleryGroup();
        if (fromHostSlot)
            QTest::mousePress(popup, Qt::LeftButton, {}, popup->itemRect(3).center());
        else
            gallery.reset();
        QVERIFY(!gallery && !menu && !popup && !group);
        QCOMPARE(QApplication::activePopupWidget(), nullptr);
        // A release goes elsewhere: the pressed widget is gone.
        QWidget elsewhere;
        QTest::mouseRelease(&elsewhere, Qt::LeftButton);
    }

    // Each pick, even of the view already shown, sets the text, fits the
    // size to it and announces the new geometry; closing the menu without
    // a pick changes nothing.
    void pickingAViewFromTheMenu_data()
    {
        QTest::addColumn<QString>("name");
        for (const QString& name : viewNames)
            QTest::addRow("picking %s twice makes it the text and the one checked entry", qPrintable(name)) << name;
    }
    void pickingAViewFromTheMenu()
    {
        QFETCH(QString, name);
        KvCc::ViewButton button;
        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QActionGroup* group = button.menu()->actions().first()->actionGroup();
        QStringList entries;
        for (const QAction* action : button.menu()->actions()) {
            QVERIFY(action->isCheckable() && action->actionGroup() == group && group->isExclusive());
            QCOMPARE(action->objectName(), action->text());
            entries << action->text();
        }
        QCOMPARE(entries, viewNames);
        QSignalSpy geometry(&button, SIGNAL(geometryChanged()));
        QVERIFY(!pick(button, QString()));
        QCOMPARE(button.text(), QStringLiteral("Top"));
        QCOMPARE(button.size(), fittedSize(button, QStringLiteral("Top")));
        QCOMPARE(group->checkedAction(), button.menu()->findChild<QAction*>(QStringLiteral("Top")));
        QCOMPARE(geometry.count(), 0);
        QVERIFY(pick(button, QStringLiteral("Back")));
        QVERIFY(pick(button, name));
        QVERIFY(pick(button, name));
        QCOMPARE(button.text(), name);
        QCOMPARE(QAccessible::queryAccessibleInterface(&button)->text(QAccessible::Name), "View: " + name);
        QCOMPARE(button.size(), fittedSize(button, name));
        QCOMPARE(button.maximumSize(), fittedSize(button, name));
        QCOMPARE(group->checkedAction(), button.menu()->findChild<QAction*>(name));
        QCOMPARE(geometry.count(), 3);

        // The whole name shows: the style used to draw the menu arrow over
        // its end and keep room for it, cutting the name at both edges.
        const QImage image = button.grab().toImage();
        int first = image.width(), last = -1;
        for (int x = 0; x < image.width(); ++x)
            for (int y = 0; y < image.height(); ++y)
                if (qGray(image.pixel(x, y)) < 128)
                    first = qMin(first, x), last = qMax(last, x);
        const int advance = button.fontMetrics().horizontalAdvance(name);
        QVERIFY2(last - first + 1 <= advance + 1, "the ink is wider than the text");
        QVERIFY2(last - first + 1 >= advance - 5, "the name is cut");
        QVERIFY(first >= 1 && last <= image.width() - 2);
    }

    // A host goes by keys, which stay English while what the user reads is
    // translated: each item answers its key, the button its view's name, a
    // pick in the menu reports the name, and a view shown by key checks it
    // in both galleries and on the button without reporting a pick.
    void picksAreReportedByKeyInEveryLanguage_data()
    {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("southeast");
        QTest::newRow("English") << "en" << "Southeast";
        QTest::newRow("German") << "de" << QString::fromUtf8("Südost");
        QTest::newRow("Russian") << "ru" << QString::fromUtf8("ЮВ изометрия");
    }
    void picksAreReportedByKeyInEveryLanguage()
    {
        QFETCH(QString, language);
        QFETCH(QString, southeast);
        QCOMPARE(KvCc::loadTranslations(QLocale(language)), language != QLatin1String("en"));
        const auto english = qScopeGuard([] { KvCc::loadTranslations(QLocale(QLocale::English)); });
        KvCc::ViewGallery views;
        KvCc::ViewPortGallery ports;
        KvCc::ViewButton button;
        JtRc::RibbonGalleryItem* item = views.getGalleryGroup()->getItem(7);
        QCOMPARE(item->caption(), southeast);
        QCOMPARE(views.viewName(item) + ports.arrangementName(ports.getGalleryGroup()->getItem(4)),
                 QStringLiteral("SoutheastThree:Left"));
        QCOMPARE(views.viewName(ports.getGalleryGroup()->getItem(4)), QString());
        QCOMPARE(views.viewName(nullptr), QString());

        QSignalSpy pressed(&views, &RibbonGallery::itemPressed);
        QVERIFY(views.setCheckedKey(QStringLiteral("Northwest")));
        // A German caption is no key in any language.
        QVERIFY(!views.setCheckedKey(QStringLiteral("Oben")));
        verifyChecked(views, 9);
        QCOMPARE(views.checkedKey(), QStringLiteral("Northwest"));
        QCOMPARE(pressed.count(), 0);

        button.show();
        QVERIFY(QTest::qWaitForWindowExposed(&button));
        QSignalSpy picked(&button, &KvCc::ViewButton::viewPicked);
        QSignalSpy geometry(&button, &KvCc::ViewButton::geometryChanged);
        QVERIFY(button.setViewName(QStringLiteral("Front")));
        QVERIFY(!button.setViewName(QStringLiteral("Vorne")));
        QCOMPARE(button.viewName(), QStringLiteral("Front"));
        QCOMPARE(picked.count(), 0);
        QCOMPARE(geometry.count(), 1);
        QVERIFY(pick(button, QStringLiteral("Southeast")));
        QCOMPARE(button.text(), item->caption());
        QCOMPARE(button.size(), fittedSize(button, item->caption()));
        QCOMPARE(picked.count(), 1);
        QCOMPARE(picked.first().first().toString(), QStringLiteral("Southeast"));
        QCOMPARE(button.viewName(), QStringLiteral("Southeast"));
    }

    // The menu has no parent; it used to outlive the button.
    void destroyingTheButtonDeletesItsMenu()
    {
        auto button = std::make_unique<KvCc::ViewButton>();
        QPointer<QMenu> menu = button->menu();
        QPointer<QAction> entry = menu->actions().first();
        button.reset();
        QVERIFY(!menu && !entry);
    }
};

KVCC_TEST_MAIN(TestViewControls)
#include "tst_viewcontrols.moc"
