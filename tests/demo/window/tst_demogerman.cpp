#include "samplewindow.h"

#include "drawingcanvas.h"
#include "kvcctranslations.h"
#include "ribbongallerygroup.h"
#include "ribbongalleryitem.h"
#include "officepopupmenu.h"
#include "viewbutton.h"
#include "viewgallery.h"
#include "viewportarea.h"
#include "viewportgallery.h"

#include <QMenu>
#include <QWidgetAction>

#include <memory>

using namespace Demo;

namespace {

const QStringList kViews = {"Top", "Bottom", "Left", "Right", "Front", "Back", "Southwest", "Southeast",
                            "Northeast", "Northwest"};
// Arrangements with the number of viewports each makes.
const QList<QPair<QString, int>> kArrangements = {
    {"Single", 1}, {"Two:Vertical", 2}, {"Two:Horizontal", 2}, {"Three:Right", 3}, {"Three:Left", 3},
    {"Three:Above", 3}, {"Three:Below", 3}, {"Three:Vertical", 3}, {"Three:Horizontal", 3}, {"Four:Equal", 4},
    {"Four:Right", 4}, {"Four:Left", 4}};

enum Source { Strip, Popup, ButtonMenu };

JtRc::RibbonGallery* popupOf(const KvCc::BaseGallery* gallery)
{
    const QList<QAction*> actions = gallery->popupMenu()->actions();
    auto* action = actions.isEmpty() ? nullptr : qobject_cast<QWidgetAction*>(actions.first());
    return action ? qobject_cast<JtRc::RibbonGallery*>(action->defaultWidget()) : nullptr;
}

// Clicks item index of the gallery as a user does: in the strip, turning
// the wheel until it is in view, or in the popup the drop button opens.
void clickItem(KvCc::BaseGallery* gallery, int index, Source source)
{
    if (source == Popup) {
        QTest::mouseClick(gallery, Qt::LeftButton, {}, QPoint(gallery->width() - 7, gallery->height() - 6));
        JtRc::RibbonGallery* popup = popupOf(gallery);
        QVERIFY(popup && QTest::qWaitForWindowExposed(popup));
        QTest::mouseClick(popup, Qt::LeftButton, {}, popup->itemRect(index).center());
        QVERIFY(!gallery->popupMenu()->isVisible());
        return;
    }
    for (int turn = 0; turn < 20 && gallery->itemRect(index).isEmpty(); ++turn) {
        const int down = gallery->itemRect(0).isEmpty() && index < gallery->checkedIndex() ? 120 : -120;
        const QPointF at(gallery->width() / 3.0, gallery->height() / 2.0);
        QWheelEvent wheel(at, gallery->mapToGlobal(at.toPoint()), {}, {0, down}, Qt::NoButton, {}, Qt::NoScrollPhase,
                          false);
        QApplication::sendEvent(gallery, &wheel);
    }
    QVERIFY(!gallery->itemRect(index).isEmpty());
    QTest::mouseClick(gallery, Qt::LeftButton, {}, gallery->itemRect(index).center());
}

// Opens the view button's menu with a click and clicks the entry of view.
void clickMenuEntry(KvCc::ViewButton* button, const QString& view)
{
    QTimer::singleShot(0, button, [view] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        QAction* action = menu ? menu->findChild<QAction*>(view) : nullptr;
        if (action)
            QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        else if (menu)
            menu->close();
    });
    QTest::mouseClick(button, Qt::LeftButton);
}

} // namespace

// The window as a German (or Russian) user drives it: the controls speak the
// user's language, every pick does what its English counterpart does, and
// the gallery, the view button and the active viewport agree afterwards.
class TestDemoGerman : public QObject
{
    Q_OBJECT

private slots:
    // German unless KVCC_VIEW_LANG names another shipped language.
    void initTestCase()
    {
        QVERIFY(KvCc::loadTranslations(QLocale(qEnvironmentVariable("KVCC_VIEW_LANG", QStringLiteral("de")))));
        m_window = std::make_unique<SampleWindow>();
        QVERIFY(m_window->exposed);
    }
    void cleanupTestCase()
    {
        m_window.reset();
        KvCc::loadTranslations(QLocale(QLocale::English));
        s_pServices->setWorkingDatabase(nullptr);
    }

