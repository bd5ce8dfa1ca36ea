#include "kvcctest.h"
#include "testdrawing.h"

#include "dialogdriver.h"

#include <kvlineweightdialog.h>
#include <layerlinetypedialog.h>
#include <layerlineweightdialog.h>
#include <layerwarningdialog.h>
#include <swatchpainters.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTranslator>

using namespace dialogdriver;
using KvCc::KvLineWeightDialog;
using KvCc::LayerLineWeightDialog;
using KvCc::LayerWarningDialog;

template<class T = QWidget>
static T* child(QWidget* dialog, const char* name)
{
    T* found = dialog->findChild<T*>(QLatin1String(name));
    [&] { QVERIFY2(found, name); }();
    return found;
}

static QString text(QWidget* dialog, const char* labelName)
{
    return child<QLabel>(dialog, labelName)->text();
}

static std::unique_ptr<QDialog> makeDialog(const QString& form)
{
    return std::unique_ptr<QDialog>(form == "LineWeightDialog"    ? static_cast<QDialog*>(new KvLineWeightDialog)
                                    : form == "LayerLWidthDialog" ? static_cast<QDialog*>(new LayerLineWeightDialog)
                                    : form == "LayerLTypeDialog"  ? static_cast<QDialog*>(new KvCc::LayerLineTypeDialog)
                                                                  : new LayerWarningDialog);
}

// Marks every text it is asked for with the context it was asked in.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char* context, const char* sourceText, const char* = nullptr, int = -1) const override
    {
        return QStringLiteral("%1|%2").arg(QLatin1String(context), QString::fromUtf8(sourceText));
    }
    bool isEmpty() const override { return false; }
};

static void clickAtLeft(QWidget* widget)
{
    QTest::mouseClick(widget, Qt::LeftButton, {}, QPoint(8, widget->height() / 2));
}

// The list, the default combo box and the current name all follow the unit.
static void verifyUnit(QDialog* dialog, bool inches)
{
    auto* list = child<QListWidget>(dialog, "listWidget");
    QCOMPARE(child<QRadioButton>(dialog, "inRadioBnt")->isChecked(), inches);
    QCOMPARE(list->item(2)->text(), QStringLiteral("Default"));
    QCOMPARE(list->item(10)->text(), inches ? QStringLiteral("0.10\"") : QStringLiteral("0.25 mm"));
    QCOMPARE(child<QComboBox>(dialog, "comboBox")->itemText(7), list->item(10)->text());
    QCOMPARE(text(dialog, "nameLabel"), list->currentItem()->text());
}

// The warning's asking mode for "Walls" or its telling mode, set the way the
// layer manager does.
static void setMode(LayerWarningDialog& dialog, bool telling)
{
    dialog.setButtonStatus(!telling);
    dialog.layerOn = true;
    dialog.layerName = QStringLiteral("Walls");
    dialog.setTipsText(telling ? QStringLiteral("The current layer can't be frozen!")
                               : QStringLiteral("The current layer is turned off."));
}

// The four dialogs as their owners and their users meet them.
class TestDialogs : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDrawing> drawing;

