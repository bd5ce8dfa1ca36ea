#include "kvcctest.h"

#include "popupdriver.h"

#include <linetypecombobox.h>
#include <swatchpainters.h>

using namespace popupdriver;

class TestLineTypeComboBox : public QObject
{
    Q_OBJECT

private slots:
    void newSelectorListsThreeSolidLinetypes()
    {
        KvCc::LineTypeComboBox combo;
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        QCOMPARE(combo.size(), QSize(150, 20));
        QCOMPARE(combo.minimumSize(), QSize(150, 20));
        QCOMPARE(combo.maximumSize(), QSize(150, 20));
        QCOMPARE(rowTexts(&combo), QStringList({"By Layer", "By Block", "Continuous"}));
        QCOMPARE(face(&combo), QStringLiteral("By Layer"));
        QCOMPARE(combo.currentRow(), 0);
        QCOMPARE(popupHeight(&combo), 90);
        QCOMPARE(rows(&combo)->iconSize(), QSize(48, 16));
        QCOMPARE(settingsButton(&combo)->text(), QStringLiteral("Others..."));
        const QImage solid = drawLineType(Qt::SolidLine).toImage().convertToFormat(QImage::Format_ARGB32);
        for (int row = 0; row < 3; ++row)
            QCOMPARE(combo.item(row)->icon().pixmap(48, 16).toImage().convertToFormat(QImage::Format_ARGB32), solid);
    }

    void clickingARowShowsIt()
    {
        KvCc::LineTypeComboBox combo;
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        QVERIFY(openPopup(&combo));
        QVERIFY2(popupShowsWholeTexts(&combo), "the popup cuts off its texts");
        QVERIFY(clickRow(&combo, 2));
        QTRY_VERIFY(!popupVisible(&combo));
        QCOMPARE(face(&combo), QStringLiteral("Continuous"));
        QCOMPARE(combo.currentRow(), 2);
    }

    void othersButtonChangesNothing()
    {
        KvCc::LineTypeComboBox combo;
        combo.show();
        QVERIFY(QTest::qWaitForWindowExposed(&combo));
        QVERIFY(openPopup(&combo));
        QVERIFY(clickRow(&combo, 1));
        QTRY_VERIFY(!popupVisible(&combo));
        QVERIFY(openPopup(&combo));
        QVERIFY(clickSettings(&combo));
        QTest::qWait(50);
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(rowTexts(&combo).size(), 3);
        QCOMPARE(combo.currentRow(), 1);
        QCOMPARE(face(&combo), QStringLiteral("By Block"));
        combo.hidePopup();
    }
};

KVCC_TEST_MAIN(TestLineTypeComboBox)
#include "tst_linetypecombobox.moc"
