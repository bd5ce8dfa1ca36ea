#include "kvcctest.h"

#include <kvlineweightdialog.h>
#include <layerlinetypedialog.h>
#include <layerlineweightdialog.h>
#include <layerwarningdialog.h>

#include <QListWidget>
#include <QTableWidget>
#include <QTranslator>

#include <memory>

namespace {

std::unique_ptr<QDialog> makeDialog(const QString& form)
{
    if (form == QLatin1String("LineWeightDialog"))
        return std::make_unique<KvCc::KvLineWeightDialog>();
    if (form == QLatin1String("LayerLWidthDialog"))
        return std::make_unique<KvCc::LayerLineWeightDialog>();
    if (form == QLatin1String("LayerLTypeDialog"))
        return std::make_unique<KvCc::LayerLineTypeDialog>();
    if (form == QLatin1String("LayerWarning"))
        return std::make_unique<KvCc::LayerWarningDialog>();
    return nullptr;
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

} // namespace

// The fixed texts, object names and settings of the dialog forms, checked in one table.
class TestDialogForms : public QObject
{
    Q_OBJECT

private slots:
    void formSettings_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("child");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QVariant>("expected");

        const auto row = [](const char* name, const char* form, const char* child, const char* property,
                             const QVariant& expected) {
            QTest::newRow(name) << QString::fromLatin1(form) << QString::fromLatin1(child)
                                << QString::fromLatin1(property) << expected;
        };
        const char* lw = "LineWeightDialog";
        row("the lineweight settings dialog is named after its form", lw, "", "objectName", QStringLiteral("LineWeightDialog"));
        row("the lineweight settings dialog is titled Lineweight Settings", lw, "", "windowTitle", QStringLiteral("Lineweight Settings"));
        row("the lineweight settings dialog starts at 452 by 287", lw, "", "size", QSize(452, 287));
        row("the lineweight group is titled Lineweights", lw, "linewGroup", "title", QStringLiteral("Lineweights"));
        row("the unit group is titled Units for Listing", lw, "listGroup", "title", QStringLiteral("Units for Listing"));
        row("the millimetre radio button says Millimeters(mm)", lw, "mmRadioBnt", "text", QStringLiteral("Millimeters(mm)"));
        row("the inch radio button says Inches(in)", lw, "inRadioBnt", "text", QStringLiteral("Inches(in)"));
        row("the inch radio button starts unchecked", lw, "inRadioBnt", "checked", false);
        row("the check box says Display Lineweight", lw, "checkBox", "text", QStringLiteral("Display Lineweight"));
        row("the default label says Default", lw, "default_2", "text", QStringLiteral("Default"));
        row("the default combo box shows 48 by 16 samples", lw, "comboBox", "iconSize", QSize(48, 16));
        row("the display group is titled Adjust Display Scale", lw, "displayGroup", "title", QStringLiteral("Adjust Display Scale"));
        row("the slider's left end says Min", lw, "label_2", "text", QStringLiteral("Min"));
        row("the slider's right end says Max", lw, "label_6", "text", QStringLiteral("Max"));
        row("the slider keeps its default range", lw, "horizontalSlider", "maximum", 99);
        row("the current lineweight caption keeps its three blanks", lw, "label_4", "text", QStringLiteral("   Current Lineweight: "));
        row("the current lineweight starts as ByLayer", lw, "nameLabel", "text", QStringLiteral("ByLayer"));
        row("the document icon is 20 by 20", lw, "pixLabel", "pixmap", QSize(20, 20));
        row("the second document icon is 20 by 20", lw, "pixLabel1", "pixmap", QSize(20, 20));
        row("the accepting button says Ok", lw, "okBnt", "text", QStringLiteral("Ok"));
        row("the accepting button is at least 80 wide", lw, "okBnt", "minimumWidth", 80);
        row("the accepting button is the default one", lw, "okBnt", "default", true);
        row("the cancel button says Cancel", lw, "cancelBnt", "text", QStringLiteral("Cancel"));
        row("the cancel button is at least 80 wide", lw, "cancelBnt", "minimumWidth", 80);
        row("the help button says Help", lw, "helpBnt", "text", QStringLiteral("Help"));
        row("the help button is at least 80 wide", lw, "helpBnt", "minimumWidth", 80);

