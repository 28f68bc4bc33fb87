#include "Traductions.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QtDebug>
#include <memory>

namespace platform {

void ChargerTraductionsFrancaises(QCoreApplication& app) {
  const QLocale francais(QLocale::French, QLocale::France);
  QLocale::setDefault(francais);

  // Qt's own folder first; a deployed program carries its copy next to the executable.
  const QStringList dossiers = {QLibraryInfo::path(QLibraryInfo::TranslationsPath),
                                QCoreApplication::applicationDirPath() + "/translations"};
  auto traducteur = std::make_unique<QTranslator>();
  for (const QString& dossier : dossiers) {
    if (traducteur->load(francais, "qtbase", "_", dossier)) {
      traducteur->setParent(&app);
      QCoreApplication::installTranslator(traducteur.release());
      return;
    }
  }
  qWarning() << "Traduction française de Qt introuvable dans" << dossiers;
}

}  // namespace platform
