#include "kvcctest.h"

#include "popupdriver.h"

#include <kvlineweightdialog.h>
#include <lineweightlist.h>
#include <linewidthcombobox.h>

#include <QRadioButton>

#include <memory>

using namespace popupdriver;

// Drives the lineweight selector through its popup and its own settings dialog.
class TestLineWidthComboBox : public QObject
{
    Q_OBJECT

public:
    enum class Answer { Ok, Cancel, Escape };
    Q_ENUM(Answer)

private:
    std::unique_ptr<KvCc::LineWidthComboBox> combo;
    QList<QPointer<QDialog>> dialogsSeen;

    static QStringList mm() { return KvCc::LineWeightList::mmTexts(); }
    static QStringList inch() { return KvCc::LineWeightList::inchTexts(); }

    // Answers the next settings dialog: picks the unit and the row with the
    // mouse (row -1 leaves the row), then closes it as answer says.
    void answerDialog(bool millimetres, int row, Answer answer)
    {
        QTimer::singleShot(0, this, [=] {
            auto* dialog = qobject_cast<KvCc::KvLineWeightDialog*>(QApplication::activeModalWidget());
            if (!dialog) {
                QTimer::singleShot(10, this, [=] { answerDialog(millimetres, row, answer); });
                return;
            }
            dialogsSeen << dialog;
            QVERIFY(!popupVisible(combo.get()));
            auto* unit = dialog->findChild<QRadioButton*>(millimetres ? "mmRadioBnt" : "inRadioBnt");
            QTest::mouseClick(unit, Qt::LeftButton, {}, QPoint(8, unit->height() / 2));
            QVERIFY(unit->isChecked());
            if (row >= 0) {
                auto* list = dialog->findChild<QListWidget*>("listWidget");
                list->scrollToItem(list->item(row));
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
                QCOMPARE(list->currentRow(), row);
            }
            if (answer == Answer::Escape)
                QTest::keyClick(dialog, Qt::Key_Escape);
            else
                QTest::mouseClick(dialog->findChild<QPushButton*>(answer == Answer::Ok ? "okBnt" : "cancelBnt"), Qt::LeftButton);
        });
    }

    void runDialog(bool millimetres, int row, Answer answer)
    {
        QVERIFY(openPopup(combo.get()));
        answerDialog(millimetres, row, answer);
        QVERIFY(clickSettings(combo.get()));
        QTRY_VERIFY(!QApplication::activeModalWidget());
    }

    void pickRow(int row)
    {
        QVERIFY(openPopup(combo.get()));
        QVERIFY(clickRow(combo.get(), row));
        QTRY_VERIFY(!popupVisible(combo.get()));
    }

private slots:
    void init()
    {
        dialogsSeen.clear();
        combo = std::make_unique<KvCc::LineWidthComboBox>();
        combo->show();
        QVERIFY(QTest::qWaitForWindowExposed(combo.get()));
    }

    void cleanup() { combo.reset(); }

    void firstOpeningCompletesTheList()
    {
        KvCc::LineWidthComboBox other;
        QCOMPARE(rowTexts(combo.get()), mm().mid(0, 9));
        QCOMPARE(face(combo.get()), QStringLiteral("By Layer"));
        QCOMPARE(popupHeight(combo.get()), 210);
        QSignalSpy spy(combo.get(), SIGNAL(addMoreItem()));
        QVERIFY(openPopup(combo.get()));
        QCOMPARE(spy.count(), 1);
        QCOMPARE(rowTexts(combo.get()), mm());
        QCOMPARE(popupHeight(combo.get()), 210);
        QVERIFY2(popupShowsWholeTexts(combo.get()), "the popup cuts off its texts");
        combo->hidePopup();
        for (int i = 0; i < 5; ++i) {
            QVERIFY(openPopup(combo.get()));
            combo->hidePopup();
        }
        QCOMPARE(spy.count(), 6);
        QCOMPARE(rowTexts(combo.get()), mm());
        // Each selector completes its own list.
        QCOMPARE(rowTexts(&other).size(), 9);
        // Samples follow the lineweight list's width rule.
        const QList<QPixmap> samples = KvCc::LineWeightList::samples(KvCc::LineWeightList::RowCount);
        for (int row : {0, 12, 26}) {
            QCOMPARE(combo->item(row)->icon().pixmap(48, 16).toImage().convertToFormat(QImage::Format_ARGB32),
                     samples.at(row).toImage().convertToFormat(QImage::Format_ARGB32));
        }
    }

