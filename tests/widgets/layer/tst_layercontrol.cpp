#include "layertestdrawing.h"

#include <basecombobox.h>
#include <customcontrol.h>
#include <layercombobox.h>
#include <layercontrol.h>
#include <minmaxbutton.h>
#include <propertymanager.h>
#include <stackwidget.h>

#include <QBitmap>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

// The foldable ribbon panel: the layer row with its floating property page
// (the fold state machine, where the page floats when the row or its window
// moves), the plain layer holder and the caption buttons.
class TestLayerControl : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> host;
    KvCc::LayerControl* control = nullptr;
    KvCc::StackWidget* stack = nullptr;

    // The fold button is the rightmost of the row.
    QPushButton* folderButton() const
    {
        QPushButton* rightmost = nullptr;
        for (QPushButton* button : control->findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly))
            rightmost = !rightmost || button->x() > rightmost->x() ? button : rightmost;
        return rightmost;
    }

    void unfold()
    {
        QTest::mouseClick(folderButton(), Qt::LeftButton);
        QVERIFY(QTest::qWaitForWindowExposed(stack));
    }

    // At the control's left edge, its own height minus 8 below the control's top.
    QPoint expectedPagePos() const { return control->mapToGlobal(QPoint(0, stack->height() - 8)); }

private slots:
    void init()
    {
        host = std::make_unique<QWidget>();
        host->setGeometry(100, 100, 400, 300);
        control = new KvCc::LayerControl(host.get());
        control->move(20, 30);
        control->resize(control->sizeHint());
        stack = new KvCc::StackWidget(control);
        QVERIFY(showExposed(host.get()));
    }

    void cleanup() { host.reset(); }

    // Odd clicks show the property page, even ones the empty page, which
    // lets the mouse through to whatever lies beneath it. Without the host's
    // fold images the button falls back to the style's arrows.
    void foldClicksAlternate()
    {
        QSignalSpy spy(control, SIGNAL(folded(bool)));
        QVERIFY(!stack->isVisible());
        QVERIFY(stack->isWindow() && stack->windowFlags() & Qt::WindowDoesNotAcceptFocus);
        for (int i = 0; i < 4; ++i) {
            const qint64 icon = folderButton()->icon().cacheKey();
            QTest::mouseClick(folderButton(), Qt::LeftButton);
            QCOMPARE(spy.count(), i + 1);
            QCOMPARE(spy.last().at(0).toBool(), i % 2 == 1);
            QVERIFY(stack->isVisible());
            QCOMPARE(stack->currentIndex(), i % 2);
            QCOMPARE(bool(stack->windowHandle()->flags() & Qt::WindowTransparentForInput), i % 2 == 1);
            QVERIFY(!folderButton()->icon().isNull() && folderButton()->icon().cacheKey() != icon);
        }
    }

    // Without a compositing manager a translucent window's clear pixels
    // come out black. The window is shaped to what its page draws, so the
    // screen shows what lies beneath everywhere else, folded or not. Under
    // X11 the screen is compared with itself while the window is hidden.
    void theWindowShowsOnlyWhatItsPageDraws_data()
    {
        QTest::addColumn<bool>("fold");
        QTest::newRow("the property page leaves the gaps between its fields alone") << false;
        QTest::newRow("the empty page leaves nothing on screen") << true;
    }

    void theWindowShowsOnlyWhatItsPageDraws()
    {
        QFETCH(bool, fold);
        unfold();
        if (fold)
            QTest::mouseClick(folderButton(), Qt::LeftButton);
        QWidget* page = stack->currentWidget();
        QImage drawn(stack->size(), QImage::Format_ARGB32_Premultiplied);
        drawn.fill(Qt::transparent);
        page->render(&drawn, page->pos(), QRegion(), QWidget::DrawChildren);
        const QRegion clear = QRegion(stack->rect()) - QRegion(QBitmap::fromImage(drawn.createAlphaMask()));
        QVERIFY(stack->isVisible() && !clear.isEmpty() && !stack->mask().intersects(clear));
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            return;
        const QRect area = stack->geometry();
        const auto screen = [&area] {
            QTest::qWait(300);
            return QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage();
        };
        const QImage shown = screen();
        stack->QWidget::hide();
        const QImage beneath = screen();
        for (const QRect& r : clear) {
            for (int y = r.top(); y <= r.bottom(); ++y) {
                for (int x = r.left(); x <= r.right(); ++x)
                    QCOMPARE(shown.pixel(x, y), beneath.pixel(x, y));
            }
        }
    }

    void thePageStaysBelowTheControl_data()
    {
        QTest::addColumn<int>("how");
        QTest::addColumn<int>("emitted");
        QTest::newRow("moving the control emits and brings the page along") << 0 << 1;
        QTest::newRow("resizing the control emits and puts the page back") << 1 << 1;
        QTest::newRow("moving the host window brings the page along quietly") << 2 << 0;
        QTest::newRow("resizing the host window puts the page back quietly") << 3 << 0;
    }

    void thePageStaysBelowTheControl()
    {
        QFETCH(int, how);
        unfold();
        QCOMPARE(stack->pos(), expectedPagePos());
        QSignalSpy spy(control, SIGNAL(geometryChanged()));
        stack->move(0, 0);
        switch (how) {
        case 0: control->move(60, 40); break;
        case 1: control->resize(220, 24); break;
        case 2: host->move(250, 180); break;
        case 3: host->resize(500, 350); break;
        }
        QTRY_COMPARE(stack->pos(), expectedPagePos());
        control->update();
        QApplication::processEvents();
        QTEST(int(spy.count()), "emitted");
    }

    // Placed so that the control's top-left is at (100, 200), whatever frame
    // the platform puts around the window.
    void thePageIsPlacedByItsOwnHeight()
    {
        unfold();
        host->move(host->pos() + QPoint(100, 200) - control->mapToGlobal(QPoint(0, 0)));
        QTRY_COMPARE(control->mapToGlobal(QPoint(0, 0)), QPoint(100, 200));
        stack->resize(200, 70);
        stack->adjustGeometry();
        QCOMPARE(stack->pos(), QPoint(100, 262));
    }

    // Hosts often build the row first and insert it into the ribbon later.
    void thePageFollowsTheWindowTheControlIsPutInto()
    {
        auto* lone = new KvCc::LayerControl;
        auto* loneStack = new KvCc::StackWidget(lone);
        QWidget ribbon;
        ribbon.setGeometry(40, 40, 300, 100);
        lone->setParent(new QWidget(&ribbon));
        QVERIFY(showExposed(&ribbon));
        loneStack->hide(false);
        QVERIFY(QTest::qWaitForWindowExposed(loneStack));
        ribbon.move(300, 260);
        QTRY_COMPARE(loneStack->pos(), lone->mapToGlobal(QPoint(0, loneStack->height() - 8)));
    }

    // Hiding the control puts the page away; showing it brings it back; the
    // page goes with the control.
    void hidingOrDestroyingTheControlWhileThePageIsShown()
    {
        unfold();
        control->hide();
        QVERIFY(!stack->isVisible());
        control->show();
        QVERIFY(stack->isVisible());
        QCOMPARE(stack->currentIndex(), 0);
        QCOMPARE(stack->pos(), expectedPagePos());
        QPointer<KvCc::StackWidget> guard(stack);
        delete control;
        QVERIFY(!guard);
        host->setGeometry(300, 300, 420, 310);
        QApplication::processEvents();
    }

    // The window fits its page: a larger one stretched the rows apart.
    // Without the host's images each label still keeps its 16 x 16 place.
    void hoverIsReported_data()
    {
        QTest::addColumn<bool>("holder");
        QTest::newRow("the layer holder reports the mouse entering and leaving") << true;
        QTest::newRow("the caption buttons report the mouse entering and leaving") << false;
    }

    void hoverIsReported()
    {
        QFETCH(bool, holder);
        std::unique_ptr<QWidget> w(holder ? static_cast<QWidget*>(new KvCc::CustomControl) : new KvCc::MinMaxButton);
        QSignalSpy spy(w.get(), SIGNAL(enter(bool)));
        QEvent enter(QEvent::Enter), leave(QEvent::Leave);
        QApplication::sendEvent(w.get(), &enter);
        QApplication::sendEvent(w.get(), &leave);
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{true}, {false}}));
    }

    // The width is the companion's plus 165; a companion deleted elsewhere is
    // forgotten, a replaced one deleted, the last one deleted with the holder.
    void theHoldersWidthFollowsTheCompanionItOwns()
    {
        QPointer<QWidget> first = new QWidget;
        QPointer<QWidget> second = new QWidget;
        {
            KvCc::CustomControl holder;
            QVERIFY(holder.findChild<KvCc::LayerComboBox*>());
            holder.resize(230, 20);
            holder.adjustGeometry();
            QCOMPARE(holder.width(), 230);
            QCOMPARE(holder.minimumWidth(), 0);
            first->resize(100, 20);
            holder.setCompanionWidget(first);
            QCOMPARE(holder.minimumWidth(), 265);
            QCOMPARE(holder.maximumWidth(), 265);
            first->resize(40, 20);
            holder.adjustGeometry();
            QCOMPARE(holder.maximumWidth(), 205);
            holder.setCompanionWidget(first);
            QVERIFY(first);
            delete first;
            QVERIFY(!holder.companion());
            holder.adjustGeometry();
            QCOMPARE(holder.maximumWidth(), 205);
            holder.setCompanionWidget(second);
            holder.setCompanionWidget(new QWidget);
            QVERIFY(!second);
            second = holder.companion();
        }
        QVERIFY(!second);
    }

    // Three 20 pixel buttons fill the 60 pixel strip exactly (a gap pushed the
    // close button past the edge); each forwards its click and shows a white
    // glyph: a bar across the middle, a square with its back edge, a cross.
    void captionButtonsTakeAThirdEachAndForwardTheirClicks()
    {
        KvCc::MinMaxButton strip;
        QVERIFY(showExposed(&strip));
        QCOMPARE(strip.size(), QSize(60, 20));
        QSignalSpy minSpy(&strip, SIGNAL(clickedMin())), normalSpy(&strip, SIGNAL(clickedNormal())),
            closeSpy(&strip, SIGNAL(clickedClosed()));
        const QPoint inked[] = {{10, 10}, {12, 2}, {10, 10}}, clear[] = {{10, 3}, {10, 10}, {10, 3}};
        QList<int> clicks;
        for (int third = 0; third < 3; ++third) {
            auto* target = qobject_cast<QPushButton*>(strip.childAt(10 + 20 * third, 10));
            QVERIFY(target);
            QCOMPARE(target->geometry(), QRect(20 * third, 0, 20, 20));
            const QImage glyph = target->icon().pixmap(20, 20).toImage();
            QCOMPARE(glyph.pixelColor(inked[third]), QColor(Qt::white));
            QCOMPARE(glyph.pixelColor(clear[third]).alpha(), 0);
            QTest::mouseClick(target, Qt::LeftButton);
            clicks << minSpy.count() << normalSpy.count() << closeSpy.count();
        }
        QCOMPARE(clicks, (QList<int>{1, 0, 0, 1, 1, 0, 1, 1, 1}));
    }
};

KVCC_TEST_MAIN(TestLayerControl)
#include "tst_layercontrol.moc"
