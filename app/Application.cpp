#include "Application.h"

#include <exception>

#include "Dialogues.h"

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* destinataire, QEvent* evenement) {
  try {
    return QApplication::notify(destinataire, evenement);
  } catch (const std::exception& e) {
    platform::AfficherMessage(activeWindow(), platform::Style::Erreur, applicationDisplayName(),
                              QString::fromLocal8Bit(e.what()));
  } catch (...) {
    platform::AfficherMessage(activeWindow(), platform::Style::Erreur, applicationDisplayName(),
                              QString());
  }
  return false;
}
