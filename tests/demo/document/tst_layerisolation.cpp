#include "kvcctest.h"

#include "drawingsession.h"
#include "layerbatchedit.h"

using namespace Demo;

namespace {

// The layers in slot order, each its name with "-" when off and "*" when
// frozen; then "@" and the current layer, and "isolated" while unisolating
// would put something back.
QString stateOf(const DrawingDocument& document)
{
    QStringList words;
    const LayerTableState state = document.layerState();
    for (int slot = 0; slot < state.layers.size(); ++slot) {
        const DrawingLayer& l = state.layers.at(slot);
        if (state.isAlive(slot))
            words << l.name + (l.on ? "" : "-") + (l.frozen ? "*" : "");
    }
    words << "@" + document.currentLayerName();
    if (document.canUnisolate())
        words << "isolated";
    return words.join(' ');
}

// Layers 0, A, B, C and D, all on and thawed, 0 current.
struct Session : DrawingSession {
    Session()
    {
        Drawing drawing;
        for (const char* name : {"0", "A", "B", "C", "D"}) {
            DrawingLayer layer;
            layer.name = QString::fromLatin1(name);
            drawing.layers << layer;
        }
        openDrawing(drawing, QString());
    }
    // Runs a step as the window does, or as a command file line; returns the refusal.
    QString run(const QString& step)
    {
        QStringList words = step.split(' ');
        const QString command = words.takeFirst();
        if (command == "undo" || command == "redo") {
            command == "undo" ? history()->undo() : history()->redo();
            return QString();
        }
        if (!command.startsWith("isolate") && command != "unisolate")
            return LayerBatchEdit(document(), history()).runLine(step);
        const QString error = command == "unisolate" ? document()->unisolateLayers()
                                                     : document()->isolateLayers(words, command == "isolate-freeze");
        history()->recordCommand();
        return error;
    }
};

} // namespace

class TestLayerIsolation : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { s_pServices->setWorkingDatabase(nullptr); }
    void isolateAndTheLayerWideCommands_data();
    void isolateAndTheLayerWideCommands();
};

void TestLayerIsolation::isolateAndTheLayerWideCommands_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("undoText"); // of the last step, which one undo takes back; "" for none
    QTest::addColumn<QString>("refusal");  // of the last step
    QTest::newRow("isolating turns the other layers off and makes an isolated layer current")
        << QStringList{"isolate A C"} << "0- A B- C D- @A isolated" << "Isolate 2 Layers" << "";
    QTest::newRow("isolating by freezing freezes the others")
        << QStringList{"isolate-freeze B"} << "0* A* B C* D* @B isolated" << "Isolate B" << "";
    QTest::newRow("isolating keeps the current layer when it is among the isolated")
        << QStringList{"isolate C 0"} << "0 A- B- C D- @0 isolated" << "Isolate 2 Layers" << "";
    QTest::newRow("isolated layers that were off or frozen are shown")
        << QStringList{"off A", "freeze B", "isolate-freeze b A"} << "0* A B C* D* @B isolated" << "Isolate 2 Layers" << "";
    QTest::newRow("unisolate puts back the layers and the current layer")
        << QStringList{"off D", "freeze C", "isolate-freeze A", "unisolate"} << "0 A B C* D- @0" << "Unisolate Layers" << "";
    QTest::newRow("unisolate leaves what was made, changed or deleted since, and finds a renamed layer")
        << QStringList{"isolate A", "new E", "off A", "rename B B2", "delete C", "unisolate"} << "0 A- B2 D E @0"
        << "Unisolate Layers" << "";
    QTest::newRow("a layer and current layer the user changed after isolating keep the user's change")
        << QStringList{"isolate-freeze A", "thaw B", "off B", "current B", "unisolate"} << "0 A B- C D @B" << "Unisolate Layers" << "";
    QTest::newRow("a second isolation adds to the first; unisolate goes back before both")
        << QStringList{"isolate A B", "isolate-freeze A", "unisolate"} << "0 A B C D @0" << "Unisolate Layers" << "";
    // Once another layer is current, a second unisolate freezes it.
    QTest::newRow("unisolate cannot freeze again a layer the user made current, and says so")
        << QStringList{"freeze B", "isolate-freeze A B", "current B", "unisolate"} << "0 A B C D @B isolated" << "Unisolate Layers"
        << "Layer \"B\" is the current layer and cannot be frozen.";
    QTest::newRow("an undone isolation leaves nothing to unisolate")
        << QStringList{"isolate A", "undo", "unisolate"} << "0 A B C D @0" << "" << "No layers are isolated.";
    QTest::newRow("an undone unisolate makes the isolation active again")
        << QStringList{"isolate A", "unisolate", "undo"} << "0- A B- C- D- @A isolated" << "" << "";
    QTest::newRow("isolating a layer that does not exist changes nothing")
        << QStringList{"isolate A Z"} << "0 A B C D @0" << "" << "There is no layer \"Z\".";
    QTest::newRow("isolating what alone shows already is refused")
        << QStringList{"isolate A", "isolate A"} << "0- A B- C- D- @A isolated" << "" << "Only these layers show already.";
    QTest::newRow("all-on turns every layer on and leaves frozen layers frozen")
        << QStringList{"off A", "off B", "freeze C", "all-on"} << "0 A B C* D @0" << "Turn On All Layers" << "";
    QTest::newRow("thaw-all thaws every layer and leaves layers off")
        << QStringList{"freeze A", "off B", "freeze B", "thaw-all"} << "0 A B- C D @0" << "Thaw All Layers" << "";
}

void TestLayerIsolation::isolateAndTheLayerWideCommands()
{
    QFETCH(QStringList, steps);
    QFETCH(QString, state);
    QFETCH(QString, undoText);
    QFETCH(QString, refusal);
    Session session;
    const DrawingDocument& document = *session.document();
    QString before, refused;
    for (int i = 0; i < steps.size(); ++i) {
        before = stateOf(document);
        refused = session.run(steps.at(i));
        QVERIFY2(i == steps.size() - 1 || refused.isEmpty(), qPrintable(steps.at(i) + ": " + refused));
    }
    QCOMPARE(refused, refusal);
    QCOMPARE(stateOf(document), state);
    if (undoText.isEmpty())
        return;
    QCOMPARE(session.history()->undoText(), undoText);
    session.history()->undo();
    QCOMPARE(stateOf(document), before);
    session.history()->redo();
    QCOMPARE(stateOf(document), state);
}

KVCC_TEST_MAIN(TestLayerIsolation)
#include "tst_layerisolation.moc"