        const char* lwl = "LayerLWidthDialog";
        row("the layer lineweight dialog is named after its form", lwl, "", "objectName", QStringLiteral("LayerLWidthDialog"));
        row("the layer lineweight dialog is titled LineWeight", lwl, "", "windowTitle", QStringLiteral("LineWeight"));
        row("the layer lineweight dialog starts at 274 by 333", lwl, "", "size", QSize(274, 333));
        row("the layer lineweight caption says Lineweights", lwl, "label", "text", QStringLiteral("Lineweights"));
        row("the layer lineweight group has no title", lwl, "groupBox", "title", QString());
        row("the original caption says Original:", lwl, "label_2", "text", QStringLiteral("Original:"));
        row("the original lineweight starts as Default", lwl, "oldLabel", "text", QStringLiteral("Default"));
        row("the new caption says New:", lwl, "label_3", "text", QStringLiteral("New:"));
        row("the new lineweight starts as 0.00mm without a blank", lwl, "newLabel", "text", QStringLiteral("0.00mm"));
        row("the layer lineweight OK button says OK", lwl, "okBtn", "text", QStringLiteral("OK"));
        row("the layer lineweight OK button is the default one", lwl, "okBtn", "default", true);
        row("the layer lineweight cancel button says Cancel", lwl, "cancelBtn", "text", QStringLiteral("Cancel"));
        row("the layer lineweight help button says Help", lwl, "helpBtn", "text", QStringLiteral("Help"));

        const char* lt = "LayerLTypeDialog";
        row("the linetype dialog is named after its form", lt, "", "objectName", QStringLiteral("LayerLTypeDialog"));
        row("the linetype dialog is titled Select Linetype", lt, "", "windowTitle", QStringLiteral("Select Linetype"));
        row("the linetype dialog starts at 470 by 325", lt, "", "size", QSize(470, 325));
        row("the linetype caption says Loaded linetypes", lt, "label", "text", QStringLiteral("Loaded linetypes"));
        row("the linetype table cannot be edited", lt, "tableWidget", "editTriggers", int(QAbstractItemView::NoEditTriggers));
        row("the linetype table selects whole rows", lt, "tableWidget", "selectionBehavior", int(QAbstractItemView::SelectRows));
        row("the linetype table shows 48 by 16 samples", lt, "tableWidget", "iconSize", QSize(48, 16));
        row("the linetype OK button says OK", lt, "okbtn", "text", QStringLiteral("OK"));
        row("the linetype OK button is the default one", lt, "okbtn", "default", true);
        row("the linetype cancel button says Cancel", lt, "cancelBtn", "text", QStringLiteral("Cancel"));
        row("the linetype load button says loaded...", lt, "loadBtn", "text", QStringLiteral("loaded..."));
        row("the linetype help button says Help", lt, "helpBtn", "text", QStringLiteral("Help"));

        const char* lwn = "LayerWarning";
        row("the warning is named after its form", lwn, "", "objectName", QStringLiteral("LayerWarning"));
        row("the warning is titled Vantor", lwn, "", "windowTitle", QStringLiteral("Vantor"));
        row("the warning starts at 261 by 135", lwn, "", "size", QSize(261, 135));
        row("the warning's own text until the caller sets one", lwn, "textLabel", "text", QStringLiteral("The current layer is turn off."));
        row("the warning picture is the 32 by 32 warning sign", lwn, "label", "pixmap", QSize(32, 32));
        row("the warning picture is centred", lwn, "label", "alignment", int(Qt::AlignCenter));
        row("the first warning button says Yes", lwn, "okBtn", "text", QStringLiteral("Yes"));
        row("Yes is never taken by Return", lwn, "okBtn", "autoDefault", false);
        row("the second warning button says No", lwn, "noBtn", "text", QStringLiteral("No"));
        row("No is the default answer", lwn, "noBtn", "default", true);
    }
    void formSettings()
    {
        QFETCH(QString, form);
        QFETCH(QString, child);
        QFETCH(QString, property);
        QFETCH(QVariant, expected);

        std::unique_ptr<QDialog> dialog = makeDialog(form);
        QVERIFY(dialog);
        QObject* object = child.isEmpty() ? dialog.get() : dialog->findChild<QObject*>(child);
        QVERIFY2(object, qPrintable(child));
        QVariant actual = object->property(qPrintable(property));
        QVERIFY2(actual.isValid(), qPrintable(property));
        // Pixmaps are compared by their size on screen.
        if (actual.userType() == QMetaType::QPixmap) {
            const QPixmap pixmap = actual.value<QPixmap>();
            actual = QSize(pixmap.size() / pixmap.devicePixelRatioF());
        }
        QCOMPARE(actual, expected);
    }

    void noContextHelpButton_data()
    {
        QTest::addColumn<QString>("form");
        QTest::newRow("the lineweight settings dialog has no context help button") << "LineWeightDialog";
        QTest::newRow("the layer lineweight dialog has no context help button") << "LayerLWidthDialog";
        QTest::newRow("the linetype dialog has no context help button") << "LayerLTypeDialog";
        QTest::newRow("the warning has no context help button") << "LayerWarning";
    }
    void noContextHelpButton()
    {
        QFETCH(QString, form);
        std::unique_ptr<QDialog> dialog = makeDialog(form);
        QVERIFY(dialog);
        QVERIFY(!(dialog->windowFlags() & Qt::WindowContextHelpButtonHint));
        QVERIFY(dialog->windowFlags() & Qt::WindowTitleHint);
    }