private slots:
    void init()
    {
        drawing = std::make_unique<TestDrawing>();
        drawing->add(QStringLiteral("Walls"));
        drawing->add(QStringLiteral("Doors"));
        drawing->makeCurrent(QStringLiteral("Doors"));
    }
    void cleanup() { drawing.reset(); }

    // Form texts are translated in the form's own context, list texts in
    // the library's; lineweight values stay as they are.
    void formsAreTranslatedInTheirOwnContext_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("fixedText");
        QTest::newRow("the lineweight settings") << "LineWeightDialog" << "Lineweight Settings" << "0.00 mm";
        QTest::newRow("the layer lineweight") << "LayerLWidthDialog" << "LineWeight" << "KvCc::LineWeightList|Default";
        QTest::newRow("the linetype selection") << "LayerLTypeDialog" << "Select Linetype" << "KvCc::LayerLineTypeDialog|Solid Line";
        QTest::newRow("the current-layer warning") << "LayerWarning" << "Vantor" << "";
    }
    void formsAreTranslatedInTheirOwnContext()
    {
        QFETCH(QString, form);
        QFETCH(QString, title);
        QFETCH(QString, fixedText);
        MarkingTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        std::unique_ptr<QDialog> dialog = makeDialog(form);
        QCoreApplication::removeTranslator(&translator);
        QCOMPARE(dialog->objectName(), form);
        QCOMPARE(dialog->windowTitle(), form + QLatin1Char('|') + title);
        QVERIFY(!(dialog->windowFlags() & Qt::WindowContextHelpButtonHint));
        if (auto* list = dialog->findChild<QListWidget*>())
            QCOMPARE(list->findItems(fixedText, Qt::MatchExactly).size(), 1);
        if (auto* table = dialog->findChild<QTableWidget*>())
            QCOMPARE(table->findItems(fixedText, Qt::MatchExactly).size(), 1);
    }

    // Before answering, the user clicks and double-clicks the table and
    // presses F2 and "loaded...": none of them edits or changes the table.
    // The dialog is reused: it opens again with its table as it was.
    void theLinetypeTableStaysWhateverTheAnswer_data() { addAnswerRows(true); }
    void theLinetypeTableStaysWhateverTheAnswer()
    {
        QFETCH(int, answer);
        KvCc::LayerLineTypeDialog dialog;
        auto* table = child<QTableWidget>(&dialog, "tableWidget");
        const auto verifyTable = [table] {
            QCOMPARE(table->rowCount(), 1);
            QCOMPARE(table->item(0, 0)->text(), QStringLiteral("Continuous"));
            QCOMPARE(table->item(0, 1)->icon().pixmap(QSize(48, 16)).toImage(), drawLineType(Qt::SolidLine).toImage());
            QCOMPARE(table->item(0, 2)->text(), QStringLiteral("Solid Line"));
            QCOMPARE(table->selectedItems().size(), 3);
        };
        const int result = modaldriver::exec(dialog, [&](QDialog* d) {
            // Return would press the focused "loaded..." button, so it comes first.
            if (answer != ReturnKey) {
                const QPoint description = table->visualItemRect(table->item(0, 2)).center();
                QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, description);
                QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, description);
                QTest::keyClick(table, Qt::Key_F2);
                QVERIFY(!table->findChild<QLineEdit*>());
                clickButton(d, "loadBtn");
                QCOMPARE(QApplication::activeModalWidget(), d);
                verifyTable();
            }
            dialogdriver::answer(d, answer, "okbtn", "cancelBtn", "helpBtn");
        });
        QCOMPARE(result, answer <= ReturnKey ? int(QDialog::Accepted) : int(QDialog::Rejected));
        QCOMPARE(modaldriver::exec(dialog, [](QDialog* d) { typeKey(d, Qt::Key_Return); }), int(QDialog::Accepted));
        verifyTable();
    }

    // Only an accepting answer reports, once, while the dialog still runs;
    // after any answer the next opening starts where the user left. In the
    // layer lineweight "Original" keeps the row the owner set and "New"
    // follows the clicks; in the settings the display controls report
    // nothing and the unit is reported with the row.
    void theLineweightIsReportedOnlyOnOk_data() { addAnswerRows(true); }
    void theLineweightIsReportedOnlyOnOk()
    {
        QFETCH(int, answer);
        const bool accepting = answer <= ReturnKey;
        const int closed = accepting ? int(QDialog::Accepted) : int(QDialog::Rejected);
        LayerLineWeightDialog layer;
        layer.setCurrentLineweight(3);
        QCOMPARE(text(&layer, "oldLabel") + text(&layer, "newLabel"), QStringLiteral("0.09 mm0.09 mm"));
        QSignalSpy layerSpy(&layer, SIGNAL(layerLineWeightChanged(int)));
        QCOMPARE(modaldriver::exec(layer, [answer](QDialog* d) {
            clickRow(d, 12);
            QCOMPARE(text(d, "oldLabel") + text(d, "newLabel"), QStringLiteral("0.09 mm0.50 mm"));
            dialogdriver::answer(d, answer, "okBtn", "cancelBtn", "helpBtn");
        }), closed);
        QCOMPARE(layerSpy.count(), accepting ? 1 : 0);
        QCOMPARE(modaldriver::exec(layer, [](QDialog* d) { typeKey(d, Qt::Key_Return); }), int(QDialog::Accepted));
        QCOMPARE(layerSpy.last(), QVariantList{12});

        KvLineWeightDialog settings;
        settings.setCurrentLineweight(4);
        QSignalSpy spy(&settings, SIGNAL(lineWeightChanged(bool, int)));
        int resultAtSignal = -1;
        connect(&settings, &KvLineWeightDialog::lineWeightChanged, this, [&] { resultAtSignal = settings.result(); });
        QCOMPARE(modaldriver::exec(settings, [answer](QDialog* d) {
            // At 150 pixels a larger font cut the texts off behind a scroll bar.
            QVERIFY(!child<QListWidget>(d, "listWidget")->horizontalScrollBar()->isVisible());
            clickAtLeft(child(d, "checkBox"));
            child(d, "comboBox")->setFocus();
            QTest::keyClick(child(d, "comboBox"), Qt::Key_Down);
            QTest::keyClick(child(d, "horizontalSlider"), Qt::Key_End);
            clickAtLeft(child(d, "inRadioBnt"));
            clickRow(d, 20);
            verifyUnit(d, true);
            QCOMPARE(text(d, "nameLabel"), QStringLiteral("0.39\""));
            dialogdriver::answer(d, answer, "okBnt", "cancelBnt", "helpBnt");
        }), closed);
        QCOMPARE(QList<QVariantList>(spy), accepting ? QList<QVariantList>({{false, 20}}) : QList<QVariantList>());
        QCOMPARE(resultAtSignal, accepting ? 0 : -1);
        // The label names row 20 in both units, which makes it the current row.
        QCOMPARE(modaldriver::exec(settings, [](QDialog* d) {
            verifyUnit(d, true);
            clickAtLeft(child(d, "mmRadioBnt"));
            verifyUnit(d, false);
            QCOMPARE(text(d, "nameLabel"), QStringLiteral("1.00 mm"));
            clickButton(d, "okBnt");
        }), int(QDialog::Accepted));
        QCOMPARE(spy.last(), (QVariantList{true, 20}));
    }

    // A fresh dialog, or one told a row past its last, has no current row:
    // OK used to report row -1, which its owner would use as an index.
    void onlyARowOfTheListCanBeReported_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QByteArray>("signal");
        QTest::addColumn<QString>("okButton");
        QTest::addColumn<QString>("label");
        QTest::addColumn<QStringList>("labelTexts"); // at start and after the last row
        QTest::addColumn<QVariantList>("firstRowReport");
        QTest::newRow("the lineweight settings list 27 rows") << "LineWeightDialog"
            << QByteArray(SIGNAL(lineWeightChanged(bool,int))) << "okBnt" << "nameLabel"
            << QStringList{"ByLayer", "2.11 mm"} << QVariantList{true, 0};
        QTest::newRow("the layer lineweight lists 25 rows") << "LayerLWidthDialog"
            << QByteArray(SIGNAL(layerLineWeightChanged(int))) << "okBtn" << "oldLabel"
            << QStringList{"Default", "2.11 mm"} << QVariantList{0};
    }
    void onlyARowOfTheListCanBeReported()
    {
        QFETCH(QString, form);
        QFETCH(QByteArray, signal);
        QFETCH(QString, okButton);
        QFETCH(QString, label);
        QFETCH(QStringList, labelTexts);
        QFETCH(QVariantList, firstRowReport);
        std::unique_ptr<QDialog> dialog = makeDialog(form);
        const auto setCurrent = [settings = qobject_cast<KvLineWeightDialog*>(dialog.get()), &dialog](int row) {
            settings ? settings->setCurrentLineweight(row)
                     : static_cast<LayerLineWeightDialog*>(dialog.get())->setCurrentLineweight(row);
        };
        QSignalSpy spy(dialog.get(), signal.constData());
        QWidget* ok = child(dialog.get(), qPrintable(okButton));
        const int rows = child<QListWidget>(dialog.get(), "listWidget")->count();
        QCOMPARE(text(dialog.get(), qPrintable(label)), labelTexts.first());
        QVERIFY(!ok->isEnabled());
        setCurrent(rows - 1);
        QVERIFY(ok->isEnabled());
        setCurrent(rows);
        QVERIFY(!ok->isEnabled());
        QCOMPARE(text(dialog.get(), qPrintable(label)), labelTexts.last());
        QVERIFY(QMetaObject::invokeMethod(dialog.get(), "slotAccepted"));
        QCOMPARE(dialog->result(), int(QDialog::Rejected));
        setCurrent(0);
        QVERIFY(QMetaObject::invokeMethod(dialog.get(), "slotAccepted"));
        // One report in all: the first OK, without a row, reported nothing.
        QCOMPARE(QList<QVariantList>(spy), QList<QVariantList>{firstRowReport});
    }

    // Only "Yes" on a layer the drawing can switch off accepts. "Yes" used to
    // accept even when the drawing kept the layer on, so the layer manager
    // showed a bulb that was off while the layer stayed on. Each mode is set
    // over the other, as a reused dialog is.
    void onlyYesSwitchesTheLayerOff_data()
    {
        QTest::addColumn<bool>("telling");
        QTest::addColumn<int>("answer");
        QTest::addColumn<QString>("meanwhile");
        QTest::newRow("Yes switches the layer off and accepts") << false << int(OkButton) << "";
        QTest::newRow("No rejects") << false << int(CancelButton) << "";
        QTest::newRow("Escape rejects") << false << int(EscapeKey) << "";
        QTest::newRow("the window's close button rejects") << false << int(CloseButton) << "";
        QTest::newRow("Return takes the safe answer No") << false << int(ReturnKey) << "";
        QTest::newRow("Return on a focused Yes still answers No") << false << int(ReturnKey) << "Yes focused";
        QTest::newRow("telling, the lone OK rejects") << true << int(CancelButton) << "";
        QTest::newRow("telling, Return takes OK") << true << int(ReturnKey) << "";
        QTest::newRow("telling, Escape rejects") << true << int(EscapeKey) << "";
        QTest::newRow("Yes on a layer erased meanwhile rejects") << false << int(OkButton) << "erased";
        QTest::newRow("Yes on a layer renamed meanwhile rejects") << false << int(OkButton) << "renamed";
        QTest::newRow("Yes on a layer the host refuses to open rejects") << false << int(OkButton) << "refused";
        QTest::newRow("Yes after the drawing was closed rejects") << false << int(OkButton) << "closed";
    }
    void onlyYesSwitchesTheLayerOff()
    {
        QFETCH(bool, telling);
        QFETCH(int, answer);
        QFETCH(QString, meanwhile);
        LayerWarningDialog dialog;
        setMode(dialog, !telling);
        setMode(dialog, telling);
        const DkDbObjectId walls = drawing->id(QStringLiteral("Walls"));
        if (meanwhile == QLatin1String("erased"))
            QCOMPARE(drawing->db->eraseLayer(walls), Dk::eOk);
        else if (meanwhile == QLatin1String("renamed"))
            QCOMPARE(drawing->db->renameLayer(walls, L"Walls-old"), Dk::eOk);
        else if (meanwhile == QLatin1String("refused"))
            drawing->db->setRefuseOpen(walls, true);
        else if (meanwhile == QLatin1String("closed"))
            s_pServices->setWorkingDatabase(nullptr);
        const auto answerWith = [telling](int answer, bool yesFocused) {
            return [=](QDialog* d) {
                QCOMPARE(text(d, "textLabel"), telling ? QStringLiteral("The current layer can't be frozen!")
                                                       : QStringLiteral("The current layer is turned off."));
                QCOMPARE(child(d, "okBtn")->isVisible(), !telling);
                QCOMPARE(child<QPushButton>(d, "okBtn")->text(), QStringLiteral("Yes"));
                QCOMPARE(child<QPushButton>(d, "noBtn")->text(), telling ? QStringLiteral("OK") : QStringLiteral("No"));
                QCOMPARE(QApplication::focusWidget(), child(d, "noBtn"));
                if (yesFocused)
                    child(d, "okBtn")->setFocus(Qt::TabFocusReason);
                dialogdriver::answer(d, answer, "okBtn", "noBtn", nullptr);
            };
        };
        const bool switchedOff = answer == OkButton && meanwhile.isEmpty();
        QCOMPARE(modaldriver::exec(dialog, answerWith(answer, meanwhile == QLatin1String("Yes focused"))),
                 switchedOff ? int(QDialog::Accepted) : int(QDialog::Rejected));
        const DkDbLayerTableRecord* layer = drawing->db->peekLayer(walls);
        QCOMPARE(layer && layer->isOff(), switchedOff);
        drawing->verifyNothingOpen();
        // Every opening starts on the safe answer again.
        QCOMPARE(modaldriver::exec(dialog, answerWith(ReturnKey, false)), int(QDialog::Rejected));
        QCOMPARE(layer && layer->isOff(), switchedOff);
    }
};

KVCC_TEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