    void everyViewIsPickedFromEachControl_data()
    {
        QTest::addColumn<QString>("view");
        QTest::addColumn<int>("source");
        for (const QString& view : kViews) {
            QTest::addRow("%s from the strip", qPrintable(view)) << view << int(Strip);
            QTest::addRow("%s from the popup", qPrintable(view)) << view << int(Popup);
            QTest::addRow("%s from the view button", qPrintable(view)) << view << int(ButtonMenu);
        }
    }
    void everyViewIsPickedFromEachControl()
    {
        QFETCH(QString, view);
        QFETCH(int, source);
        const RibbonParts& ribbon = m_window->ribbon();
        // Each pick starts elsewhere, so that it has something to change.
        const QString before = view == QLatin1String("Top") ? QStringLiteral("Back") : QStringLiteral("Top");
        ribbon.viewButton->menu()->findChild<QAction*>(before)->trigger();
        QCOMPARE(m_window->canvas()->viewName(), before);
        const QImage shownBefore = m_window->canvas()->grab().toImage();

        const int index = kViews.indexOf(view);
        if (source == ButtonMenu)
            clickMenuEntry(ribbon.viewButton, view);
        else
            clickItem(ribbon.viewGallery, index, Source(source));
        SampleWindow::settle();
        verifyControlsShow(view);
        QVERIFY(m_window->canvas()->grab().toImage() != shownBefore);
    }

    // An arrangement splits the area; the new viewports start from the
    // active one's view, and a click on another viewport shows its view in
    // the controls.
    void everyArrangementIsPickedFromTheGallery_data()
    {
        QTest::addColumn<QString>("arrangement");
        QTest::addColumn<int>("viewports");
        QTest::addColumn<int>("source");
        for (const auto& a : kArrangements) {
            QTest::addRow("%s from the strip", qPrintable(a.first)) << a.first << a.second << int(Strip);
            QTest::addRow("%s from the popup", qPrintable(a.first)) << a.first << a.second << int(Popup);
        }
    }
    void everyArrangementIsPickedFromTheGallery()
    {
        QFETCH(QString, arrangement);
        QFETCH(int, viewports);
        QFETCH(int, source);
        const RibbonParts& ribbon = m_window->ribbon();
        ribbon.portGallery->setCheckedKey(QStringLiteral("Single"));
        QVERIFY(m_window->viewports()->setArrangement(QStringLiteral("Single")));
        ribbon.viewButton->menu()->findChild<QAction*>(QStringLiteral("Right"))->trigger();

        clickItem(ribbon.portGallery, kArrangements.indexOf({arrangement, viewports}), Source(source));
        SampleWindow::settle();
        QCOMPARE(m_window->viewports()->arrangement(), arrangement);
        QCOMPARE(ribbon.portGallery->checkedKey(), arrangement);
        const QVector<DrawingCanvas*> canvases = m_window->viewports()->canvases();
        QCOMPARE(canvases.size(), viewports);
        verifyControlsShow(QStringLiteral("Right"));

        if (viewports == 1)
            return;
        DrawingCanvas* last = canvases.last();
        last->setView(QStringLiteral("Northeast"));
        QTest::mouseClick(last, Qt::LeftButton, {}, last->rect().center());
        QCOMPARE(m_window->canvas(), last);
        verifyControlsShow(QStringLiteral("Northeast"));
        // A pick changes the active viewport only.
        QCOMPARE(canvases.first()->viewName(), QStringLiteral("Right"));
        // Back to one viewport, the active one's view stays in view.
        clickItem(ribbon.portGallery, 0, Popup);
        verifyControlsShow(QStringLiteral("Northeast"));
    }

private:
    // The active viewport shows view, both galleries have it checked and
    // the button names it in the user's language, as the gallery's item does.
    void verifyControlsShow(const QString& view)
    {
        const RibbonParts& ribbon = m_window->ribbon();
        QCOMPARE(m_window->canvas()->viewName(), view);
        QCOMPARE(ribbon.viewGallery->checkedKey(), view);
        QCOMPARE(popupOf(ribbon.viewGallery)->checkedItem(), ribbon.viewGallery->checkedItem());
        QCOMPARE(ribbon.viewButton->viewName(), view);
        QCOMPARE(ribbon.viewButton->text(), ribbon.viewGallery->checkedItem()->caption());
        QVERIFY2(ribbon.viewButton->text() != view, "the button speaks the user's language");
    }

    std::unique_ptr<SampleWindow> m_window;
};

KVCC_TEST_MAIN(TestDemoGerman)
#include "tst_demogerman.moc"
