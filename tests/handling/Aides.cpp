#include "Aides.h"

#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

std::string Fixture(std::string_view nom) {
  const std::string chemin = std::string(QUINTREL_HANDLING_FIXTURES) + "/" + std::string(nom);
  std::ifstream entree(chemin, std::ios::binary);
  if (!entree) throw std::runtime_error("fixture absente : " + chemin);
  std::ostringstream texte;
  texte << entree.rdbuf();
  return texte.str();
}

void LireDefauts(Catalogue& catalogue, std::string_view texte) {
  DrapeauDefauts drapeau(true);
  ReadHandlingText(catalogue, texte);
}

void Ouvrir(Catalogue& catalogue, std::string_view texte) {
  ReturnCarRecords(catalogue);
  LectureDefauts = false;
  std::istringstream entree{std::string(texte)};
  ReadHandlingText(catalogue, entree);
  AttachCarRecords(catalogue);
}

std::string Suite(std::string_view prefixe, int n) {
  std::string suite;
  for (int i = 0; i < n; ++i) {
    if (i > 0) suite += ' ';
    suite += std::string(prefixe) + std::to_string(i);
  }
  return suite;
}

std::string LigneVoiture(std::string_view nom, std::string_view prefixe, int groupe) {
  return std::string(nom) + " " + Suite(prefixe, CAISSE::NbTextes) + " " + std::to_string(groupe);
}

std::string LigneSpeciale(char genre, std::string_view nom, std::string_view prefixe) {
  const int n = genre == '!' ? MOTO::NbTextes : genre == '$' ? AVION::NbTextes : BATEAU::NbTextes;
  return std::string(1, genre) + " " + std::string(nom) + " " + Suite(prefixe, n);
}

std::string LigneGroupe(int numero, std::string_view prefixe, int drapeau) {
  return "^ " + std::to_string(numero) + " " + Suite(prefixe, ANIMGROUP::NbTextes) + " " +
         std::to_string(drapeau);
}

namespace {

template <class Record>
void DecrireChamps(std::ostream& sortie, const Record& r) {
  for (const bivar<std::string>* champ : r.textes())
    sortie << ' ' << champ->origine << '|' << champ->valeur;
  if constexpr (requires { r.m_nAnimGroup; })
    sortie << ' ' << r.m_nAnimGroup.origine << '|' << r.m_nAnimGroup.valeur;
  if constexpr (requires { r.SpecialFlag; })
    sortie << ' ' << r.SpecialFlag.origine << '|' << r.SpecialFlag.valeur;
}

template <class Carte>
void DecrireSpeciaux(std::ostream& sortie, char genre, const Carte& carte) {
  for (const auto& [nom, record] : carte) {
    sortie << genre << ' ' << nom << ':';
    DecrireChamps(sortie, *record);
    sortie << "\n  voiture:";
    if (record->voiture)
      DecrireChamps(sortie, *record->voiture);
    else
      sortie << " aucune";
    sortie << '\n';
  }
}

}  // namespace

std::string Decrire(const Catalogue& catalogue) {
  std::ostringstream sortie;
  for (const auto& [nom, voiture] : catalogue.Voitures) {
    sortie << "V " << nom << ':';
    DecrireChamps(sortie, *voiture);
    sortie << '\n';
  }
  DecrireSpeciaux(sortie, '!', catalogue.Motos);
  DecrireSpeciaux(sortie, '$', catalogue.Avions);
  DecrireSpeciaux(sortie, '%', catalogue.Bateaux);
  for (const auto& [numero, groupe] : catalogue.AnimGroups) {
    sortie << "^ " << numero << ':';
    DecrireChamps(sortie, *groupe);
    sortie << '\n';
  }
  return sortie.str();
}

