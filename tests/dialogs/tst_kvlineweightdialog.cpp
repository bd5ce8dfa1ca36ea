#include "kvcctest.h"

#include "dialogdriver.h"

#include <kvlineweightdialog.h>

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QRadioButton>
#include <QScrollBar>
#include <QSlider>

using namespace dialogdriver;
using KvCc::KvLineWeightDialog;

namespace {

QListWidget* listOf(QWidget* dialog)
{
    return dialog->findChild<QListWidget*>(QStringLiteral("listWidget"));
}

QString nameLabelOf(QWidget* dialog)
{
    auto* label = dialog->findChild<QLabel*>(QStringLiteral("nameLabel"));
    return label ? label->text() : QStringLiteral("<no nameLabel>");
}

void clickRow(QDialog* dialog, int row)
{
    QListWidget* list = listOf(dialog);
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    QCOMPARE(list->currentRow(), row);
}

void clickRadio(QDialog* dialog, const char* name)
{
    auto* radio = dialog->findChild<QRadioButton*>(QLatin1String(name));
    QVERIFY2(radio, name);
    QTest::mouseClick(radio, Qt::LeftButton, {}, QPoint(8, radio->height() / 2));
    QVERIFY2(radio->isChecked(), name);
}

} // namespace

// The lineweight settings dialog as its owner and the user meet it.
class TestKvLineWeightDialog : public QObject
{
    Q_OBJECT

private slots:
    // At 150 pixels a larger font cut the texts off behind a horizontal scroll bar.
    void listIsWideEnoughForItsTexts()
    {
        KvLineWeightDialog dialog;
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        QListWidget* list = listOf(&dialog);
        QVERIFY(!list->horizontalScrollBar()->isVisible());
        QVERIFY(list->sizeHintForColumn(0) <= list->viewport()->width());
    }

    void okReportsUnitAndClickedRow_data()
    {
        QTest::addColumn<bool>("inches");
        QTest::addColumn<int>("row");
        QTest::addColumn<bool>("byReturn");
        QTest::addColumn<bool>("fiddle");
        QTest::newRow("Ok after switching to inches reports inches") << true << 12 << false << false;
        QTest::newRow("Return takes Ok and reports millimetres") << false << 7 << true << false;
        QTest::newRow("the display controls change nothing reported") << false << 2 << false << true;
    }

