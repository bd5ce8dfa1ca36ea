#include "kvcctranslations.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace KvCc {

namespace {

// The translations lrelease compiled into the library's resources.
const char* const translationsDir = ":/kvcc/translations";
const char* const translationsName = "kvcustomcontrol";

std::unique_ptr<QTranslator> installed;
bool removalRegistered = false;

void removeInstalled()
{
    if (!installed)
        return;
    QCoreApplication::removeTranslator(installed.get());
    installed.reset();
}

} // namespace

bool loadTranslations(const QLocale& locale)
{
    removeInstalled();
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(locale, QLatin1String(translationsName), QStringLiteral("_"),
                          QLatin1String(translationsDir))
        || !QCoreApplication::installTranslator(translator.get()))
        return false;
    installed = std::move(translator);
    if (!removalRegistered) {
        // The translator goes with the application that holds it.
        qAddPostRoutine([] {
            removeInstalled();
            removalRegistered = false;
        });
        removalRegistered = true;
    }
    return true;
}

} // namespace KvCc
