#include "kvcctest.h"

#include <kvlayerutility.h>

#include <QProcess>
#include <QRegularExpression>

#include <dlfcn.h>

namespace {

// Everything outside the widget namespace that hosts link against.
const QStringList hostInterface{
    "getCurrentDb()", "getLayerByName(QString)", "lineWeightByIndex(char)", "StringByLineWeight(int, bool)",
    "creatColorPix(QColor)", "drawLineWeight(double)", "drawLineType(Qt::PenStyle)", "qInitResources_Icons()",
    "qCleanupResources_Icons()", "pCurDb", "typeinfo for KvLayerUtility", "KvLayerUtility::getAllLayer()",
    "KvLayerUtility::getCurrentLayer(KvCc::LayerItemData&)", "KvLayerUtility::setLayerOff(QString, bool)",
    "KvLayerUtility::setLayerLock(QString, bool)", "KvLayerUtility::setLayerFrozen(QString, bool)",
    "KvLayerUtility::setLayerPlot(QString, bool)", "KvLayerUtility::setCurrenLayer(KvCc::LayerItemData)",
    "KvLayerUtility::setLayerByData(KvCc::LayerItemData)", "KvLayerUtility::isModelSpace()",
    "KvLayerUtility::getAllLayerDate(QList<QStringList>&)", "KvCc::loadKeyedPixmap(QString const&)",
};

} // namespace

// What the shared library exports: the interface hosts use, and nothing of
// its internals.
class TestExportedSymbols : public QObject
{
    Q_OBJECT

private:
    QStringList symbols;

private slots:
    // Lists the defined dynamic symbols, demangled, of the library this test runs against.
    void initTestCase()
    {
        Dl_info info{};
        QVERIFY(dladdr(reinterpret_cast<void*>(&getCurrentDb), &info) && info.dli_fname);
        const QString path = QString::fromLocal8Bit(info.dli_fname);
        QVERIFY2(path.contains(QLatin1String(KVCC_LIBRARY_FILE)), qPrintable(path));
        QProcess nm;
        nm.start(QStringLiteral("nm"), {"-D", "-C", "--defined-only", path});
        QVERIFY(nm.waitForFinished(30000) && nm.exitCode() == 0);
        // "0000000000003c10 T getCurrentDb()": the name is everything after the type letter.
        for (const QString& line : QString::fromLocal8Bit(nm.readAllStandardOutput()).split(QLatin1Char('\n'))) {
            const int space = line.indexOf(QLatin1Char(' '), line.indexOf(QLatin1Char(' ')) + 1);
            // Qt 6's QStringList is QList<QString>: named as in Qt 5.
            if (space > 0)
                symbols << line.mid(space + 1).replace(QLatin1String("QList<QList<QString> >"), QLatin1String("QList<QStringList>"));
        }
    }

    void hostInterfaceIsExported()
    {
        for (const QString& symbol : hostInterface)
            QVERIFY2(symbols.contains(symbol), qPrintable(symbol));
    }

    void nothingElseIsExported()
    {
        // Ours: anything of the bridge class or the widget namespace
        // (members, vtables, typeinfo, templates over our types).
        const QRegularExpression ours(QStringLiteral("KvCc::|KvLayerUtility\\b"));
#if defined(__SANITIZE_ADDRESS__)
        // The sanitizers' type checks also make the compiler emit weak
        // typeinfo of the foreign classes they look at.
        const QRegularExpression toolchain(
            QStringLiteral("^(__bss_start|_edata|_end|_init|_fini|__odr_asan|__asan|typeinfo (name )?for )"));
#else
        const QRegularExpression toolchain(QStringLiteral("^(__bss_start|_edata|_end|_init|_fini)$"));
#endif
        QStringList strangers;
        for (const QString& s : symbols) {
            if (!ours.match(s).hasMatch() && !toolchain.match(s).hasMatch() && !hostInterface.contains(s))
                strangers << s;
        }
        QVERIFY2(strangers.isEmpty(), qPrintable(strangers.join(QLatin1String("\n"))));
    }
};

KVCC_TEST_MAIN(TestExportedSymbols)
#include "tst_exportedsymbols.moc"