    void okReportsUnitAndClickedRow()
    {
        QFETCH(bool, inches);
        QFETCH(int, row);
        QFETCH(bool, byReturn);
        QFETCH(bool, fiddle);
        KvLineWeightDialog dialog;
        dialog.setCurrentLineweight(4);
        QSignalSpy spy(&dialog, SIGNAL(lineWeightChanged(bool, int)));
        int resultAtSignal = -1;
        connect(&dialog, &KvLineWeightDialog::lineWeightChanged, this, [&](bool, int) { resultAtSignal = dialog.result(); });
        const int result = execAndAnswer(dialog, [=](QDialog* d) {
            if (inches)
                clickRadio(d, "inRadioBnt");
            clickRow(d, row);
            if (inches)
                QCOMPARE(nameLabelOf(d), QStringLiteral("0.14\""));
            if (fiddle) {
                auto* check = d->findChild<QCheckBox*>(QStringLiteral("checkBox"));
                QTest::mouseClick(check, Qt::LeftButton, {}, QPoint(8, check->height() / 2));
                QVERIFY(check->isChecked());
                auto* combo = d->findChild<QComboBox*>(QStringLiteral("comboBox"));
                combo->setFocus();
                QTest::keyClick(combo, Qt::Key_Down);
                QCOMPARE(combo->currentIndex(), 1);
                auto* slider = d->findChild<QSlider*>(QStringLiteral("horizontalSlider"));
                QTest::keyClick(slider, Qt::Key_End);
                QCOMPARE(slider->value(), 99);
                QCOMPARE(listOf(d)->currentRow(), row);
            }
            if (byReturn)
                typeKey(d, Qt::Key_Return);
            else
                clickButton(d, "okBnt");
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{!inches, row}}));
        // The signal arrives while the dialog is still running, before it is accepted.
        QCOMPARE(resultAtSignal, 0);
    }

    void leavingWithoutOkEmitsNothing_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("the Cancel button rejects, after Help showed its box") << 0;
        QTest::newRow("Escape rejects") << 1;
        QTest::newRow("the window's close button rejects") << 2;
    }
    void leavingWithoutOkEmitsNothing()
    {
        QFETCH(int, way);
        KvLineWeightDialog dialog;
        dialog.setCurrentLineweight(3);
        QSignalSpy spy(&dialog, SIGNAL(lineWeightChanged(bool, int)));
        QString title, text;
        const int result = execAndAnswer(dialog, [&](QDialog* d) {
            clickRadio(d, "inRadioBnt");
            clickRow(d, 20);
            if (way == 0) {
                readHelpBox(d, "helpBnt", &title, &text);
                QVERIFY(d->isVisible());
                clickButton(d, "cancelBnt");
            } else if (way == 1) {
                typeKey(d, Qt::Key_Escape);
            } else {
                d->close();
            }
        });
        QCOMPARE(result, int(QDialog::Rejected));
        QCOMPARE(spy.count(), 0);
        if (way == 0)
            QCOMPARE(title + QLatin1Char('/') + text, QStringLiteral("help/Vantor help  doc!"));
        // The next opening shows what the user left: inches and the clicked
        // row; millimetres relabel the list, the default combo box and the name.
        const int again = execAndAnswer(dialog, [](QDialog* d) {
            auto* combo = d->findChild<QComboBox*>(QStringLiteral("comboBox"));
            QVERIFY(d->findChild<QRadioButton*>(QStringLiteral("inRadioBnt"))->isChecked());
            QCOMPARE(listOf(d)->currentRow(), 20);
            QCOMPARE(listOf(d)->item(20)->text(), QStringLiteral("0.39\""));
            QCOMPARE(listOf(d)->item(2)->text(), QStringLiteral("Default"));
            QCOMPARE(combo->itemText(7), QStringLiteral("0.10\""));
            QCOMPARE(nameLabelOf(d), QStringLiteral("0.39\""));
            clickRadio(d, "mmRadioBnt");
            QCOMPARE(listOf(d)->item(20)->text(), QStringLiteral("1.00 mm"));
            QCOMPARE(combo->itemText(7), QStringLiteral("0.25 mm"));
            QCOMPARE(nameLabelOf(d), QStringLiteral("1.00 mm"));
            clickButton(d, "okBnt");
        });
        QCOMPARE(again, int(QDialog::Accepted));
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{true, 20}}));
    }

    // A fresh dialog, or one told a row that does not exist, has no current
    // row: "Ok" used to report row -1, which its owner would use as an index.
    void okCannotReportARowThatDoesNotExist()
    {
        KvLineWeightDialog dialog;
        QSignalSpy spy(&dialog, SIGNAL(lineWeightChanged(bool, int)));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("okBnt"));
        QVERIFY(!ok->isEnabled());
        QCOMPARE(listOf(&dialog)->currentRow(), -1);
        QCOMPARE(nameLabelOf(&dialog), QStringLiteral("ByLayer"));
        QVERIFY(dialog.findChild<QRadioButton*>(QStringLiteral("mmRadioBnt"))->isChecked());
        dialog.setCurrentLineweight(26);
        QVERIFY(ok->isEnabled());
        QCOMPARE(listOf(&dialog)->currentRow(), 26);
        QCOMPARE(nameLabelOf(&dialog), QStringLiteral("2.11 mm"));
        dialog.setCurrentLineweight(5);
        dialog.setCurrentLineweight(27);
        QCOMPARE(listOf(&dialog)->currentRow(), -1);
        QVERIFY(!ok->isEnabled());
        QCOMPARE(nameLabelOf(&dialog), QStringLiteral("0.09 mm"));

        dialog.slotAccepted();
        QCOMPARE(spy.count(), 0);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));

        const int result = execAndAnswer(dialog, [](QDialog* d) {
            clickRow(d, 1);
            typeKey(d, Qt::Key_Return);
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{true, 1}}));
    }
};

KVCC_TEST_MAIN(TestKvLineWeightDialog)
#include "tst_kvlineweightdialog.moc"
