#include "kvcctest.h"
#include "testdrawing.h"

#include "modaldriver.h"

#include <layerstatesdialog.h>
#include <memorylayerstatestore.h>

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

using KvCc::LayerState;

namespace {

using BoxWatch = std::shared_ptr<modaldriver::detail::Watch>;

// Answers the next message box once it shows, without waiting for it here;
// the box's text goes to seen.
BoxWatch answerNextBox(QMessageBox::StandardButton button, QString* seen = nullptr)
{
    auto watch = std::make_shared<modaldriver::detail::Watch>();
    modaldriver::detail::poll<QMessageBox>(watch, [button, seen](QMessageBox* box) {
        if (seen)
            *seen = box->text() + QLatin1Char('\n') + box->informativeText();
        box->button(button)->click();
    }, QDeadlineTimer(5000), 0);
    return watch;
}

} // namespace

// The layer states dialog on a store in memory, driven as a user does.
class TestLayerStatesDialog : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<TestDrawing> drawing;
    std::unique_ptr<KvCc::MemoryLayerStateStore> store;
    std::unique_ptr<KvCc::LayerStatesDialog> dialog;

    void click(const char* name) { QTest::mouseClick(dialog->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton); }
    void select(const QString& name)
    {
        auto* list = dialog->findChild<QTreeWidget*>(QStringLiteral("stateList"));
        const QList<QTreeWidgetItem*> items = list->findItems(name, Qt::MatchExactly);
        QVERIFY(!items.isEmpty());
        list->setCurrentItem(items.first());
    }
    // Clicks the button and types into the name prompt it opens.
    void prompt(const char* button, const QString& name, const QString& description = QString())
    {
        modaldriver::answer<QDialog>([&] { click(button); }, [&](QDialog* prompt) {
            QCOMPARE(prompt->objectName(), QStringLiteral("layerStatePrompt"));
            prompt->findChild<QLineEdit*>(QStringLiteral("nameEdit"))->setText(name);
            if (auto* edit = prompt->findChild<QLineEdit*>(QStringLiteral("descriptionEdit")))
                edit->setText(description);
            prompt->accept();
        });
    }
    void saveState(const QString& name)
    {
        store->saveState(LayerState::capture(name));
        dialog->slotRefresh();
    }
    // The file dialog the next click opens gets path.
    void chooseFile(const char* button, const QString& path)
    {
        modaldriver::answer<QFileDialog>([&] { click(button); }, [&](QFileDialog* files) {
            files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(path);
            static_cast<QDialog*>(files)->accept(); // reaches QFileDialog::accept(), which checks the name
        });
    }

