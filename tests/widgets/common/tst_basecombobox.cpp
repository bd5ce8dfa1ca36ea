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
        QCOMPARE(combo->listView()->settingButton()->focusPolicy(), Qt::NoFocus);

        combo->listView()->setItemHeight(24);
        fill(2);
        QCOMPARE(list()->visualItemRect(combo->item(1)).height(), 24);
    }

    // In icon mode a picture taller than a list row fills a grid cell, and
    // the face takes a small copy.
    void iconMode()
    {
        combo->setViewMode(1);
        combo->addItem(filled(30, 20, Qt::red), QStringLiteral("Row high"));
        combo->addItem(filled(40, 40, Qt::red), QStringLiteral("Taller"));
        QCOMPARE(combo->item(0)->sizeHint(), QSize());
        QCOMPARE(combo->item(1)->sizeHint(), QSize(80, 80));
        QCOMPARE(list()->gridSize(), QSize(80, 80));
        combo->setCurrentIndex(1);
        QCOMPARE(combo->baseEdit()->currentIcon().size(), QSize(16, 16));
    }

    void clickingARowShowsItOnTheFaceAndCloses()
    {
        fill(4);
        openPopup();
        QSignalSpy shown(combo->listView(), SIGNAL(currentItemChanged(QPixmap,QString)));
        QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, list()->visualItemRect(list()->item(2)).center());
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

    void theKeyboard_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("face");
        QTest::newRow("Down and Return choose the next row") << int(Qt::Key_Return) << QStringLiteral("Row 2");
        QTest::newRow("Down and Escape close the popup and keep the face") << int(Qt::Key_Escape)
                                                                           << QStringLiteral("Row 1");
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
        if (key == Qt::Key_Return)
            QCOMPARE(combo->currentRow(), 2);
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

    // The face shows the row's text simplified and its picture at the item
    // icon size; an index without a row changes nothing.
    void setCurrentIndexPutsTheRowOnTheFace()
    {
        combo->setItemIconSize(QSize(12, 12));
        combo->addItem(filled(16, 16, Qt::red), QStringLiteral("Row 0"));
        combo->addItem(filled(16, 16, Qt::green), QStringLiteral("  By   Layer \t"));
        combo->setCurrentIndex(1);
        QCOMPARE(combo->currentRow(), 1);
        QCOMPARE(combo->baseEdit()->currentText(), QStringLiteral("By Layer"));
        QCOMPARE(combo->baseEdit()->currentIcon().size(), QSize(12, 12));
        QCOMPARE(centreColour(combo->baseEdit()->currentIcon()), QColor(Qt::green));
        QSignalSpy spy(combo->listView(), SIGNAL(currentItemChanged(QPixmap,QString)));
        combo->setCurrentIndex(5);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(combo->baseEdit()->currentText(), QStringLiteral("By Layer"));
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

    // The dialog may even delete the selector later.
    void settingsButtonOpensTheDialog()
    {
        QPointer<SampleCombo> watched = combo.get();
        connect(combo->listView(), &KvCc::ListView::triggerDialog, combo.get(), &QObject::deleteLater);
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
        combo.release();
        QTRY_VERIFY(!watched);
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

    void hideSettingBtnLeavesOnlyTheListAndEveryOpeningAsksForMoreRows()
    {
        QSignalSpy spy(combo.get(), SIGNAL(addMoreItem()));
        combo->hideSettingBtn();
        openPopup();
        QVERIFY(!combo->listView()->settingButton()->isVisible());
        QVERIFY(list()->isVisible());
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
};

KVCC_TEST_MAIN(TestBaseComboBox)
#include "tst_basecombobox.moc"