    void dialogStartsAtTheRowClickedLast()
    {
        pickRow(20);
        QCOMPARE(face(combo.get()), QStringLiteral("1.00 mm"));
        QCOMPARE(combo->currentRow(), 20);
        int dialogRow = -1;
        QTimer::singleShot(0, this, [&] {
            auto* list = QApplication::activeModalWidget()->findChild<QListWidget*>("listWidget");
            dialogRow = list ? list->currentRow() : -2;
        });
        runDialog(true, -1, Answer::Cancel);
        QCOMPARE(dialogRow, 20);
    }

    void okWithInchesRelabelsAndSelects()
    {
        runDialog(false, 14, Answer::Ok);
        QCOMPARE(dialogsSeen.size(), 1);
        QCOMPARE(combo->currentRow(), 14);
        QCOMPARE(face(combo.get()), QStringLiteral("0.20\""));
        QCOMPARE(rowTexts(combo.get()), inch());
        // Another selector keeps its own unit.
        KvCc::LineWidthComboBox other;
        other.show();
        QVERIFY(openPopup(&other));
        other.hidePopup();
        QCOMPARE(rowTexts(&other), mm());
        QCOMPARE(face(&other), QStringLiteral("By Layer"));

        runDialog(true, 5, Answer::Ok);
        QCOMPARE(combo->currentRow(), 5);
        QCOMPARE(face(combo.get()), QStringLiteral("0.09 mm"));
        QCOMPARE(rowTexts(combo.get()), mm());
        // One dialog per selector, reused for every opening.
        QCOMPARE(dialogsSeen.size(), 2);
        QCOMPARE(dialogsSeen.at(0), dialogsSeen.at(1));
    }

    void closingWithoutOkChangesNothing_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("millimetres");
        QTest::addColumn<bool>("inchesBefore");
        QTest::newRow("Cancel in inches keeps the millimetre rows") << Answer::Cancel << false << false;
        QTest::newRow("Escape in inches keeps the millimetre rows") << Answer::Escape << false << false;
        QTest::newRow("Escape in millimetres keeps the millimetre rows") << Answer::Escape << true << false;
        QTest::newRow("Cancel in millimetres after inches keeps the inch rows") << Answer::Cancel << true << true;
    }

    void closingWithoutOkChangesNothing()
    {
        QFETCH(Answer, answer);
        QFETCH(bool, millimetres);
        QFETCH(bool, inchesBefore);
        if (inchesBefore) {
            runDialog(false, 11, Answer::Ok);
        } else {
            pickRow(11);
        }
        runDialog(millimetres, 20, answer);
        QCOMPARE(dialogsSeen.size(), inchesBefore ? 2 : 1);
        QCOMPARE(combo->currentRow(), 11);
        QCOMPARE(face(combo.get()), inchesBefore ? QStringLiteral("0.12\"") : QStringLiteral("0.30 mm"));
        QCOMPARE(rowTexts(combo.get()), inchesBefore ? inch() : mm());
    }

    void settingsRunBeforeTheFirstOpeningListEveryRow()
    {
        // A host may call openDialog() directly, before the popup ever opened:
        // the row chosen there must exist and all rows carry the chosen unit.
        answerDialog(false, 20, Answer::Ok);
        combo->openDialog();
        QCOMPARE(rowTexts(combo.get()), inch());
        QCOMPARE(combo->currentRow(), 20);
        QCOMPARE(face(combo.get()), QStringLiteral("0.39\""));
        QVERIFY(openPopup(combo.get()));
        combo->hidePopup();
        QCOMPARE(rowTexts(combo.get()), inch());
    }
};

KVCC_TEST_MAIN(TestLineWidthComboBox)
#include "tst_linewidthcombobox.moc"
