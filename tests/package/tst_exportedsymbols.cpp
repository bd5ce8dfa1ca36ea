#include "kvcctest.h"

#include <kvlayerutility.h>
#include <swatchpainters.h>

#include <QProcess>
#include <QRegularExpression>

#include <dlfcn.h>

namespace {

// The library file this test runs against.
QString libraryPath()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&getCurrentDb), &info) || !info.dli_fname)
        return QString();
    return QString::fromLocal8Bit(info.dli_fname);
}

// Defined dynamic symbols of a shared object, demangled.
QStringList exportedSymbols(const QString& path)
{
    QProcess nm;
    nm.start(QStringLiteral("nm"),
             {QStringLiteral("-D"), QStringLiteral("-C"), QStringLiteral("--defined-only"), path});
    if (!nm.waitForFinished(30000) || nm.exitCode() != 0)
        return {};
    QStringList names;
    const QString output = QString::fromLocal8Bit(nm.readAllStandardOutput());
    for (const QString& line : output.split(QLatin1Char('\n'))) {
        // "0000000000003c10 T getCurrentDb()": the name is everything after the type letter.
        const int space = line.indexOf(QLatin1Char(' '), line.indexOf(QLatin1Char(' ')) + 1);
        if (space > 0)
            names << line.mid(space + 1);
    }
    return names;
}

// Everything outside the bridge class that hosts link against.
const char* const freeSymbols[] = {
    "getCurrentDb()", "getLayerByName(QString)", "lineWeightByIndex(char)", "StringByLineWeight(int, bool)",
    "creatColorPix(QColor)", "drawLineWeight(double)", "drawLineType(Qt::PenStyle)", "qInitResources_Icons()",
    "qCleanupResources_Icons()", "pCurDb", "KvCc::loadKeyedPixmap(QString const&)",
};

} // namespace

// What the shared library exports: the interface hosts use, and nothing of
// its internals.
class TestExportedSymbols : public QObject
{
    Q_OBJECT

private:
    QString path;
    QStringList symbols;

private slots:
    void initTestCase()
    {
        path = libraryPath();
        QVERIFY(path.contains(QLatin1String("libKvCustomControl.so")));
        symbols = exportedSymbols(path);
        QVERIFY2(!symbols.isEmpty(), "nm could not list the library's symbols");
    }

    void hostInterfaceIsExported()
    {
        QStringList expected{QStringLiteral("typeinfo for KvLayerUtility")};
        for (const char* f : freeSymbols)
            expected << QString::fromLatin1(f);
        for (const char* m : {"getAllLayer()", "getCurrentLayer(KvCc::LayerItemData&)", "setLayerOff(QString, bool)",
                              "setLayerLock(QString, bool)", "setLayerFrozen(QString, bool)",
                              "setLayerPlot(QString, bool)", "setCurrenLayer(KvCc::LayerItemData)",
                              "setLayerByData(KvCc::LayerItemData)", "isModelSpace()",
                              "getAllLayerDate(QList<QStringList>&)"})
            expected << QStringLiteral("KvLayerUtility::") + QLatin1String(m);
        for (const QString& symbol : expected)
            QVERIFY2(symbols.contains(symbol), qPrintable(symbol));
    }

    // A host linking by name finds the functions and the very pCurDb the library writes.
    void symbolsResolveAtRunTime()
    {
        void* handle = dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_NOLOAD);
        QVERIFY(handle);
        void* init = dlsym(handle, "_Z20qInitResources_Iconsv");
        void* lineWeight = dlsym(handle, "_Z18StringByLineWeightib");
        void* db = dlsym(handle, "pCurDb");
        dlclose(handle);
        QVERIFY(init && lineWeight);
        QCOMPARE(db, static_cast<void*>(&pCurDb));
    }

    void nothingElseIsExported()
    {
        // Ours: the free functions, and anything of the bridge class or the
        // widget namespace (members, vtables, typeinfo, templates over our types).
        const QRegularExpression ours(QStringLiteral("KvCc::|KvLayerUtility\\b"));
        // The linker's own markers and the address sanitizer's bookkeeping.
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
            bool known = ours.match(s).hasMatch() || toolchain.match(s).hasMatch();
            for (const char* f : freeSymbols)
                known = known || s == QLatin1String(f);
            if (!known)
                strangers << s;
        }
        QVERIFY2(strangers.isEmpty(), qPrintable(strangers.join(QLatin1String("\n"))));
    }

    // Helpers inside the library's own names must stay internal too.
    void internalHelpersAreHidden()
    {
        for (const char* helper : {"walkLayers", "fromHostString", "readItemData", "writeLayerFlag",
                                   "lineWeightTable", "blackPen", "qt_resource_data"}) {
            for (const QString& s : symbols)
                QVERIFY2(!s.contains(QLatin1String(helper)), qPrintable(s));
        }
    }
};

KVCC_TEST_MAIN(TestExportedSymbols)
#include "tst_exportedsymbols.moc"
