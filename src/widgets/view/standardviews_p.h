#pragma once

#include <QCoreApplication>
#include <QStringList>

namespace KvCc {

// Names of the ten standard views, in the order the view gallery and the
// view button list them: the six principal views, then the four corners.
// They stay English where they name things (the view button's entries);
// standardViewText() gives what the user reads.
inline QStringList standardViewNames()
{
    static const char* const names[] = {
        QT_TRANSLATE_NOOP("KvCc::StandardViews", "Top"),
        QT_TRANSLATE_NOOP("KvCc::StandardViews", "Bottom"),
        QT_TRANSLATE_NOOP("KvCc::StandardViews", "Left"),
        QT_TRANSLATE_NOOP("KvCc::StandardViews", "Right"),
        QT_TRANSLATE_NOOP("KvCc::StandardViews", "Front"),
        QT_TRANSLATE_NOOP("KvCc::StandardViews", "Back"),
        QT_TRANSLATE_NOOP("KvCc::StandardViews", "Southwest"),
        QT_TRANSLATE_NOOP("KvCc::StandardViews", "Southeast"),
        QT_TRANSLATE_NOOP("KvCc::StandardViews", "Northeast"),
        QT_TRANSLATE_NOOP("KvCc::StandardViews", "Northwest"),
    };
    QStringList list;
    for (const char* name : names)
        list << QLatin1String(name);
    return list;
}

// A standard view's name in the installed translation.
inline QString standardViewText(const QString& name)
{
    return QCoreApplication::translate("KvCc::StandardViews", name.toUtf8().constData());
}

} // namespace KvCc
