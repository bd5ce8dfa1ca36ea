// Test functions that the harness must judge correctly; tests.cmake runs
// them one by one and checks the verdict.
#include "kvcctest.h"
#include "modaldriver.h"

#include <QMessageBox>

#include <QSettings>

class HarnessProbe : public QObject
{
    Q_OBJECT

public:
    ~HarnessProbe() override
    {
        if (warnOnTeardown)
            qWarning("a warning while the test object is torn down");
    }

private:
    bool warnOnTeardown = false;

private slots:
    void warnsUnexpectedly()
    {
        qWarning("an unexpected warning");
        QVERIFY(true);
    }

    void reportsCriticalUnexpectedly() { qCritical("an unexpected critical message"); }

    void warnsAsExpected()
    {
        QTest::ignoreMessage(QtWarningMsg, "an expected warning");
        qWarning("an expected warning");
    }

    void printsAKnownPlatformNotice() { qWarning("This plugin does not support raise()"); }

    void printsDebugOutput() { qDebug("debug output is no fault"); }

    void warnsWhenTornDown() { warnOnTeardown = true; }

    // Run only in the sanitizer build: the leak suppressions must not hide
    // an object that our code leaks.
    void leaksAnObject()
    {
        auto* leaked = new QObject;
        leaked->setObjectName(QStringLiteral("leaked on purpose"));
        QVERIFY(leaked);
    }

    // The modal driver must fail, within its bound, when no dialog comes.
    void waitsInVainForADialog()
    {
        modaldriver::answer([] {}, [](QDialog* dialog) { dialog->accept(); }, 200);
    }

    // A modal window of another kind than the one awaited is closed, so the
    // run fails instead of hanging in its loop.
    void meetsAnotherKindOfDialog()
    {
        QDialog other;
        QVERIFY(!modaldriver::answer<QMessageBox>([&other] { other.exec(); }, [](QMessageBox*) {}, 200));
    }

    void keepsSettingsInAScratchFolder()
    {
        QSettings settings(QStringLiteral("Quorvane"), QStringLiteral("VantorViewer"));
        QVERIFY2(settings.fileName().startsWith(kvcctest::scratchDir()), qPrintable(settings.fileName()));
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("offscreen"));
    }
};

KVCC_TEST_MAIN(HarnessProbe)
#include "harnessprobe.moc"
