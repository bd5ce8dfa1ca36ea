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
        QTest::newRow("index 127 is past the table") << 127 << -1;
        QTest::newRow("index 200 (a negative char) is past the table") << 200 << -1;
        QTest::newRow("char -1 is taken as 255") << -1 << -1;
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
        QTest::newRow("0 in millimetres") << 0 << false << 1 << "0.00 mm";
        QTest::newRow("0 in inches") << 0 << false << 0 << "0.000 \"";
        QTest::newRow("211 in millimetres") << 211 << false << 1 << "2.11 mm";
        QTest::newRow("211 in inches") << 211 << false << 0 << "0.083 \"";
        QTest::newRow("2540 is exactly one inch") << 2540 << false << 0 << "1.000 \"";
        QTest::newRow("any LWUNITS other than 1 means inches") << 100 << false << 7 << "0.039 \"";
        QTest::newRow("an unreadable LWUNITS means millimetres") << 100 << false << -1 << "1.00 mm";
        QTest::newRow("-3 is Default in millimetres") << -3 << false << 1 << "Default";
        QTest::newRow("-3 is Default in inches") << -3 << false << 0 << "Default";
        QTest::newRow("-2 is Block") << -2 << false << 0 << "Block";
        QTest::newRow("-1 is Layer") << -1 << false << 1 << "Layer";
        QTest::newRow("another negative value is a length") << -4 << false << 1 << "-0.04 mm";
        QTest::newRow("the largest int is formatted in single precision")
            << INT_MAX << false << 1 << "21474836.00 mm";
        QTest::newRow("the smallest int is formatted in single precision")
            << INT_MIN << false << 1 << "-21474836.00 mm";
        QTest::newRow("the smallest int in inches") << INT_MIN << false << 0 << "-845466.000 \"";

        QTest::newRow("index 7 reads as 25") << 7 << true << 1 << "0.25 mm";
        QTest::newRow("index 7 reads as 25 in inches") << 7 << true << 0 << "0.010 \"";
        QTest::newRow("index 0 reads as 0") << 0 << true << 1 << "0.00 mm";
        QTest::newRow("index 24 reads as Layer") << 24 << true << 1 << "Layer";
        QTest::newRow("index 30 reads as Block") << 30 << true << 1 << "Block";
        QTest::newRow("index 31 reads as Default") << 31 << true << 1 << "Default";
        QTest::newRow("index 32 reads as Layer") << 32 << true << 1 << "Layer";
        QTest::newRow("index 255 reads as Layer") << 255 << true << 1 << "Layer";
        QTest::newRow("only the low byte of an index counts") << 256 + 7 << true << 1 << "0.25 mm";
        QTest::newRow("index -1 has low byte 255 and reads as Layer") << -1 << true << 1 << "Layer";
        QTest::newRow("index -225 has low byte 31 and reads as Default") << -225 << true << 1 << "Default";
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

    void everyIndexReadsAsItsTableEntry()
    {
        for (int i = 0; i < 32; ++i)
            QCOMPARE(StringByLineWeight(i, true), StringByLineWeight(::lineWeightByIndex(char(i)), false));
    }
};

KVCC_TEST_MAIN(TestLineWeightText)
#include "tst_lineweighttext.moc"
