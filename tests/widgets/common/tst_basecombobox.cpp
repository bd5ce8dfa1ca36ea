#include "kvcctest.h"

#include <basecombobox.h>
#include <baseedit.h>
#include <listview.h>
#include <listwidget.h>

#include <QLabel>
#include <QPointer>
#include <QPushButton>

// The smallest selector: a frame with a settings dialog that only counts.
class SampleCombo : public KvCc::BaseComboBox
{
public:
    int dialogsOpened = 0;
    void openDialog() override { ++dialogsOpened; }
};

static QPixmap filled(int side, QColor color)
{
    QPixmap pixmap(side, side);
    pixmap.fill(color);
    return pixmap;
}

class TestBaseComboBox : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<SampleCombo> combo;

    // Rows "Row 0", "Row 1", ... in red, green, blue, yellow.
    void fill(int rows)
    {
        const QColor colours[] = {Qt::red, Qt::green, Qt::blue, Qt::yellow};
        for (int i = 0; i < rows; ++i)
            combo->addItem(filled(16, colours[i % 4]), QStringLiteral("Row %1").arg(i));
    }

    KvCc::ListWidget* list() const { return combo->listView()->listWidget(); }

    void openPopup()
    {
        combo->showPopup();
        QVERIFY(QTest::qWaitForWindowExposed(combo->view()->window()));
    }

private slots:
    void init()
    {
        combo = std::make_unique<SampleCombo>();
        combo->resize(160, 22);
        combo->show();
        QVERIFY(QTest::qWaitForWindowExposed(combo.get()));
    }
    void cleanup() { combo.reset(); }

    // The list never got an icon size: the face still gets the picture. The
    // combo box's own index stays on the popup's single row, and the face is
    // not for typing.
    void choosingARowInThePopup_data()
    {
        QTest::addColumn<int>("key"); // none clicks row 2
        QTest::addColumn<QString>("face");
        QTest::newRow("a click on a row chooses it") << 0 << "Row 2";
        QTest::newRow("Down and Return choose the next row") << int(Qt::Key_Return) << "Row 2";
        QTest::newRow("Down and Escape close the popup and keep the face") << int(Qt::Key_Escape) << "Row 1";
    }
    void choosingARowInThePopup()
    {
        QFETCH(int, key);
        combo->listView()->setItemHeight(24);
        fill(4);
        combo->setCurrentIndex(1);
        QCOMPARE(list()->visualItemRect(combo->item(1)).height(), 24);
        openPopup();
        QSignalSpy shown(combo->listView(), SIGNAL(currentItemChanged(QPixmap,QString)));
        if (key) {
            QTRY_VERIFY(list()->hasFocus());
            QTest::keyClick(list(), Qt::Key_Down);
            QTest::keyClick(list(), Qt::Key(key));
        } else {
            QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(2)).center());
        }
        QTRY_VERIFY(!combo->view()->isVisible());
        const bool escaped = key == Qt::Key_Escape;
        QCOMPARE(shown.count(), escaped ? 0 : 1);
        QTEST(combo->baseEdit()->currentText(), "face");
        QCOMPARE(combo->baseEdit()->currentIcon().toImage(), filled(16, escaped ? Qt::green : Qt::blue).toImage());
        QCOMPARE(combo->QComboBox::currentIndex(), 0);
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("typed"));
        QVERIFY(combo->lineEdit()->text().isEmpty());
    }

    // Releases without a press, before and after the pair, add no report.
    void onlyAPressAndReleaseInTheListChoose()
    {
        fill(3);
        list()->setCurrentRow(1);
        QSignalSpy spy(list(), SIGNAL(showItem(int)));
        const QPoint inside = list()->visualItemRect(list()->item(1)).center();
        QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, inside);
        QTest::mousePress(list()->viewport(), Qt::LeftButton, {}, inside);
        QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, inside);
        QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, inside);
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{1}}));
    }

    // The text is simplified and the picture takes the item icon size; an
    // index without a row changes nothing; a hidden face icon stays hidden.
    void setCurrentIndexPutsTheRowOnTheFace()
    {
        combo->setItemIconSize(QSize(12, 12));
        combo->hideShowIcon();
        combo->addItem(filled(16, Qt::red), QStringLiteral("Row 0"));
        combo->addItem(filled(16, Qt::green), QStringLiteral("  By   Layer \t"));
        combo->setCurrentIndex(1);
        QCOMPARE(combo->baseEdit()->currentText(), QStringLiteral("By Layer"));
        QCOMPARE(combo->baseEdit()->currentIcon().toImage(), filled(12, Qt::green).toImage());
        const auto labels = combo->baseEdit()->findChildren<QLabel*>();
        QVERIFY(labels.size() == 2 && labels.at(0)->isHidden() && !labels.at(1)->isHidden());
        QSignalSpy spy(combo->listView(), SIGNAL(currentItemChanged(QPixmap,QString)));
        combo->setCurrentIndex(2);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(combo->baseEdit()->currentText(), QStringLiteral("By Layer"));
    }

    void iconModeFillsAGridCellOnlyWithATallPicture_data()
    {
        QTest::addColumn<int>("height");
        QTest::addColumn<QSize>("sizeHint");
        QTest::newRow("a picture 20 high keeps its own size") << 20 << QSize();
        QTest::newRow("a picture 21 high fills a cell of 80 by 80") << 21 << QSize(80, 80);
    }
    void iconModeFillsAGridCellOnlyWithATallPicture()
    {
        QFETCH(int, height);
        combo->setViewMode(1);
        combo->addItem(filled(height, Qt::red), QStringLiteral("Row"));
        QTEST(combo->item(0)->sizeHint(), "sizeHint");
        QCOMPARE(list()->gridSize(), QSize(80, 80));
        QCOMPARE(list()->iconSize(), QSize(50, 50));
        combo->setCurrentIndex(0);
        QCOMPARE(combo->baseEdit()->currentIcon().size(), QSize(16, 16));
    }

    // The button runs the selector's openDialog() once and leaves its hover
    // state. Hosts find the list and the button by their names.
    void theSettingsButtonRunsTheSelectorsDialogOnce()
    {
        openPopup();
        QPushButton* button = combo->findChild<QPushButton*>(QStringLiteral("customSettingBtn"));
        QVERIFY(button && list() == combo->findChild<QListWidget*>(QStringLiteral("customListView")));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(combo->dialogsOpened, 1);
        QVERIFY(!button->testAttribute(Qt::WA_UnderMouse) && button->hasMouseTracking());
    }

    // A hidden button leaves only the list. The popup goes with a combo box
    // destroyed while it is open.
    void thePopupTakesTheListHeight()
    {
        fill(30);
        combo->hideSettingBtn();
        combo->setListWidgetHeight(150);
        openPopup();
        QVERIFY(!combo->listView()->settingButton()->isVisible());
        QCOMPARE(combo->listView()->height(), 150);
        QPointer<QWidget> popup = combo->view()->window();
        QVERIFY(popup->height() >= 150 && popup->height() < 170);
        combo.reset();
        QVERIFY(!popup);
    }
};

KVCC_TEST_MAIN(TestBaseComboBox)
#include "tst_basecombobox.moc"
