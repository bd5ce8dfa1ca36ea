#include "kvcctest.h"

#include <basecombobox.h>
#include <baseedit.h>
#include <listview.h>
#include <listwidget.h>

#include <QLabel>
#include <QListWidget>
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

// A selector that keeps the frame's empty openDialog().
class PlainCombo : public KvCc::BaseComboBox
{
    Q_OBJECT
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

    void clickRow(int row)
    {
        const QRect rect = list()->visualItemRect(list()->item(row));
        QVERIFY(rect.isValid());
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, rect.center());
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

    void popupIsOneRowHoldingTheListView()
    {
        auto* popup = qobject_cast<QListWidget*>(combo->view());
        QVERIFY(popup);
        QCOMPARE(combo->model(), popup->model());
        QCOMPARE(popup->count(), 1);
        QCOMPARE(popup->itemWidget(popup->item(0)), combo->listView());
        QCOMPARE(combo->lineEdit(), combo->baseEdit());
        QVERIFY(combo->baseEdit()->isReadOnly());
        QVERIFY(combo->findChild<KvCc::ListWidget*>(QStringLiteral("customListView")));
        auto* button = combo->findChild<QPushButton*>(QStringLiteral("customSettingBtn"));
        QVERIFY(button);
        QCOMPARE(button->height(), 25);
        QCOMPARE(button->focusPolicy(), Qt::NoFocus);
        QCOMPARE(combo->listView()->itemHeight(), 20);
    }

    void listModeRowsTakeTheRowHeight()
    {
        combo->listView()->setItemHeight(24);
        fill(2);
        QCOMPARE(combo->item(1)->sizeHint().height(), 24);
        QCOMPARE(list()->visualItemRect(combo->item(1)).height(), 24);
        QCOMPARE(combo->item(1)->text(), QStringLiteral("Row 1"));
    }

    void iconModeSizes_data()
    {
        QTest::addColumn<int>("pictureHeight");
        QTest::addColumn<QSize>("hint");
        QTest::newRow("a picture 20 pixels high keeps its own size hint") << 20 << QSize();
        QTest::newRow("a picture 21 pixels high fills a grid cell") << 21 << QSize(80, 80);
    }

    void iconModeSizes()
    {
        QFETCH(int, pictureHeight);
        QFETCH(QSize, hint);
        combo->setViewMode(1);
        QCOMPARE(combo->listView()->viewMode(), 1);
        combo->addItem(filled(30, pictureHeight, Qt::red), QStringLiteral("Sample"));
        QCOMPARE(combo->item(0)->sizeHint(), hint);
        QCOMPARE(list()->gridSize(), QSize(80, 80));
        QCOMPARE(list()->iconSize(), QSize(50, 50));
        QCOMPARE(list()->resizeMode(), QListView::Adjust);
        QCOMPARE(list()->textElideMode(), Qt::ElideRight);
    }

    void clickingARowShowsItOnTheFaceAndCloses()
    {
        fill(4);
        openPopup();
        QSignalSpy shown(combo->listView(), SIGNAL(currentItemChanged(QPixmap,QString)));
        clickRow(2);
        QCOMPARE(shown.count(), 1);
        QCOMPARE(shown.last().at(1).toString(), QStringLiteral("Row 2"));
        QCOMPARE(combo->currentRow(), 2);
        QCOMPARE(combo->baseEdit()->currentText(), QStringLiteral("Row 2"));
        // The list never got an icon size: the face still gets the picture.
        const QPixmap face = combo->baseEdit()->currentIcon();
        QVERIFY(!face.isNull());
        QCOMPARE(centreColour(face), QColor(Qt::blue));
        QTRY_VERIFY(!combo->view()->isVisible());
        QCOMPARE(combo->QComboBox::currentIndex(), 0);
    }

    void theKeyboardChoosesARow()
    {
        fill(4);
        combo->setCurrentIndex(1);
        openPopup();
        QTRY_VERIFY(list()->hasFocus());
        QTest::keyClick(list(), Qt::Key_Down);
        QTest::keyClick(list(), Qt::Key_Return);
        QCOMPARE(combo->currentRow(), 2);
        QCOMPARE(combo->baseEdit()->currentText(), QStringLiteral("Row 2"));
        QTRY_VERIFY(!combo->view()->isVisible());
    }

    void escapeClosesThePopupAndKeepsTheFace()
    {
        fill(4);
        combo->setCurrentIndex(1);
        openPopup();
        QTRY_VERIFY(list()->hasFocus());
        QTest::keyClick(list(), Qt::Key_Down);
        QTest::keyClick(list(), Qt::Key_Escape);
        QTRY_VERIFY(!combo->view()->isVisible());
        QCOMPARE(combo->baseEdit()->currentText(), QStringLiteral("Row 1"));
    }

