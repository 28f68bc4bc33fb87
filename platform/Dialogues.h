#pragma once
#include <QString>
#include <functional>
#include <optional>

class QWidget;

namespace platform {

enum class Style { Question, Erreur, Information };
enum class Reponse { Oui, Non, Ok };

struct Message {
  Style style;
  QString titre;
  QString texte;
};

// Modal message box. Question: Yes and No, No the default, question icon. Erreur: OK with the
// error icon. Information: OK with the information icon. Returns Oui only when Yes was chosen.
Reponse AfficherMessage(QWidget* parent, Style style, const QString& titre, const QString& texte);

// Modal file dialogs preset to `nomInitial`; nullopt when cancelled. The open dialog accepts a
// name that does not exist.
std::optional<QString> DemanderFichierAOuvrir(QWidget* parent, const QString& nomInitial,
                                              const QString& filtre);
std::optional<QString> DemanderFichierAEnregistrer(QWidget* parent, const QString& nomInitial);

// What tests put in place of the person and the machine. An empty function means the real one.
struct Seams {
  std::function<Reponse(const Message&)> message;
  std::function<std::optional<QString>(const QString& nomInitial)> ouvrir;
  std::function<std::optional<QString>(const QString& nomInitial)> enregistrer;
};
Seams& seams();

}  // namespace platform
