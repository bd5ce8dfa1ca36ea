#pragma once

#include "kvcustomcontrol_export.h"

class QLocale;

namespace KvCc {

/// Installs the library's translation for @p locale into the application,
/// in place of one installed before, so that the widgets, dialogs and
/// messages made afterwards speak that language. It translates the
/// library's own texts only; the host loads its own and Qt's translations.
/// Call it after the QApplication is made and before building the widgets.
/// @return whether a translation for the locale was found and installed;
/// for English, or a language the library has no translation for, it
/// installs nothing and the texts stay English.
KVCUSTOMCONTROL_EXPORT bool loadTranslations(const QLocale& locale);

} // namespace KvCc