    void aPressOutsideTheListChoosesNothing()
    {
        fill(3);
        list()->setCurrentRow(1);
        QSignalSpy spy(list(), SIGNAL(showItem(int)));
        const QPoint inside = list()->visualItemRect(list()->item(1)).center();
        QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, inside);
        QCOMPARE(spy.count(), 0);
        QTest::mousePress(list()->viewport(), Qt::LeftButton, {}, inside);
        QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, inside);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.last().at(0).toInt(), 1);
        QTest::mouseRelease(list()->viewport(), Qt::LeftButton, {}, inside);
        QCOMPARE(spy.count(), 1);
    }

    void setCurrentIndexShowsTheRow()
    {
        fill(3);
        combo->setItemIconSize(QSize(12, 12));
        combo->setCurrentIndex(1);
        QCOMPARE(combo->currentRow(), 1);
        QCOMPARE(combo->baseEdit()->currentText(), QStringLiteral("Row 1"));
        QCOMPARE(combo->baseEdit()->currentIcon().size(), QSize(12, 12));
        QCOMPARE(centreColour(combo->baseEdit()->currentIcon()), QColor(Qt::green));
    }

    void setCurrentIndexWithoutARowLeavesTheFace()
    {
        fill(2);
        combo->setCurrentIndex(0);
        QSignalSpy spy(combo->listView(), SIGNAL(currentItemChanged(QPixmap,QString)));
        combo->setCurrentIndex(5);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(combo->baseEdit()->currentText(), QStringLiteral("Row 0"));
    }

    void faceShowsSimplifiedText()
    {
        combo->addItem(filled(16, 16, Qt::red), QStringLiteral("  By   Layer \t"));
        combo->setCurrentIndex(0);
        QCOMPARE(combo->baseEdit()->currentText(), QStringLiteral("By Layer"));
    }

    void iconModeFaceTakesASmallPicture()
    {
        combo->setViewMode(1);
        combo->addItem(filled(40, 40, Qt::red), QStringLiteral("Big"));
        combo->setCurrentIndex(0);
        QCOMPARE(combo->baseEdit()->currentIcon().size(), QSize(16, 16));
    }

    void hideShowIconHidesTheFacePicture()
    {
        fill(1);
        combo->hideShowIcon();
        combo->setCurrentIndex(0);
        const auto labels = combo->baseEdit()->findChildren<QLabel*>();
        QCOMPARE(labels.size(), 2);
        QVERIFY(labels.at(0)->isHidden());
        QVERIFY(!labels.at(1)->isHidden());
    }

    void settingsButtonOpensTheDialog()
    {
        fill(2);
        combo->setButtonText(QStringLiteral("Lineweight settings..."));
        openPopup();
        auto* button = combo->listView()->settingButton();
        QCOMPARE(button->text(), QStringLiteral("Lineweight settings..."));
        QVERIFY(button->isVisible());
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(combo->dialogsOpened, 1);
        QVERIFY(!button->testAttribute(Qt::WA_UnderMouse));
        QVERIFY(button->hasMouseTracking());
    }

    void settingsButtonWithoutADialogChangesNothing()
    {
        PlainCombo plain;
        plain.addItem(filled(16, 16, Qt::red), QStringLiteral("Row"));
        plain.setCurrentIndex(0);
        QSignalSpy dialog(plain.listView(), SIGNAL(triggerDialog()));
        QSignalSpy face(plain.listView(), SIGNAL(currentItemChanged(QPixmap,QString)));
        plain.listView()->settingButton()->click();
        QCOMPARE(dialog.count(), 1);
        QCOMPARE(face.count(), 0);
        QCOMPARE(plain.currentRow(), 0);
        QCOMPARE(plain.baseEdit()->currentText(), QStringLiteral("Row"));
    }

    void hideSettingBtnLeavesOnlyTheList()
    {
        combo->hideSettingBtn();
        openPopup();
        QVERIFY(!combo->listView()->settingButton()->isVisible());
        QVERIFY(list()->isVisible());
    }

    void everyOpeningAsksForMoreRows()
    {
        QSignalSpy spy(combo.get(), SIGNAL(addMoreItem()));
        openPopup();
        combo->hidePopup();
        openPopup();
        QCOMPARE(spy.count(), 2);
    }

    void listWidgetHeightSetsThePopupHeight()
    {
        fill(30);
        combo->setListWidgetHeight(150);
        QCOMPARE(combo->view()->model()->index(0, 0).data(Qt::SizeHintRole).toSize().height(), 150);
        openPopup();
        QCOMPARE(combo->listView()->height(), 150);
        QVERIFY(combo->view()->window()->height() >= 150);
        QVERIFY(combo->view()->window()->height() < 170);
    }

    void destroyedWhilePopupIsOpen()
    {
        fill(5);
        openPopup();
        QPointer<QWidget> popup = combo->view()->window();
        combo.reset();
        QVERIFY(!popup);
    }

    void deletedLaterFromItsOwnSignal()
    {
        fill(3);
        QPointer<SampleCombo> watched = combo.get();
        connect(combo.get(), &KvCc::BaseComboBox::addMoreItem, combo.get(), &QObject::deleteLater);
        combo.release()->showPopup();
        QTRY_VERIFY(!watched);
    }

    void deletedLaterFromTheSettingsButton()
    {
        QPointer<SampleCombo> watched = combo.get();
        connect(combo->listView(), &KvCc::ListView::triggerDialog, combo.get(), &QObject::deleteLater);
        openPopup();
        QTest::mouseClick(combo->listView()->settingButton(), Qt::LeftButton);
        combo.release();
        QTRY_VERIFY(!watched);
    }
};

KVCC_TEST_MAIN(TestBaseComboBox)
#include "tst_basecombobox.moc"
