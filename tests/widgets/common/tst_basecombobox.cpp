#include "kvcctest.h"

#include <basecombobox.h>
#include <baseedit.h>
#include <listview.h>
#include <listwidget.h>

#include <QLabel>
#include <QPointer>
#include <QPushButton>

#include <memory>

namespace {

// The smallest selector: a frame with a settings dialog that only counts.
class SampleCombo : public KvCc::BaseComboBox
{
    Q_OBJECT

public:
    int dialogsOpened = 0;

public slots:
    void openDialog() override { ++dialogsOpened; }
};

QPixmap filled(int width, int height, QColor color)
{
    QPixmap pixmap(width, height);
    pixmap.fill(color);
    return pixmap;
}

QColor centreColour(const QPixmap& pixmap)
{
    return pixmap.toImage().pixelColor(pixmap.width() / 2, pixmap.height() / 2);
}

} // namespace

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
            combo->addItem(filled(16, 16, colours[i % 4]), QStringLiteral("Row %1").arg(i));
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
    // combo box's own index stays on the popup's single row.
    void aClickedRowShowsOnTheFaceAndClosesThePopup()
    {
        combo->listView()->setItemHeight(24);
        fill(4);
        QCOMPARE(list()->visualItemRect(combo->item(1)).height(), 24);
        openPopup();
        QSignalSpy shown(combo->listView(), SIGNAL(currentItemChanged(QPixmap,QString)));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(2)).center());
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.last().at(1).toString(), QStringLiteral("Row 2"));
        QCOMPARE(combo->currentRow(), 2);
        QCOMPARE(combo->baseEdit()->currentText(), QStringLiteral("Row 2"));
        QCOMPARE(centreColour(combo->baseEdit()->currentIcon()), QColor(Qt::blue));
        QTRY_VERIFY(!combo->view()->isVisible());
        QCOMPARE(combo->QComboBox::currentIndex(), 0);
        // The face is not for typing.
        QTest::keyClicks(combo->lineEdit(), QStringLiteral("typed"));
        QVERIFY(combo->lineEdit()->text().isEmpty());
    }

    void onlyAPressAndReleaseInTheListChoose()
    {
        fill(3);
        list()->setCurrentRow(1);
        QSignalSpy spy(list(), SIGNAL(showItem(int)));
        const QPoint inside = list()->visualItemRect(list()->item(1)).center();
        QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, inside);
        QCOMPARE(spy.count(), 0);
        QTest::mousePress(list()->viewport(), Qt::LeftButton, {}, inside);
        QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, inside);
        QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, inside);
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{1}}));
    }

    void theKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("face");
        QTest::newRow("Down and Return choose the next row") << int(Qt::Key_Return) << QStringLiteral("Row 2");
        QTest::newRow("Down and Escape close the popup and keep the face") << int(Qt::Key_Escape) << QStringLiteral("Row 1");
    }
    void theKeyboard()
    {
        QFETCH(int, key);
        QFETCH(QString, face);
        fill(4);
        combo->setCurrentIndex(1);
        openPopup();
        QTRY_VERIFY(list()->hasFocus());
        QTest::keyClick(list(), Qt::Key_Down);
        QTest::keyClick(list(), Qt::Key(key));
        QTRY_VERIFY(!combo->view()->isVisible());
        QCOMPARE(combo->baseEdit()->currentText(), face);
    }

    // The text is simplified and the picture takes the item icon size; an
    // index without a row changes nothing; a hidden face icon stays hidden.
    void setCurrentIndexPutsTheRowOnTheFace()
    {
        combo->setItemIconSize(QSize(12, 12));
        combo->hideShowIcon();
        combo->addItem(filled(16, 16, Qt::red), QStringLiteral("Row 0"));
        combo->addItem(filled(16, 16, Qt::green), QStringLiteral("  By   Layer \t"));
        combo->setCurrentIndex(1);
        QCOMPARE(combo->currentRow(), 1);
        QCOMPARE(combo->baseEdit()->currentText(), QStringLiteral("By Layer"));
        QCOMPARE(combo->baseEdit()->currentIcon().size(), QSize(12, 12));
        QCOMPARE(centreColour(combo->baseEdit()->currentIcon()), QColor(Qt::green));
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
        QFETCH(QSize, sizeHint);
        combo->setViewMode(1);
        combo->addItem(filled(height, height, Qt::red), QStringLiteral("Row"));
        QCOMPARE(combo->item(0)->sizeHint(), sizeHint);
        QCOMPARE(list()->gridSize(), QSize(80, 80));
        QCOMPARE(list()->iconSize(), QSize(50, 50));
        combo->setCurrentIndex(0);
        QCOMPARE(combo->baseEdit()->currentIcon().size(), QSize(16, 16));
    }

    // The button runs the selector's openDialog() once and leaves its hover state.
    void theSettingsButtonRunsTheSelectorsDialogOnce()
    {
        openPopup();
        QPushButton* button = combo->listView()->settingButton();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(combo->dialogsOpened, 1);
        QVERIFY(!button->testAttribute(Qt::WA_UnderMouse) && button->hasMouseTracking());
    }

    // Every opening asks for more rows; a hidden button leaves only the list.
    void thePopupTakesTheListHeight()
    {
        fill(30);
        QSignalSpy spy(combo.get(), SIGNAL(addMoreItem()));
        combo->hideSettingBtn();
        combo->setListWidgetHeight(150);
        openPopup();
        QVERIFY(!combo->listView()->settingButton()->isVisible());
        QCOMPARE(combo->listView()->height(), 150);
        QVERIFY(combo->view()->window()->height() >= 150 && combo->view()->window()->height() < 170);
        combo->hidePopup();
        openPopup();
        QCOMPARE(spy.count(), 2);
    }

    void destroyedWhileItsPopupIsOpen()
    {
        fill(5);
        openPopup();
        QPointer<QWidget> popup = combo->view()->window();
        combo.reset();
        QVERIFY(!popup);
    }
};

KVCC_TEST_MAIN(TestBaseComboBox)
#include "tst_basecombobox.moc"
