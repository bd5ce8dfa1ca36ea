#include "kvcctest.h"

#include "dialogdriver.h"

#include <layerlineweightdialog.h>
#include <swatchpainters.h>

#include <QListWidget>

using namespace dialogdriver;
using KvCc::LayerLineWeightDialog;

namespace {

QListWidget* listOf(QWidget* dialog)
{
    return dialog->findChild<QListWidget*>(QStringLiteral("listWidget"));
}

QString labelText(QWidget* dialog, const char* name)
{
    auto* label = dialog->findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

void clickRow(QDialog* dialog, int row)
{
    QListWidget* list = listOf(dialog);
    QListWidgetItem* item = list->item(row);
    list->scrollToItem(item);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(item).center());
    QCOMPARE(list->currentRow(), row);
}

} // namespace

// The layer lineweight dialog as the layer manager and its user meet it.
class TestLayerLineWeightDialog : public QObject
{
    Q_OBJECT

private slots:
    // The width rule goes by the position in this 25-row list.
    void samplesFollowThePositionInThisList_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<double>("width");
        QTest::newRow("0.30 mm is thin here, though double in the full list") << 9 << 1.0;
        QTest::newRow("0.40 mm is the first double sample") << 11 << 2.0;
        QTest::newRow("0.60 mm is three and a half") << 14 << 3.5;
        QTest::newRow("2.11 mm is thirteen and a half") << 24 << 13.5;
    }
    void samplesFollowThePositionInThisList()
    {
        QFETCH(int, row);
        QFETCH(double, width);
        LayerLineWeightDialog dialog;
        QCOMPARE(listOf(&dialog)->item(row)->icon().pixmap(QSize(48, 16)).toImage(), drawLineWeight(width).toImage());
    }

    void okReportsTheChosenRow_data()
    {
        QTest::addColumn<int>("original");
        QTest::addColumn<int>("clicked");
        QTest::addColumn<bool>("byKeyboard");
        QTest::newRow("the user picks a new row and clicks OK") << 9 << 24 << false;
        QTest::newRow("OK on Default reports row zero") << 0 << -1 << false;
        QTest::newRow("Return takes OK") << 0 << -1 << true;
    }
    void okReportsTheChosenRow()
    {
        QFETCH(int, original);
        QFETCH(int, clicked);
        QFETCH(bool, byKeyboard);
        LayerLineWeightDialog dialog;
        dialog.setCurrentLineweight(original);
        const QString name = listOf(&dialog)->item(original)->text();
        QCOMPARE(labelText(&dialog, "oldLabel"), name);
        QCOMPARE(labelText(&dialog, "newLabel"), name);
        QSignalSpy spy(&dialog, SIGNAL(layerLineWeightChanged(int)));
        const int result = execAndAnswer(dialog, [=](QDialog* d) {
            if (clicked >= 0) {
                clickRow(d, clicked);
                QCOMPARE(labelText(d, "newLabel"), listOf(d)->item(clicked)->text());
                QCOMPARE(labelText(d, "oldLabel"), name);
            }
            if (byKeyboard)
                typeKey(d, Qt::Key_Return);
            else
                clickButton(d, "okBtn");
        });
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{clicked >= 0 ? clicked : original}}));
    }

    void leavingWithoutOkEmitsNothingAndKeepsTheRow_data()
    {
        QTest::addColumn<int>("way");
        QTest::newRow("the Cancel button rejects, after Help showed its box") << 0;
        QTest::newRow("Escape rejects") << 1;
        QTest::newRow("the window's close button rejects") << 2;
    }
    void leavingWithoutOkEmitsNothingAndKeepsTheRow()
    {
        QFETCH(int, way);
        LayerLineWeightDialog dialog;
        dialog.setCurrentLineweight(3);
        QSignalSpy spy(&dialog, SIGNAL(layerLineWeightChanged(int)));
        QString title, text;
        const int result = execAndAnswer(dialog, [&](QDialog* d) {
            clickRow(d, 12);
            if (way == 0) {
                readHelpBox(d, "helpBtn", &title, &text);
                QVERIFY(d->isVisible());
                clickButton(d, "cancelBtn");
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

        const int again = execAndAnswer(dialog, [](QDialog* d) {
            QCOMPARE(listOf(d)->currentRow(), 12);
            QCOMPARE(labelText(d, "newLabel"), QStringLiteral("0.50 mm"));
            typeKey(d, Qt::Key_Return);
        });
        QCOMPARE(again, int(QDialog::Accepted));
        QCOMPARE(QList<QVariantList>(spy), (QList<QVariantList>{{12}}));
    }

    // A row outside the list used to leave OK reporting row -1.
    void okCannotReportARowThatDoesNotExist()
    {
        LayerLineWeightDialog dialog;
        QSignalSpy spy(&dialog, SIGNAL(layerLineWeightChanged(int)));
        QListWidget* list = listOf(&dialog);
        QCOMPARE(list->count(), 25);
        QCOMPARE(list->item(0)->text(), QStringLiteral("Default"));
        QCOMPARE(list->item(1)->text(), QStringLiteral("0.00 mm"));
        QCOMPARE(labelText(&dialog, "oldLabel"), QStringLiteral("Default"));
        QCOMPARE(labelText(&dialog, "newLabel"), QStringLiteral("0.00mm"));
        auto* ok = dialog.findChild<QPushButton*>(QStringLiteral("okBtn"));
        QVERIFY(!ok->isEnabled());
        dialog.setCurrentLineweight(4);
        QVERIFY(ok->isEnabled());
        dialog.setCurrentLineweight(25);
        QVERIFY(!ok->isEnabled());
        QCOMPARE(labelText(&dialog, "oldLabel"), QStringLiteral("0.13 mm"));
        dialog.slotAccepted();
        QCOMPARE(spy.count(), 0);
        QCOMPARE(dialog.result(), int(QDialog::Rejected));
    }
};

KVCC_TEST_MAIN(TestLayerLineWeightDialog)
#include "tst_layerlineweightdialog.moc"
