#include "Fenetre.h"

#include "Registre.h"

void FenetreFiabilite::SetUp() {
  ancienDossierCourant_ = std::filesystem::current_path();
  std::filesystem::current_path(dossier.chemin());
  platform::registreDeTest() = [](std::string_view, std::string_view) {
    return std::optional<std::string>();
  };
  platform::seams().message = [this](const platform::Message& m) {
    messages.push_back(m);
    if (reponses.empty())
      return m.style == platform::Style::Question ? platform::Reponse::Non : platform::Reponse::Ok;
    const platform::Reponse r = reponses.front();
    reponses.pop_front();
    return r;
  };
  // No test here opens a dialog; one that did would get "cancelled".
  platform::seams().ouvrir = [](const QString&) { return std::optional<QString>(); };
  platform::seams().enregistrer = [](const QString&) { return std::optional<QString>(); };
}

void FenetreFiabilite::TearDown() {
  std::filesystem::current_path(ancienDossierCourant_);
  platform::registreDeTest() = nullptr;
  platform::seams() = {};
}

std::unique_ptr<TForm1> FenetreFiabilite::Demarrer() {
  auto fenetre = std::make_unique<TForm1>();
  fenetre->show();
  return fenetre;
}

std::vector<std::string> FenetreFiabilite::Erreurs() const {
  std::vector<std::string> erreurs;
  for (const platform::Message& m : messages)
    if (m.style == platform::Style::Erreur) erreurs.push_back(m.texte.toStdString());
  return erreurs;
}
