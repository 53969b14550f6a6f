#include "app/Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace tivane {

bool installFrenchTranslations(QCoreApplication &app)
{
    const QLocale french(QLocale::French, QLocale::France);
    QLocale::setDefault(french);
    auto *translator = new QTranslator(&app);
    if (!translator->load(french, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

} // namespace tivane
