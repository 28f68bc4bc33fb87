#pragma once

class QCoreApplication;

namespace platform {

// Installs Qt's own French translation (standard buttons "Oui"/"Non", file dialogs) on `app`,
// which owns it, and makes French the default locale. Without the translation file (package
// qt6-translations-l10n) Qt's English texts stay, with a warning.
void ChargerTraductionsFrancaises(QCoreApplication& app);

}  // namespace platform
