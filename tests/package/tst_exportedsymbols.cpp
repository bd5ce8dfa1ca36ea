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

const char* const freeFunctions[] = {
    "getCurrentDb()",
    "getLayerByName(QString)",
    "lineWeightByIndex(char)",
    "StringByLineWeight(int, bool)",
    "creatColorPix(QColor)",
    "drawLineWeight(double)",
    "drawLineType(Qt::PenStyle)",
    "qInitResources_Icons()",
    "qCleanupResources_Icons()",
    "pCurDb",
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

    void hostInterfaceIsExported_data()
    {
        QTest::addColumn<QString>("symbol");
        for (const char* f : freeFunctions)
            QTest::newRow(f) << QString::fromLatin1(f);
        const char* const members[] = {
            "KvLayerUtility::getAllLayer()",
            "KvLayerUtility::getCurrentLayer(KvCc::LayerItemData&)",
            "KvLayerUtility::setLayerOff(QString, bool)",
            "KvLayerUtility::setLayerLock(QString, bool)",
            "KvLayerUtility::setLayerFrozen(QString, bool)",
            "KvLayerUtility::setLayerPlot(QString, bool)",
            "KvLayerUtility::setCurrenLayer(KvCc::LayerItemData)",
            "KvLayerUtility::setLayerByData(KvCc::LayerItemData)",
            "KvLayerUtility::isModelSpace()",
            "KvLayerUtility::getAllLayerDate(QList<QStringList>&)",
            "KvCc::loadKeyedPixmap(QString const&)",
            "typeinfo for KvLayerUtility",
        };
        for (const char* m : members)
            QTest::newRow(m) << QString::fromLatin1(m);
    }

    void hostInterfaceIsExported()
    {
        QFETCH(QString, symbol);
        QVERIFY2(symbols.contains(symbol), qPrintable(symbol));
    }

    void symbolsResolveAtRunTime_data()
    {
        QTest::addColumn<QByteArray>("mangled");
        QTest::newRow("qInitResources_Icons") << QByteArray("_Z20qInitResources_Iconsv");
        QTest::newRow("qCleanupResources_Icons") << QByteArray("_Z23qCleanupResources_Iconsv");
        QTest::newRow("getCurrentDb") << QByteArray("_Z12getCurrentDbv");
        QTest::newRow("lineWeightByIndex") << QByteArray("_Z17lineWeightByIndexc");
        QTest::newRow("StringByLineWeight") << QByteArray("_Z18StringByLineWeightib");
        QTest::newRow("creatColorPix") << QByteArray("_Z13creatColorPix6QColor");
        QTest::newRow("pCurDb") << QByteArray("pCurDb");
    }

    void symbolsResolveAtRunTime()
    {
        QFETCH(QByteArray, mangled);
        void* handle = dlopen(path.toLocal8Bit().constData(), RTLD_NOW | RTLD_NOLOAD);
        QVERIFY(handle);
        void* address = dlsym(handle, mangled.constData());
        dlclose(handle);
        QVERIFY2(address, mangled.constData());
        if (mangled == "pCurDb")
            QCOMPARE(address, static_cast<void*>(&pCurDb));
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
            for (const char* f : freeFunctions)
                known = known || s == QLatin1String(f);
            if (!known)
                strangers << s;
        }
        QVERIFY2(strangers.isEmpty(), qPrintable(strangers.join(QLatin1String("\n"))));
    }

    void internalHelpersAreHidden_data()
    {
        QTest::addColumn<QString>("helper");
        QTest::newRow("the table walk") << QStringLiteral("walkLayers");
        QTest::newRow("the wide string conversion") << QStringLiteral("fromHostString");
        QTest::newRow("the record reader") << QStringLiteral("readItemData");
        QTest::newRow("the flag writer") << QStringLiteral("writeLayerFlag");
        QTest::newRow("the lineweight table") << QStringLiteral("lineWeightTable");
        QTest::newRow("the painters' pen") << QStringLiteral("blackPen");
        QTest::newRow("the resource data") << QStringLiteral("qt_resource_data");
    }

    void internalHelpersAreHidden()
    {
        QFETCH(QString, helper);
        for (const QString& s : symbols)
            QVERIFY2(!s.contains(helper), qPrintable(s));
    }
};

KVCC_TEST_MAIN(TestExportedSymbols)
#include "tst_exportedsymbols.moc"
