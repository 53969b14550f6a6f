#pragma once
// Qt's own dialogs (file, print, colour, message box buttons) speak French whatever the
// system's language.

class QCoreApplication;

namespace tivane {

// Loads Qt's French translation and makes French the default locale. False when the
// translation could not be found (qt6-translations-l10n not installed).
bool installFrenchTranslations(QCoreApplication &app);

} // namespace tivane