    void textsAreTranslatedInTheFormsContext_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("child");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("expected");
        QTest::newRow("the lineweight settings title is translated as LineWeightDialog")
            << "LineWeightDialog" << "" << "windowTitle" << "LineWeightDialog|Lineweight Settings";
        QTest::newRow("the lineweight settings Ok button is translated as LineWeightDialog")
            << "LineWeightDialog" << "okBnt" << "text" << "LineWeightDialog|Ok";
        QTest::newRow("the layer lineweight title is translated as LayerLWidthDialog")
            << "LayerLWidthDialog" << "" << "windowTitle" << "LayerLWidthDialog|LineWeight";
        QTest::newRow("the original caption is translated as LayerLWidthDialog")
            << "LayerLWidthDialog" << "label_2" << "text" << "LayerLWidthDialog|Original:";
        QTest::newRow("the linetype title is translated as LayerLTypeDialog")
            << "LayerLTypeDialog" << "" << "windowTitle" << "LayerLTypeDialog|Select Linetype";
        QTest::newRow("the linetype load button is translated as LayerLTypeDialog")
            << "LayerLTypeDialog" << "loadBtn" << "text" << "LayerLTypeDialog|loaded...";
        QTest::newRow("the warning title is translated as LayerWarning")
            << "LayerWarning" << "" << "windowTitle" << "LayerWarning|Vantor";
        QTest::newRow("the warning text is translated as LayerWarning")
            << "LayerWarning" << "textLabel" << "text" << "LayerWarning|The current layer is turn off.";
    }
    void textsAreTranslatedInTheFormsContext()
    {
        QFETCH(QString, form);
        QFETCH(QString, child);
        QFETCH(QString, property);
        QFETCH(QString, expected);
        MarkingTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        std::unique_ptr<QDialog> dialog = makeDialog(form);
        QCoreApplication::removeTranslator(&translator);
        QVERIFY(dialog);
        QObject* object = child.isEmpty() ? dialog.get() : dialog->findChild<QObject*>(child);
        QVERIFY2(object, qPrintable(child));
        QCOMPARE(object->property(qPrintable(property)).toString(), expected);
    }

    void listRowsAndHeadersAreNotTranslated()
    {
        MarkingTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        KvCc::KvLineWeightDialog settings;
        KvCc::LayerLineWeightDialog layerWeights;
        KvCc::LayerLineTypeDialog lineTypes;
        QCoreApplication::removeTranslator(&translator);
        auto* list = settings.findChild<QListWidget*>(QStringLiteral("listWidget"));
        QVERIFY(list);
        QCOMPARE(list->item(3)->text(), QStringLiteral("0.00 mm"));
        list = layerWeights.findChild<QListWidget*>(QStringLiteral("listWidget"));
        QVERIFY(list);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Default"));
        auto* table = lineTypes.findChild<QTableWidget*>(QStringLiteral("tableWidget"));
        QVERIFY(table);
        QCOMPARE(table->horizontalHeaderItem(1)->text(), QStringLiteral("Appearance"));
        QCOMPARE(table->item(0, 2)->text(), QStringLiteral("Solid Line"));
    }

    void metaObjectOrder_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QStringList>("methods");
        QTest::newRow("the lineweight settings dialog has one signal then six slots") << "LineWeightDialog"
            << QStringList{"lineWeightChanged(bool,int)", "millimeterConvert(bool)", "InConvert(bool)", "slotAccepted()",
                           "slotCancel()", "slotHelp()", "slotCurrentLabelChaged(int)"};
        QTest::newRow("the layer lineweight dialog has one signal then four slots") << "LayerLWidthDialog"
            << QStringList{"layerLineWeightChanged(int)", "slotAccepted()", "slotCancel()", "slotHelp()",
                           "slotCurrentLabelChaged(int)"};
        QTest::newRow("the linetype dialog has three slots and no signal") << "LayerLTypeDialog"
            << QStringList{"slotAccepted()", "slotCancel()", "slotHelp()"};
        QTest::newRow("the warning has two slots and no signal") << "LayerWarning"
            << QStringList{"slotAccepted()", "slotCancel()"};
    }
    void metaObjectOrder()
    {
        QFETCH(QString, form);
        QFETCH(QStringList, methods);
        std::unique_ptr<QDialog> dialog = makeDialog(form);
        QVERIFY(dialog);
        const QMetaObject* meta = dialog->metaObject();
        QStringList actual;
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
            actual << QString::fromLatin1(meta->method(i).methodSignature());
        QCOMPARE(actual, methods);
    }
};

KVCC_TEST_MAIN(TestDialogForms)
#include "tst_dialogforms.moc"
