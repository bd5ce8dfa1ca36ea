#pragma once

// What the library's sources must spell differently for Qt 5 and Qt 6, in
// one place. Code that both Qts accept needs nothing here.

#include <QtGlobal>

// QIconEngine::availableSizes() is const in Qt 5 and not in Qt 6.
#if QT_VERSION >= QT_VERSION_CHECK(6, 0, 0)
#define KVCC_ICONENGINE_CONST
#else
#define KVCC_ICONENGINE_CONST const
#endif
