#include "HandlingWriter.h"

#include <charconv>
#include <set>
#include <string_view>

#include "AtomicFile.h"
#include "Champs.h"
#include "Jetons.h"

namespace {

// Calls ligne(prefixe, cle, record) for every line the writer emits, in the file's order:
// plain cars, the car records of bikes, flying vehicles and boats, their own lines, anim groups.
template <class F>
void PourChaqueLigne(const Catalogue& catalogue, F&& ligne) {
  for (const auto& [nom, voiture] : catalogue.Voitures) ligne("", nom, *voiture);
  const auto voitureDe = [&](const auto& speciaux) {
    for (const auto& [nom, record] : speciaux)
      if (record->voiture) ligne("", nom, *record->voiture);
  };
  voitureDe(catalogue.Motos);
  voitureDe(catalogue.Avions);
  voitureDe(catalogue.Bateaux);
  for (const auto& [nom, moto] : catalogue.Motos) ligne("! ", nom, *moto);
  for (const auto& [nom, avion] : catalogue.Avions) ligne("$ ", nom, *avion);
  for (const auto& [nom, bateau] : catalogue.Bateaux) ligne("% ", nom, *bateau);
  for (const auto& [numero, groupe] : catalogue.AnimGroups) {
    char chiffres[16];
    const auto fin = std::to_chars(chiffres, chiffres + sizeof chiffres, numero).ptr;
    ligne("^ ", std::string_view(chiffres, static_cast<std::size_t>(fin - chiffres)), *groupe);
  }
}

bool ValeurEcrivable(const std::string& valeur) {
  if (valeur.empty()) return false;
  for (const char c : valeur)
    if (EstBlanc(c)) return false;
  return true;
}

}  // namespace

std::vector<ChampFautif> VerifierValeurs(const Catalogue& catalogue) {
  std::vector<ChampFautif> fautifs;
  // A car record shared by two special records is written twice but reported once.
  std::set<const CAISSE*> vues;
  PourChaqueLigne(catalogue, [&](std::string_view prefixe, std::string_view cle, const auto& r) {
    using Record = std::decay_t<decltype(r)>;
    if constexpr (std::is_same_v<Record, CAISSE>) {
      if (!vues.insert(&r).second) return;
    }
    std::string enregistrement(cle);
    if constexpr (std::is_same_v<Record, ANIMGROUP>) enregistrement.insert(0, prefixe);
    const auto textes = r.textes();
    for (std::size_t i = 0; i < textes.size(); ++i)
      if (!ValeurEcrivable(textes[i]->valeur))
        fautifs.push_back({enregistrement, Record::nomsTextes[i]});
    // A longer line would be skipped when read back (by the game too), losing the whole record:
    // its longest value is reported, the one to shorten.
    std::string ligne(prefixe);
    ligne.append(cle).push_back(' ');
    InsererRecord(ligne, r);
    if (ligne.size() > LongueurMaxLigne) {
      std::size_t plusLong = 0;
      for (std::size_t i = 1; i < textes.size(); ++i)
        if (textes[i]->valeur.size() > textes[plusLong]->valeur.size()) plusLong = i;
      fautifs.push_back({enregistrement, Record::nomsTextes[plusLong]});
    }
  });
  return fautifs;
}

namespace {

// The text of the file, and whether VerifierValeurs would find nothing to refuse: one walk over
// the records instead of two (the records are large and scattered, the walk costs more than the
// text).
std::string Texte(const Catalogue& catalogue, bool& ecrivable) {
  std::string texte;
  // Room for lines of the usual length (about 250 bytes for a car line) without a copy as the
  // text grows; memory reserved and never written costs next to nothing.
  const std::size_t lignes = catalogue.Voitures.size() + 2 * catalogue.Motos.size() +
                             2 * catalogue.Avions.size() + 2 * catalogue.Bateaux.size() +
                             catalogue.AnimGroups.size();
  texte.reserve(lignes * 512);
  ecrivable = true;
  PourChaqueLigne(catalogue, [&](std::string_view prefixe, std::string_view cle, const auto& r) {
    const std::size_t debut = texte.size();
    texte.append(prefixe);
    texte.append(cle);
    texte.push_back(' ');
    InsererRecord(texte, r);
    if (texte.size() - debut > LongueurMaxLigne) ecrivable = false;
    for (const bivar<std::string>* champ : r.textes())
      if (!ValeurEcrivable(champ->valeur)) ecrivable = false;
    texte.append("\r\n");
  });
  texte.push_back(';');
  return texte;
}

}  // namespace

std::string TexteHandling(const Catalogue& catalogue) {
  bool ecrivable = true;
  return Texte(catalogue, ecrivable);
}

void WriteHandlingText(const Catalogue& catalogue, std::ostream& out) {
  Ajouter(out, TexteHandling(catalogue));
}

ResultatEcriture WriteHandlingFile(const Catalogue& catalogue,
                                   const std::filesystem::path& chemin) {
  ResultatEcriture resultat;
  bool ecrivable = true;
  const std::string texte = Texte(catalogue, ecrivable);
  // Only a refused save needs the list of what to correct.
  if (!ecrivable) resultat.fautifs = VerifierValeurs(catalogue);
  if (!resultat.fautifs.empty()) {
    resultat.ok = false;
    resultat.raison = "valeurs vides, contenant des blancs ou trop longues";
    return resultat;
  }
  resultat.raison = RemplacerFichier(chemin, texte);
  resultat.ok = resultat.raison.empty();
  return resultat;
}