private slots:
    void init()
    {
        drawing = std::make_unique<TestDrawing>();
        drawing->add(QStringLiteral("Walls"));
        store = std::make_unique<KvCc::MemoryLayerStateStore>();
        dialog = std::make_unique<KvCc::LayerStatesDialog>();
        dialog->setStore(store.get());
        saveState(QStringLiteral("Existing"));
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog.get()));
    }
    void cleanup()
    {
        dialog.reset();
        drawing.reset();
    }

    void newCapturesUnderAFreeNameOrAsksBeforeReplacing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("answer"); // to the box that follows the prompt, 0 when none shows
        QTest::addColumn<QStringList>("names");
        QTest::newRow("a free name is saved with its description") << "Plan" << 0 << QStringList{"Existing", "Plan"};
        QTest::newRow("a blank name is refused with a message") << "  " << int(QMessageBox::Ok) << QStringList{"Existing"};
        QTest::newRow("a name taken in other case replaces after Yes") << "EXISTING" << int(QMessageBox::Yes) << QStringList{"EXISTING"};
        QTest::newRow("a name taken in other case is kept after No") << "existing" << int(QMessageBox::No) << QStringList{"Existing"};
    }
    void newCapturesUnderAFreeNameOrAsksBeforeReplacing()
    {
        QFETCH(QString, name);
        QFETCH(int, answer);
        drawing->add(QStringLiteral("Roof"));
        const BoxWatch box = answer ? answerNextBox(QMessageBox::StandardButton(answer)) : nullptr;
        prompt("newBtn", name, QStringLiteral("all walls"));
        QVERIFY(!box || QTest::qWaitFor([&] { return box->answered; }));
        QTEST(store->stateNames(), "names");
        LayerState saved;
        QVERIFY(store->loadState(store->stateNames().last(), saved));
        QCOMPARE(saved.layers.size(), answer == QMessageBox::Yes || !answer ? 3 : 2);
        QCOMPARE(dialog->selectedState(), answer == QMessageBox::No || answer == QMessageBox::Ok ? QString() : store->stateNames().last());
    }

    void newWithoutADrawingSavesNothing()
    {
        s_pServices->setWorkingDatabase(nullptr);
        const BoxWatch box = answerNextBox(QMessageBox::Ok);
        prompt("newBtn", QStringLiteral("Plan"));
        QVERIFY(QTest::qWaitFor([&] { return box->answered; }));
        QCOMPARE(store->stateNames(), QStringList{"Existing"});
    }

    void restoreWritesTheChosenPropertiesTellsOnceAndShowsRefusals_data()
    {
        QTest::addColumn<bool>("makeCurrent");
        QTest::newRow("with the current layer restored every write is taken, others switched off") << true;
        QTest::newRow("without it, freezing the current layer is refused and shown, others kept") << false;
    }
    void restoreWritesTheChosenPropertiesTellsOnceAndShowsRefusals()
    {
        QFETCH(bool, makeCurrent);
        LayerState state = LayerState::capture(QStringLiteral("Frozen zero"));
        state.currentLayer = QStringLiteral("Walls");
        state.layers[0].frozen = true;
        state.layers[1].on = false;
        store->saveState(state);
        drawing->add(QStringLiteral("Roof"));
        dialog->slotRefresh();
        select(state.name);
        dialog->findChild<QCheckBox*>(QStringLiteral("currentCheck"))->setChecked(makeCurrent);
        dialog->findChild<QCheckBox*>(QStringLiteral("offOthersCheck"))->setChecked(makeCurrent);
        dialog->findChild<QCheckBox*>(QStringLiteral("onCheck"))->setChecked(false);
        QCOMPARE(int(dialog->restoreProperties()), LayerState::AllProperties & ~LayerState::On & ~(makeCurrent ? 0 : int(LayerState::CurrentLayer)));
        QSignalSpy restored(dialog.get(), &KvCc::LayerStatesDialog::stateRestored);
        QString shown;
        const BoxWatch box = makeCurrent ? nullptr : answerNextBox(QMessageBox::Ok, &shown);
        click("restoreBtn");
        QVERIFY(!box || QTest::qWaitFor([&] { return box->answered; }));
        QVERIFY(makeCurrent || shown.contains(QLatin1String("Layer 0 is current and cannot be frozen.")));
        QCOMPARE(restored.count(), 1);
        QCOMPARE(restored.last().first().toString(), state.name);
        QCOMPARE(kvLayerTableChangesCount(), makeCurrent ? 1LL : 0LL);
        QCOMPARE(drawing->layer(QStringLiteral("0"))->isFrozen(), makeCurrent);
        QVERIFY(!drawing->layer(QStringLiteral("Walls"))->isOff());
        QCOMPARE(drawing->layer(QStringLiteral("Roof"))->isOff(), makeCurrent);
    }

    // Each property box chooses a property of its own, and together they choose all.
    void thePropertyBoxesChooseEveryPropertyOnce()
    {
        int seen = 0;
        for (QCheckBox* box : dialog->findChild<QGroupBox*>(QStringLiteral("propertiesBox"))->findChildren<QCheckBox*>()) {
            box->setChecked(false);
            const int cleared = LayerState::AllProperties & ~int(dialog->restoreProperties());
            QVERIFY2(qPopulationCount(uint(cleared)) == 1 && !(seen & cleared), qPrintable(box->objectName()));
            seen |= cleared;
            box->setChecked(true);
        }
        QCOMPARE(seen, int(LayerState::AllProperties));
    }

    void renameRefusesTakenNamesAndDeleteAsks()
    {
        saveState(QStringLiteral("Second"));
        select(QStringLiteral("Second"));
        QString shown;
        BoxWatch box = answerNextBox(QMessageBox::Ok, &shown);
        prompt("renameBtn", QStringLiteral("existing"));
        QVERIFY(QTest::qWaitFor([&] { return box->answered; }) && shown.contains(QLatin1String("exists already")));
        prompt("renameBtn", QStringLiteral("SECOND "));
        QCOMPARE(store->stateNames(), QStringList({"Existing", "SECOND"}));
        QCOMPARE(dialog->selectedState(), QStringLiteral("SECOND"));
        for (QMessageBox::StandardButton answer : {QMessageBox::No, QMessageBox::Yes}) {
            modaldriver::answer<QMessageBox>([&] { click("deleteBtn"); }, [answer](QMessageBox* b) { b->button(answer)->click(); });
            QCOMPARE(store->stateNames().size(), answer == QMessageBox::Yes ? 1 : 2);
        }
        QVERIFY(dialog->selectedState().isEmpty() && !dialog->findChild<QPushButton*>(QStringLiteral("deleteBtn"))->isEnabled());
    }

    void exportedFilesImportAgainAndBadFilesAreReported_data()
    {
        QTest::addColumn<QByteArray>("content"); // of the file imported; empty: the exported file
        QTest::addColumn<QString>("message");
        QTest::newRow("an exported state imports again after the replace question") << QByteArray() << QString();
        QTest::newRow("a file that holds no state is reported") << QByteArray("{\"format\": 1}") << "does not hold a layer state";
        QTest::newRow("a file beyond the size bound is not read") << QByteArray(1, ' ') << "too large";
    }
    void exportedFilesImportAgainAndBadFilesAreReported()
    {
        QFETCH(QByteArray, content);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("state.json"));
        select(QStringLiteral("Existing"));
        chooseFile("exportBtn", path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        LayerState exported, kept;
        QVERIFY(LayerState::fromJson(file.readAll(), exported) && store->loadState(QStringLiteral("Existing"), kept));
        QCOMPARE(exported, kept);
        if (!content.isEmpty())
            QVERIFY(file.resize(0) && file.write(content) == content.size() && (content.size() > 1 || file.resize(64 << 20 | 1)));
        file.close();
        drawing->add(QStringLiteral("Roof"));
        store->saveState(LayerState::capture(QStringLiteral("Existing")));
        QString shown;
        const BoxWatch box = answerNextBox(message.isEmpty() ? QMessageBox::Yes : QMessageBox::Ok, &shown);
        chooseFile("importBtn", path);
        QVERIFY(QTest::qWaitFor([&] { return box->answered; }) && shown.contains(message));
        QVERIFY(store->loadState(QStringLiteral("Existing"), kept));
        QCOMPARE(kept.layers.size(), message.isEmpty() ? 2 : 3);
    }

    void exportReportsAFileItCannotWrite()
    {
        QTemporaryDir dir;
        select(QStringLiteral("Existing"));
        QString shown;
        const BoxWatch box = answerNextBox(QMessageBox::Ok, &shown);
        chooseFile("exportBtn", dir.filePath(QStringLiteral("missing/state.json")));
        QVERIFY(QTest::qWaitFor([&] { return box->answered; }) && shown.contains(QLatin1String("could not be written")));
    }
};

KVCC_TEST_MAIN(TestLayerStatesDialog)
#include "tst_layerstatesdialog.moc"
