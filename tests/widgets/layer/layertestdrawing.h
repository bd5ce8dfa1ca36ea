#pragma once

#include "kvcctest.h"

#include <KvAppBase.h>
#include <KvDatabase.h>

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QSettings>
#include <QString>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

// A stand-in drawing made the host's current one for the life of a test.
class TestDrawing
{
public:
    TestDrawing()
        : db(std::make_unique<DkDbDatabase>())
    {
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(db.get());
        kvSetSysVar(L"TILEMODE", 1);
        kvSetSysVar(L"LWUNITS", 1);
        kvResetLayerTableChangesCount();
    }
    ~TestDrawing()
    {
        s_pServices = dkdbDefaultServices();
        s_pServices->setWorkingDatabase(nullptr);
    }
    TestDrawing(const TestDrawing&) = delete;
    TestDrawing& operator=(const TestDrawing&) = delete;

    DkDbObjectId add(const QString& name, bool on = true, bool frozen = false, bool locked = false)
    {
        DkDbLayerSpec layerSpec;
        layerSpec.name = name.toStdWString();
        layerSpec.on = on;
        layerSpec.frozen = frozen;
        layerSpec.locked = locked;
        return db->addLayer(layerSpec);
    }
    DkDbObjectId id(const QString& name) const { return db->layerId(name.toStdWString()); }
    const DkDbLayerTableRecord* layer(const QString& name) const { return db->peekLayer(id(name)); }
    void makeCurrent(const QString& name) { db->setClayer(id(name)); }
    // Every object, iterator and name buffer the widgets opened was closed.
    bool nothingOpen() const
    {
        return db->openObjectCount() == 0 && db->liveIteratorCount() == 0 && dkutOutstandingBuffers() == 0;
    }

    std::unique_ptr<DkDbDatabase> db;
};

// Points every settings store of this test run at its scratch folder, so
// the palette's column choices never reach a real configuration.
inline void useScratchSettings()
{
    const QString dir = kvcctest::scratchDir() + QStringLiteral("/settings");
    for (QSettings::Scope scope : {QSettings::UserScope, QSettings::SystemScope}) {
        QSettings::setPath(QSettings::NativeFormat, scope, dir);
        QSettings::setPath(QSettings::IniFormat, scope, dir);
    }
}

// Answers the next modal dialog from inside its own event loop: act gets
// the dialog once it is the active modal widget.
inline void answerModal(std::function<void(QDialog*)> act, int triesLeft = 300)
{
    QTimer::singleShot(triesLeft == 300 ? 0 : 10, [act, triesLeft]() {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            act(dialog);
        else if (triesLeft > 0)
            answerModal(act, triesLeft - 1);
    });
}

// The visible push button of dialog whose text is text, or null.
inline QPushButton* dialogButton(QDialog* dialog, const QString& text)
{
    const auto buttons = dialog->findChildren<QPushButton*>();
    for (QPushButton* button : buttons) {
        if (button->isVisible() && button->text() == text)
            return button;
    }
    return nullptr;
}
