#include "kvcctest.h"

#include "../../dialogs/dialogdriver.h"
#include "popupdriver.h"

#include <kvlineweightdialog.h>
#include <lineweightlist.h>
#include <linewidthcombobox.h>

#include <QRadioButton>

using namespace popupdriver;
using KvCc::KvLineWeightDialog;
using KvCc::LineWeightList;

// Answers the settings dialog: clicks the unit and the row, then closes it.
static std::function<void(KvLineWeightDialog*)> choose(bool millimetres, int row, int answer)
{
    return [=](KvLineWeightDialog* dialog) {
        auto* unit = dialog->findChild<QRadioButton*>(millimetres ? "mmRadioBnt" : "inRadioBnt");
        QTest::mouseClick(unit, Qt::LeftButton, {}, QPoint(8, unit->height() / 2));
        dialogdriver::clickRow(dialog, row);
        dialogdriver::answer(dialog, answer, "okBnt", "cancelBnt", "helpBnt");
    };
}

// Drives the lineweight selector through its popup and its own settings dialog.
class TestLineWidthComboBox : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<KvCc::LineWidthComboBox> combo;

private slots:
    void init()
    {
        combo = std::make_unique<KvCc::LineWidthComboBox>();
        combo->show();
        QVERIFY(QTest::qWaitForWindowExposed(combo.get()));
    }
    void cleanup() { combo.reset(); }

    void theFirstOpeningCompletesTheList()
    {
        KvCc::LineWidthComboBox other;
        QCOMPARE(rowTexts(combo.get()), LineWeightList::mmTexts().mid(0, 9));
        QCOMPARE(state(combo.get()), QStringLiteral("By Layer, row 0, popup 210"));
        QSignalSpy spy(combo.get(), SIGNAL(addMoreItem()));
        for (int i = 0; i < 2; ++i) {
            QVERIFY(openPopup(combo.get()));
            QCOMPARE(rowTexts(combo.get()), LineWeightList::mmTexts());
            QVERIFY2(popupShowsWholeTexts(combo.get()), "the popup cuts off its texts");
            combo->hidePopup();
        }
        QCOMPARE(spy.count(), 2);
        QCOMPARE(state(combo.get()), QStringLiteral("By Layer, row 0, popup 210"));
        QCOMPARE(rowTexts(&other).size(), 9);
        const QList<QPixmap> samples = LineWeightList::samples(LineWeightList::RowCount);
        for (int row : {0, 12, 26})
            QCOMPARE(combo->item(row)->icon().pixmap(48, 16).toImage(), samples.at(row).toImage());
    }

    // A host may run the settings before the popup ever opened: the row
    // chosen there must exist and all rows carry the chosen unit, also after
    // the first opening. The dialog opens on the current row; "Ok" selects
    // the row chosen there. One dialog serves every opening.
    void okSelectsTheChosenRowInTheChosenUnit()
    {
        QList<KvLineWeightDialog*> dialogs;
        modaldriver::answer<KvLineWeightDialog>([this] { combo->openDialog(); }, [&](KvLineWeightDialog* d) {
            dialogs << d;
            choose(false, 20, dialogdriver::OkButton)(d);
        });
        QCOMPARE(state(combo.get()), QStringLiteral("0.39\", row 20, popup 210"));
        QCOMPARE(rowTexts(combo.get()), LineWeightList::inchTexts());
        QVERIFY(pickRow(combo.get(), 14));
        QCOMPARE(face(combo.get()), QStringLiteral("0.20\""));
        QCOMPARE(rowTexts(combo.get()), LineWeightList::inchTexts());
        KvCc::LineWidthComboBox other;
        QCOMPARE(face(&other), QStringLiteral("By Layer"));

        runSettings<KvLineWeightDialog>(combo.get(), [&](KvLineWeightDialog* d) {
            dialogs << d;
            QCOMPARE(d->findChild<QListWidget*>("listWidget")->currentRow(), 14);
            choose(true, 5, dialogdriver::ReturnKey)(d);
        });
        QCOMPARE(state(combo.get()), QStringLiteral("0.09 mm, row 5, popup 210"));
        QCOMPARE(rowTexts(combo.get()), LineWeightList::mmTexts());
        QCOMPARE(dialogs.first(), dialogs.last());
    }

    // Tried in millimetres, then in inches chosen before.
    void closingWithoutOkChangesNothing_data() { dialogdriver::addAnswerRows(false); }
    void closingWithoutOkChangesNothing()
    {
        QFETCH(int, answer);
        QVERIFY(pickRow(combo.get(), 11));
        runSettings<KvLineWeightDialog>(combo.get(), choose(false, 20, answer));
        QCOMPARE(state(combo.get()), QStringLiteral("0.30 mm, row 11, popup 210"));
        QCOMPARE(rowTexts(combo.get()), LineWeightList::mmTexts());

        runSettings<KvLineWeightDialog>(combo.get(), choose(false, 11, dialogdriver::OkButton));
        runSettings<KvLineWeightDialog>(combo.get(), choose(true, 20, answer));
        QCOMPARE(state(combo.get()), QStringLiteral("0.12\", row 11, popup 210"));
        QCOMPARE(rowTexts(combo.get()), LineWeightList::inchTexts());
    }
};

KVCC_TEST_MAIN(TestLineWidthComboBox)
#include "tst_linewidthcombobox.moc"
