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
        row("the millimetre radio button says Millimeters(mm)", lw, "mmRadioBnt", "text", QStringLiteral("Millimeters(mm)"));
        row("the inch radio button says Inches(in)", lw, "inRadioBnt", "text", QStringLiteral("Inches(in)"));
        row("the current lineweight caption keeps its three blanks", lw, "label_4", "text", QStringLiteral("   Current Lineweight: "));
        row("the document icon is 20 by 20", lw, "pixLabel", "pixmap", QSize(20, 20));
        row("the accepting button says Ok", lw, "okBnt", "text", QStringLiteral("Ok"));

        const char* lwl = "LayerLWidthDialog";
        row("the layer lineweight dialog is named after its form", lwl, "", "objectName", QStringLiteral("LayerLWidthDialog"));
        row("the layer lineweight dialog is titled LineWeight", lwl, "", "windowTitle", QStringLiteral("LineWeight"));
        row("the layer lineweight dialog starts at 274 by 333", lwl, "", "size", QSize(274, 333));
        row("the layer lineweight OK button says OK", lwl, "okBtn", "text", QStringLiteral("OK"));

        const char* lt = "LayerLTypeDialog";
        row("the linetype dialog is named after its form", lt, "", "objectName", QStringLiteral("LayerLTypeDialog"));
        row("the linetype dialog is titled Select Linetype", lt, "", "windowTitle", QStringLiteral("Select Linetype"));
        row("the linetype dialog starts at 470 by 325", lt, "", "size", QSize(470, 325));
        row("the linetype OK button says OK", lt, "okbtn", "text", QStringLiteral("OK"));

        const char* lwn = "LayerWarning";
        row("the warning is named after its form", lwn, "", "objectName", QStringLiteral("LayerWarning"));
        row("the warning is titled Vantor", lwn, "", "windowTitle", QStringLiteral("Vantor"));
        row("the warning starts at 261 by 135", lwn, "", "size", QSize(261, 135));
        row("the warning picture is the 32 by 32 warning sign", lwn, "label", "pixmap", QSize(32, 32));
        row("Yes is never taken by Return", lwn, "okBtn", "autoDefault", false);
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

    void textsAreTranslatedInTheFormsContext_data()
    {
        QTest::addColumn<QString>("form");
        QTest::addColumn<QString>("child");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("expected");
        QTest::newRow("the lineweight settings Ok button is translated as LineWeightDialog")
            << "LineWeightDialog" << "okBnt" << "text" << "LineWeightDialog|Ok";
        QTest::newRow("the layer lineweight title is translated as LayerLWidthDialog")
            << "LayerLWidthDialog" << "" << "windowTitle" << "LayerLWidthDialog|LineWeight";
        QTest::newRow("the linetype load button is translated as LayerLTypeDialog")
            << "LayerLTypeDialog" << "loadBtn" << "text" << "LayerLTypeDialog|loaded...";
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
        QCOMPARE(settings.findChild<QListWidget*>(QStringLiteral("listWidget"))->item(3)->text(), QStringLiteral("0.00 mm"));
        QCOMPARE(layerWeights.findChild<QListWidget*>(QStringLiteral("listWidget"))->item(0)->text(), QStringLiteral("Default"));
        auto* table = lineTypes.findChild<QTableWidget*>(QStringLiteral("tableWidget"));
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
    // No dialog offers the title bar's context help button either.
    void metaObjectOrder()
    {
        QFETCH(QString, form);
        QFETCH(QStringList, methods);
        std::unique_ptr<QDialog> dialog = makeDialog(form);
        QVERIFY(!(dialog->windowFlags() & Qt::WindowContextHelpButtonHint));
        QVERIFY(dialog->windowFlags() & Qt::WindowTitleHint);
        const QMetaObject* meta = dialog->metaObject();
        QStringList actual;
        for (int i = meta->methodOffset(); i < meta->methodCount(); ++i)
            actual << QString::fromLatin1(meta->method(i).methodSignature());
        QCOMPARE(actual, methods);
    }
};

KVCC_TEST_MAIN(TestDialogForms)
#include "tst_dialogforms.moc"
