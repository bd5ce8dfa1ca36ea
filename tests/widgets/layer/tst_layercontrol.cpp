#include "kvcctest.h"

#include <layercombobox.h>
#include <layercontrol.h>
#include <linetypecombobox.h>
#include <linewidthcombobox.h>
#include <propertymanager.h>
#include <qkvcolorcombobox.h>
#include <stackwidget.h>

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QWindow>

#include <memory>

// The ribbon's layer row with its floating property page: the fold state
// machine and where the page floats when the row or its window moves.
class TestLayerControl : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QWidget> host;
    KvCc::LayerControl* control = nullptr;
    KvCc::StackWidget* stack = nullptr;

    QPushButton* folderButton() const
    {
        QPushButton* rightmost = nullptr;
        for (QPushButton* button : control->findChildren<QPushButton*>(QString(), Qt::FindDirectChildrenOnly))
            if (!rightmost || button->x() > rightmost->x())
                rightmost = button;
        return rightmost;
    }

    void clickFold()
    {
        QPushButton* button = folderButton();
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
    }

    // Where the page belongs: at the control's left edge, its own height
    // minus 8 below the control's top.
    QPoint expectedPagePos() const
    {
        const QPoint global = control->mapToGlobal(QPoint(0, 0));
        return QPoint(global.x(), global.y() + stack->height() - 8);
    }

