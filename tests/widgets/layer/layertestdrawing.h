#pragma once

#include "kvcctest.h"
#include "testdrawing.h"

#include <KvAppBase.h>
#include <KvDatabase.h>

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QSettings>
#include <QString>
#include <QtTest>

#include <memory>

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
