#include <cstring>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "Catalogue.h"
#include "CatalogueStock.h"
#include "Champs.h"
#include "Jetons.h"

namespace {

struct Lecture {
  Catalogue& catalogue;
  // Names of the special records added, kept by the catalogue for AttachCarRecords.
  std::vector<std::string>& motosAjoutees;
  std::vector<std::string>& avionsAjoutes;
  std::vector<std::string>& bateauxAjoutes;
  // Every record this read added for a name or number the catalogue lacked.
  std::tuple<std::vector<CAISSE*>, std::vector<MOTO*>, std::vector<AVION*>, std::vector<BATEAU*>,
             std::vector<ANIMGROUP*>>
      ajoutes;

  template <class R, class Cle>
  void noterAjout(R* record, const Cle& cle) {
    std::get<std::vector<R*>>(ajoutes).push_back(record);
    if constexpr (std::is_same_v<R, MOTO>) motosAjoutees.push_back(cle);
    if constexpr (std::is_same_v<R, AVION>) avionsAjoutes.push_back(cle);
    if constexpr (std::is_same_v<R, BATEAU>) bateauxAjoutes.push_back(cle);
  }
};

// A car line starts with the vehicle's name, so the writer can only give a new vehicle a name
// whose first character does not make the line a comment or another kind of line; the car line
// of " ;NAME ..." (read as a car line thanks to its leading blank) would come back as a comment.
bool NomEnDebutDeLigne(const std::string& nom) {
  return std::string_view(";#!$%^").find(nom.front()) == std::string_view::npos;
}

template <class R, class Carte>
void Classer(Lecture& lecture, Carte& carte, const typename Carte::key_type& cle, Jetons& jetons) {
  if (LectureDefauts) {
    // A repeated name replaces the earlier record in the map; the catalogue still owns it.
    R* record = lecture.catalogue.template creer<R>();
    ExtraireRecord(jetons, *record);
    carte[cle] = record;
    return;
  }
  // One search serves both the update and, for a name the catalogue lacks, the insertion.
  const auto it = carte.lower_bound(cle);
  if (it != carte.end() && !carte.key_comp()(cle, it->first)) {
    ExtraireRecord(jetons, *it->second);
    return;
  }
  // A vehicle or anim group the catalogue lacks is kept, but only from a complete line: a short
  // or broken one would leave empty values behind.
  if constexpr (std::is_same_v<typename Carte::key_type, std::string>) {
    if (!NomEnDebutDeLigne(cle)) return;
  }
  // Read straight into a new record rather than into a copy; a short line gives it back at
  // once (the record just created is the cheapest one to release).
  R* record = lecture.catalogue.template creer<R>();
  ExtraireRecord(jetons, *record);
  if (jetons.echec()) {
    lecture.catalogue.liberer(record);
    return;
  }
  carte.emplace_hint(it, cle, record);
  lecture.noterAjout(record, cle);
}

// "!", "$" and "%" lines: the kind character, the vehicle name, then the values.
template <class R, class Carte>
void LireSpeciale(Lecture& lecture, Carte& carte, std::string_view ligne) {
  Jetons jetons(ligne);
  std::string_view jeton;
  jetons.texte(jeton);
  if (!jetons.texte(jeton)) return;
  Classer<R>(lecture, carte, std::string(jeton), jetons);
}

void LireAnimGroup(Lecture& lecture, std::string_view ligne) {
  Jetons jetons(ligne);
  std::string_view jeton;
  jetons.texte(jeton);
  // The whole token must be the number: "7x" names no anim group.
  std::int32_t numero = 0;
  if (!jetons.texte(jeton) || LireEntier(jeton, numero) != jeton.size()) return;
  Classer<ANIMGROUP>(lecture, lecture.catalogue.AnimGroups, numero, jetons);
}

void LireVoiture(Lecture& lecture, std::string_view ligne) {
  Jetons jetons(ligne);
  std::string_view nom;
  if (!jetons.texte(nom)) return;
  Classer<CAISSE>(lecture, lecture.catalogue.Voitures, std::string(nom), jetons);
}

void LireLigne(Lecture& lecture, std::string_view ligne) {
  Catalogue& catalogue = lecture.catalogue;
  // The first character decides the kind; leading whitespace is not skipped for this.
  switch (ligne.front()) {
    case ';':
    case '#':
      return;
    case '!':
      return LireSpeciale<MOTO>(lecture, catalogue.Motos, ligne);
    case '$':
      return LireSpeciale<AVION>(lecture, catalogue.Avions, ligne);
    case '%':
      return LireSpeciale<BATEAU>(lecture, catalogue.Bateaux, ligne);
    case '^':
      return LireAnimGroup(lecture, ligne);
    default:
      return LireVoiture(lecture, ligne);
  }
}

}  // namespace

void ReadHandlingText(Catalogue& catalogue, std::string_view texte) {
  Catalogue::Stock& stock = *catalogue.stock_;
  Lecture lecture{catalogue, stock.motosAjoutees, stock.avionsAjoutes, stock.bateauxAjoutes, {}};
  const char* debut = texte.data();
  const char* const fin = debut + texte.size();
  while (debut < fin) {
    const auto* lf = static_cast<const char*>(std::memchr(debut, '\n', fin - debut));
    const char* finLigne = lf ? lf : fin;
    std::string_view ligne(debut, static_cast<std::size_t>(finLigne - debut));
    // Files are read in binary mode: CR LF line ends read like LF ones.
    if (lf && !ligne.empty() && ligne.back() == '\r') ligne.remove_suffix(1);
    debut = lf ? lf + 1 : fin;
    if (ligne.empty() || ligne.size() > LongueurMaxLigne) continue;
    LireLigne(lecture, ligne);
  }
  // An added vehicle's values are its only reference: its fields start unchanged.
  const auto adopter = [](const auto& liste) {
    for (auto* record : liste) AdopterValeurs(*record);
  };
  std::apply([&](const auto&... listes) { (adopter(listes), ...); }, lecture.ajoutes);
}

void ReadHandlingText(Catalogue& catalogue, std::istream& in) {
  // A string stream holds the text already: read it where it is rather than copy it out, and
  // leave the stream as the copy would (at its end, eofbit and failbit set).
  if (auto* tampon = dynamic_cast<std::stringbuf*>(in.rdbuf()); tampon && in) {
    const std::streampos position = in.tellg();
    if (position != std::streampos(-1)) {
      ReadHandlingText(catalogue, tampon->view().substr(static_cast<std::size_t>(position)));
      in.seekg(0, std::ios::end);
      in.setstate(std::ios::eofbit | std::ios::failbit);
      return;
    }
  }
  std::string texte;
  constexpr std::size_t bloc = std::size_t{1} << 16;
  while (in) {
    const std::size_t taille = texte.size();
    texte.resize(taille + bloc);
    in.read(texte.data() + taille, static_cast<std::streamsize>(bloc));
    texte.resize(taille + static_cast<std::size_t>(in.gcount()));
  }
  ReadHandlingText(catalogue, std::string_view(texte));
}