private slots:
    void init()
    {
        host = std::make_unique<QWidget>();
        host->resize(400, 300);
        host->move(100, 100);
        control = new KvCc::LayerControl(host.get());
        control->move(20, 30);
        control->resize(control->sizeHint());
        stack = new KvCc::StackWidget(control);
        host->show();
        QVERIFY(QTest::qWaitForWindowExposed(host.get()));
    }

    void cleanup() { host.reset(); }

    void foldClicksAlternate()
    {
        QSignalSpy spy(control, SIGNAL(folded(bool)));
        QVERIFY(!stack->isVisible());
        for (int i = 0; i < 6; ++i) {
            const qint64 icon = folderButton()->icon().cacheKey();
            clickFold();
            QCOMPARE(spy.count(), i + 1);
            // Odd clicks show the property page, even ones the empty page.
            QCOMPARE(spy.last().at(0).toBool(), i % 2 == 1);
            QVERIFY(stack->isVisible());
            QCOMPARE(stack->currentIndex(), i % 2);
            // The empty page draws nothing; a window that still caught the
            // mouse would block whatever lies beneath it.
            QCOMPARE(bool(stack->windowHandle()->flags() & Qt::WindowTransparentForInput), i % 2 == 1);
            // Without the host's fold images the button falls back to the
            // style's arrows rather than turning invisible.
            QVERIFY(!folderButton()->icon().isNull());
            QVERIFY(folderButton()->icon().cacheKey() != icon);
        }
        QVERIFY(qobject_cast<KvCc::PropertyManager*>(stack->widget(0)));
    }

    void pageGoesBelowTheControl()
    {
        QVERIFY(stack->isWindow());
        QVERIFY(stack->windowFlags() & Qt::WindowDoesNotAcceptFocus);
        clickFold();
        QVERIFY(QTest::qWaitForWindowExposed(stack));
        QCOMPARE(stack->pos(), expectedPagePos());
        // Place the window so that the control's top-left is at (100, 200),
        // whatever frame the platform puts around the window.
        host->move(host->pos() + QPoint(100, 200) - control->mapToGlobal(QPoint(0, 0)));
        QTRY_COMPARE(control->mapToGlobal(QPoint(0, 0)), QPoint(100, 200));
        stack->resize(200, 70);
        stack->adjustGeometry();
        QCOMPARE(stack->pos(), QPoint(100, 262));
    }

    void movingTheControlEmitsAndMovesThePage()
    {
        clickFold();
        QSignalSpy spy(control, SIGNAL(geometryChanged()));
        control->move(60, 40);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(stack->pos(), expectedPagePos());
        control->resize(220, 24);
        QCOMPARE(spy.count(), 2);
        QCOMPARE(stack->pos(), expectedPagePos());
        control->update();
        control->setToolTip(QStringLiteral("layers"));
        QApplication::processEvents();
        QCOMPARE(spy.count(), 2);
    }

    void movingTheWindowMovesThePageQuietly_data()
    {
        QTest::addColumn<bool>("resize");
        QTest::newRow("moving the host window brings the page along") << false;
        QTest::newRow("resizing the host window puts the page back in place") << true;
    }

    void movingTheWindowMovesThePageQuietly()
    {
        QFETCH(bool, resize);
        clickFold();
        QVERIFY(QTest::qWaitForWindowExposed(stack));
        QSignalSpy spy(control, SIGNAL(geometryChanged()));
        if (resize) {
            stack->move(0, 0);
            host->resize(500, 350);
        } else {
            host->move(250, 180);
        }
        QTRY_COMPARE(stack->pos(), expectedPagePos());
        QVERIFY(stack->pos() != QPoint(0, 0));
        QCOMPARE(spy.count(), 0);
    }

    void pageFollowsTheWindowTheControlIsPutInto()
    {
        // Hosts often build the row first and insert it into the ribbon later.
        auto* lone = new KvCc::LayerControl;
        auto* loneStack = new KvCc::StackWidget(lone);
        QWidget ribbon;
        ribbon.move(40, 40);
        ribbon.resize(300, 100);
        auto* panel = new QWidget(&ribbon);
        panel->move(10, 10);
        lone->setParent(panel);
        lone->move(5, 5);
        ribbon.show();
        QVERIFY(QTest::qWaitForWindowExposed(&ribbon));
        loneStack->hide(false);
        QVERIFY(QTest::qWaitForWindowExposed(loneStack));
        ribbon.move(300, 260);
        const QPoint global = lone->mapToGlobal(QPoint(0, 0));
        QTRY_COMPARE(loneStack->pos(), QPoint(global.x(), global.y() + loneStack->height() - 8));
    }

    void hidingTheControlPutsThePageAway()
    {
        clickFold();
        QVERIFY(stack->isVisible());
        control->hide();
        QVERIFY(!stack->isVisible());
        control->show();
        QVERIFY(stack->isVisible());
        QCOMPARE(stack->currentIndex(), 0);
        QCOMPARE(stack->pos(), expectedPagePos());
    }

    void destroyingTheControlWhileThePageIsShown()
    {
        clickFold();
        QVERIFY(QTest::qWaitForWindowExposed(stack));
        QPointer<KvCc::StackWidget> guard(stack);
        delete control;
        control = nullptr;
        QVERIFY(guard.isNull());
        host->move(300, 300);
        host->resize(420, 310);
        QApplication::processEvents();
    }

    void pageSelectorsLineUpUnfolded()
    {
        clickFold();
        QVERIFY(QTest::qWaitForWindowExposed(stack));
        auto* page = qobject_cast<KvCc::PropertyManager*>(stack->widget(0));
        QVERIFY(page);
        const auto selectors = page->findChildren<KvCc::BaseComboBox*>();
        QCOMPARE(selectors.size(), 3);
        // The window fits its page: a larger one stretched the rows apart.
        QCOMPARE(stack->size(), stack->sizeHint());
        // Without the host's images each label still keeps its 16 x 16 place.
        for (QLabel* label : page->findChildren<QLabel*>(QString(), Qt::FindDirectChildrenOnly))
            QCOMPARE(label->size(), QSize(16, 16));
        for (KvCc::BaseComboBox* selector : selectors) {
            QVERIFY(selector->isVisible());
            QCOMPARE(selector->height(), 20);
            QVERIFY(selector->x() >= 19);
            QCOMPARE(selector->x(), selectors.first()->x());
            QVERIFY(stack->rect().contains(selector->geometry()));
        }
    }
};

KVCC_TEST_MAIN(TestLayerControl)
#include "tst_layercontrol.moc"
