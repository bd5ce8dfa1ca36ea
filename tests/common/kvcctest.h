#pragma once

#include <QApplication>
#include <QtTest>

// Test support shared by every test executable.
namespace kvcctest {

// Sets up the environment before the application object exists: offscreen
// platform unless one is chosen, settings in a scratch folder.
void prepare();

// Runs the test object and fails the run when Qt printed a warning that the
// test did not expect (QTest::ignoreMessage), apart from the platform
// notices listed in kvcctest.cpp.
int run(QObject* testObject, int argc, char** argv);

// Fails when a warning was printed while the test object was torn down.
int finish(int result);

// A folder that lives as long as the test executable runs.
QString scratchDir();
// Writes data into a file of that name in scratchDir(); returns its path.
QString writeScratch(const QByteArray& data, const QString& name);

} // namespace kvcctest

#define KVCC_TEST_MAIN(TestObject)                                                                 \
    int main(int argc, char** argv)                                                                \
    {                                                                                              \
        kvcctest::prepare();                                                                       \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        int result = 0;                                                                            \
        {                                                                                          \
            TestObject tc;                                                                         \
            QTEST_SET_MAIN_SOURCE_PATH                                                             \
            result = kvcctest::run(&tc, argc, argv);                                               \
        }                                                                                          \
        return kvcctest::finish(result);                                                           \
    }
