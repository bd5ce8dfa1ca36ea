#pragma once

#include "kvcctest.h"
#include "testdrawing.h"

#include <KvAppBase.h>
#include <KvDatabase.h>
#include <layercolumns.h>

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QSettings>
#include <QString>
#include <QTableView>
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

// Shows widget and waits until its window is exposed.
inline bool showExposed(QWidget* widget)
{
    widget->show();
    return QTest::qWaitForWindowExposed(widget);
}

inline QImage argb(const QPixmap& pixmap) { return pixmap.toImage().convertToFormat(QImage::Format_ARGB32); }

// The names of the rows view shows, or with all of every row of its model.
inline QStringList rowNames(const QTableView* view, bool all = false)
{
    QStringList names;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        if (all || !view->isRowHidden(row))
            names << view->model()->index(row, KvCc::NameColumn).data().toString();
    }
    return names;
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
