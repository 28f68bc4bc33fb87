#include "Entrees.h"

#include <cstdio>
#include <vector>

#include "Unit2.h"

namespace {

// Lines of a text without their LF (and without a CR before it).
std::vector<std::string_view> Lignes(std::string_view texte) {
  std::vector<std::string_view> lignes;
  while (!texte.empty()) {
    const std::size_t lf = texte.find('\n');
    std::string_view ligne = texte.substr(0, lf);
    if (!ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    lignes.push_back(ligne);
    if (lf == std::string_view::npos) break;
    texte.remove_prefix(lf + 1);
  }
  return lignes;
}

bool EstDonnee(std::string_view ligne) {
  return !ligne.empty() && ligne.front() != ';' && ligne.front() != '#';
}

bool EstSpeciale(std::string_view ligne) {
  return ligne.front() == '!' || ligne.front() == '$' || ligne.front() == '%';
}

std::string_view PremierJeton(std::string_view ligne) {
  const std::size_t debut = ligne.find_first_not_of(" \t");
  if (debut == std::string_view::npos) return {};
  const std::size_t fin = ligne.find_first_of(" \t", debut);
  return ligne.substr(debut, fin == std::string_view::npos ? fin : fin - debut);
}

// After the kind character: the name, then the rest of the line.
std::string_view NomSpeciale(std::string_view ligne) {
  return PremierJeton(ligne.substr(1));
}

// The line with its name `ancien` replaced by `nouveau` (the first occurrence after the kind).
std::string Renommer(std::string_view ligne, std::string_view ancien, const std::string& nouveau) {
  const std::size_t pos = ligne.find(ancien);
  std::string resultat(ligne.substr(0, pos));
  resultat += nouveau;
  resultat += ligne.substr(pos + ancien.size());
  return resultat;
}

void AjouterLigne(std::string& texte, std::string_view ligne) {
  texte += ligne;
  texte += "\r\n";
}

struct VehiculeStock {
  std::string_view nom;
  std::string_view voiture;
  std::vector<std::string_view> speciales;
};

std::vector<VehiculeStock> VehiculesDuStock() {
  std::vector<VehiculeStock> vehicules;
  const auto lignes = Lignes(DefaultHandlingText());
  for (std::string_view ligne : lignes)
    if (EstDonnee(ligne) && !EstSpeciale(ligne) && ligne.front() != '^')
      vehicules.push_back({PremierJeton(ligne), ligne, {}});
  for (std::string_view ligne : lignes) {
    if (!EstDonnee(ligne) || !EstSpeciale(ligne)) continue;
    for (VehiculeStock& v : vehicules)
      if (v.nom == NomSpeciale(ligne)) v.speciales.push_back(ligne);
  }
  return vehicules;
}

}  // namespace

std::string FichierStock() {
  std::string texte;
  for (std::string_view ligne : Lignes(DefaultHandlingText())) AjouterLigne(texte, ligne);
  return texte;
}

std::string StockRepete(std::size_t octets) {
  std::string donnees;
  for (std::string_view ligne : Lignes(DefaultHandlingText()))
    if (EstDonnee(ligne)) AjouterLigne(donnees, ligne);
  std::string texte;
  texte.reserve(octets + donnees.size());
  while (texte.size() < octets) texte += donnees;
  return texte;
}

std::string VehiculesAjoutes(std::size_t nombre) {
  const auto stock = VehiculesDuStock();
  std::string voitures, speciales;
  for (std::size_t i = 0; i < nombre; ++i) {
    const VehiculeStock& modele = stock[i % stock.size()];
    // Up to six letters of the model, then a number: distinct, and sorted apart from the stock.
    char suffixe[32];
    std::snprintf(suffixe, sizeof suffixe, "_%05zu", i);
    const std::string nom = std::string(modele.nom.substr(0, 6)) + suffixe;
    AjouterLigne(voitures, Renommer(modele.voiture, modele.nom, nom));
    for (std::string_view ligne : modele.speciales)
      AjouterLigne(speciales, Renommer(ligne, modele.nom, nom));
  }
  return voitures + speciales;
}

std::string FichierAgrandi(int facteur) {
  return FichierStock() +
         VehiculesAjoutes(static_cast<std::size_t>(facteur - 1) * VehiculesStock());
}

std::size_t VehiculesStock() {
  static const std::size_t nombre = VehiculesDuStock().size();
  return nombre;
}
