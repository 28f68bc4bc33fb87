#include "LecteurReference.h"

#include <sstream>
#include <string>

#include "Champs.h"

namespace {

template <class Record>
void LireValeurs(std::istringstream& jetons, Record& r) {
  std::string jeton;
  for (bivar<std::string>* champ : r.textes())
    if (jetons >> jeton) champ->valeur = jeton;
  if (bivar<std::int32_t>* entier = EntierDe(r)) {
    std::int32_t n = 0;
    if (jetons >> n) entier->valeur = n;
  }
}

template <class Record, class Carte>
void Classer(Catalogue& catalogue, Carte& carte, const typename Carte::key_type& cle,
             std::istringstream& jetons) {
  if (const auto it = carte.find(cle); it != carte.end()) {
    LireValeurs(jetons, *it->second);
    return;
  }
  Record nouveau;
  LireValeurs(jetons, nouveau);
  if (jetons.fail()) return;
  AdopterValeurs(nouveau);
  Record* record = catalogue.creer<Record>();
  *record = nouveau;
  carte.emplace(cle, record);
}

}  // namespace

void LireReference(Catalogue& catalogue, std::istream& in) {
  std::string ligne;
  while (std::getline(in, ligne)) {
    if (!ligne.empty() && ligne.back() == '\r') ligne.pop_back();
    if (ligne.empty() || ligne.size() > 11999) continue;
    std::istringstream jetons(ligne);
    std::string sorte, nom;
    switch (ligne.front()) {
      case ';':
      case '#':
        break;
      case '!':
        if (jetons >> sorte >> nom) Classer<MOTO>(catalogue, catalogue.Motos, nom, jetons);
        break;
      case '$':
        if (jetons >> sorte >> nom) Classer<AVION>(catalogue, catalogue.Avions, nom, jetons);
        break;
      case '%':
        if (jetons >> sorte >> nom) Classer<BATEAU>(catalogue, catalogue.Bateaux, nom, jetons);
        break;
      case '^': {
        std::int32_t numero = 0;
        if (jetons >> sorte >> numero)
          Classer<ANIMGROUP>(catalogue, catalogue.AnimGroups, numero, jetons);
        break;
      }
      default:
        if (jetons >> nom) Classer<CAISSE>(catalogue, catalogue.Voitures, nom, jetons);
        break;
    }
  }
}
