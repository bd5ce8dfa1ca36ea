#include "kvcctest.h"

#include <kvlayerutility.h>

#include <KvAppBase.h>

#include <climits>

// Lineweight values and list positions turned into display texts.
class TestLineWeightText : public QObject
{
    Q_OBJECT

private slots:
    void cleanup()
    {
        kvSetSysVar(L"LWUNITS", 1);
        kvSetSysVarReadable(L"LWUNITS", true);
    }

    void lineWeightByIndex_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<int>("value");
        const int table[32] = {0,  5,  9,  13, 15, 18, 20,  25,  30,  35,  40,  50,  53,  60,  70, 80,
                               90, 100, 106, 120, 140, 158, 200, 211, -1, -1, -1, -1, -1, -1, -2, -3};
        for (int i = 0; i < 32; ++i)
            QTest::addRow("index %d gives %d", i, table[i]) << i << table[i];
        QTest::newRow("index 32 is past the table") << 32 << -1;
        QTest::newRow("index 200 (a negative char) is past the table") << 200 << -1;
        QTest::newRow("char -128 is taken as 128") << -128 << -1;
    }

    void lineWeightByIndex()
    {
        QFETCH(int, index);
        QFETCH(int, value);
        QCOMPARE(::lineWeightByIndex(static_cast<char>(index)), value);
    }

    void stringByLineWeight_data()
    {
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("byIndex");
        QTest::addColumn<int>("lwunits"); // -1: the variable cannot be read
        QTest::addColumn<QString>("text");

        QTest::newRow("25 in millimetres") << 25 << false << 1 << "0.25 mm";
        QTest::newRow("25 in inches") << 25 << false << 0 << "0.010 \"";
        QTest::newRow("0 in inches keeps three decimals") << 0 << false << 0 << "0.000 \"";
        QTest::newRow("2540 is exactly one inch") << 2540 << false << 0 << "1.000 \"";
        QTest::newRow("any LWUNITS other than 1 means inches") << 100 << false << 7 << "0.039 \"";
        QTest::newRow("an unreadable LWUNITS means millimetres") << 100 << false << -1 << "1.00 mm";
        QTest::newRow("-3 is Default") << -3 << false << 0 << "Default";
        QTest::newRow("-2 is Block") << -2 << false << 0 << "Block";
        QTest::newRow("-1 is Layer") << -1 << false << 1 << "Layer";
        QTest::newRow("another negative value is a length") << -4 << false << 1 << "-0.04 mm";
        QTest::newRow("the largest int is formatted in single precision")
            << INT_MAX << false << 1 << "21474836.00 mm";
        QTest::newRow("the smallest int in inches") << INT_MIN << false << 0 << "-845466.000 \"";
        QTest::newRow("index 7 reads as 25 in inches") << 7 << true << 0 << "0.010 \"";
    }

    void stringByLineWeight()
    {
        QFETCH(int, value);
        QFETCH(bool, byIndex);
        QFETCH(int, lwunits);
        QFETCH(QString, text);
        kvSetSysVar(L"LWUNITS", static_cast<short>(lwunits < 0 ? 0 : lwunits));
        kvSetSysVarReadable(L"LWUNITS", lwunits >= 0);
        QCOMPARE(StringByLineWeight(value, byIndex), text);
    }

    // Only the low byte of an index counts; past the table it reads as Layer.
    void everyIndexReadsAsItsTableEntry()
    {
        QCOMPARE(StringByLineWeight(-225, true), QStringLiteral("Default"));
        for (int i = -300; i < 300; ++i)
            QCOMPARE(StringByLineWeight(i, true), StringByLineWeight(::lineWeightByIndex(char(i)), false));
    }
};

KVCC_TEST_MAIN(TestLineWeightText)
#include "tst_lineweighttext.moc"
