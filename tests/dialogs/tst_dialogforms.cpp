#include "kvcctest.h"

#include <kvlineweightdialog.h>

#include <QListWidget>
#include <QTranslator>

#include <memory>

namespace {

std::unique_ptr<QDialog> makeDialog(const QString& form)
{
    if (form == QLatin1String("LineWeightDialog"))
        return std::make_unique<KvCc::KvLineWeightDialog>();
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

    void listRowsAreNotTranslated()
    {
        MarkingTranslator translator;
        QVERIFY(QCoreApplication::installTranslator(&translator));
        KvCc::KvLineWeightDialog dialog;
        QCoreApplication::removeTranslator(&translator);
        auto* list = dialog.findChild<QListWidget*>(QStringLiteral("listWidget"));
        QVERIFY(list);
        QCOMPARE(list->item(3)->text(), QStringLiteral("0.00 mm"));
    }
};

KVCC_TEST_MAIN(TestDialogForms)
#include "tst_dialogforms.moc"
