#include "Scenarios.h"

#include <cstdint>
#include <sstream>
#include <string>
#include <type_traits>
#include <vector>

#include "Catalogue.h"
#include "HandlingWriter.h"
#include "Unit2.h"

namespace {

// ---- The catalogue as the main window drives it -------------------------------------------

template <class Carte>
void Copier(Catalogue& catalogue, const Carte& source, Carte& cible) {
  using Record = std::remove_pointer_t<typename Carte::mapped_type>;
  for (const auto& [cle, record] : source) {
    Record* copie = catalogue.template creer<Record>();
    *copie = *record;
    cible.emplace(cle, copie);
  }
}

// Start-up: the stock text gives every record its default; the flag stays set until a file is
// opened. The text is read once; each catalogue starts as a copy of that one, which under the
// fuzzer's comparison tracing costs a fraction of reading the text again.
void Demarrer(Catalogue& catalogue) {
  static const Catalogue& stock = []() -> const Catalogue& {
    static Catalogue lu;
    LectureDefauts = true;
    ReadHandlingText(lu, DefaultHandlingText());
    return lu;
  }();
  Copier(catalogue, stock.Voitures, catalogue.Voitures);
  Copier(catalogue, stock.Motos, catalogue.Motos);
  Copier(catalogue, stock.Avions, catalogue.Avions);
  Copier(catalogue, stock.Bateaux, catalogue.Bateaux);
  Copier(catalogue, stock.AnimGroups, catalogue.AnimGroups);
  LectureDefauts = true;
}

// Opening a file, in the window's order: car records back, flag cleared, read, attach.
void Ouvrir(Catalogue& catalogue, std::string_view octets) {
  if (!LectureDefauts) ReturnCarRecords(catalogue);
  LectureDefauts = false;
  std::istringstream flux{std::string(octets)};
  ReadHandlingText(catalogue, flux);
  AttachCarRecords(catalogue);
}

// Showing a vehicle pads both members of its flag texts to eight digits before the flag boxes
// read them.
void Montrer(CAISSE* voiture) {
  if (!voiture) return;
  for (bivar<std::string>* flags : {&voiture->mFlags, &voiture->hFlags}) {
    NormaliserFlags(flags->valeur);
    NormaliserFlags(flags->origine);
  }
}

// Every car record, plain cars first, then those of bikes, flying vehicles and boats.
std::vector<CAISSE*> Voitures(Catalogue& c) {
  std::vector<CAISSE*> voitures;
  for (const auto& [nom, v] : c.Voitures) voitures.push_back(v);
  for (const auto& [nom, r] : c.Motos) voitures.push_back(r->voiture);
  for (const auto& [nom, r] : c.Avions) voitures.push_back(r->voiture);
  for (const auto& [nom, r] : c.Bateaux) voitures.push_back(r->voiture);
  std::erase(voitures, nullptr);
  return voitures;
}

// The value a flag box reads from one character of a flags text: any byte gives a number.
int ValeurChiffre(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const unsigned char octet = static_cast<unsigned char>(c);
  const int minuscule = (octet >= 'A' && octet <= 'Z') ? octet - 'A' + 'a' : octet;
  return minuscule - 87;
}

// A tick rewrites the digit: the bit set or cleared, written back as a lower-case digit.
char Cocher(char chiffre, int bit, bool coche) {
  int v = ValeurChiffre(chiffre);
  v = coche ? (v | bit) : (v & ~bit);
  return static_cast<char>(v < 10 ? 48 + v : 87 + v);
}

// ---- Comparing catalogues ----------------------------------------------------------------

// Printable, short: enough to find the place in a failing input.
std::string Montrable(std::string_view texte) {
  std::string sortie;
  for (const char c : texte.substr(0, 120)) {
    const unsigned char o = static_cast<unsigned char>(c);
    if (o >= 0x20 && o < 0x7f) {
      sortie += c;
    } else {
      static const char chiffres[] = "0123456789abcdef";
      sortie += "\\x";
      sortie += chiffres[o >> 4];
      sortie += chiffres[o & 15];
    }
  }
  if (texte.size() > 120) sortie += "...(" + std::to_string(texte.size()) + " bytes)";
  return sortie;
}
std::string Montrable(std::int32_t n) {
  return std::to_string(n);
}

struct EntierNomme {
  const char* nom;
  const bivar<std::int32_t>* champ;
};
EntierNomme Entier(const CAISSE& r) {
  return {"m_nAnimGroup", &r.m_nAnimGroup};
}
EntierNomme Entier(const ANIMGROUP& r) {
  return {"SpecialFlag", &r.SpecialFlag};
}
EntierNomme Entier(const MorvaneStruct&) {
  return {nullptr, nullptr};
}

template <class Valeur>
std::string Ecart(const char* champ, const char* membre, const Valeur& a, const Valeur& b) {
  return std::string(champ) + " (" + membre + "): " + Montrable(a) + " / " + Montrable(b);
}

// The first field whose current value (and default, with `origines`) differs, or "".
template <class Record>
std::string ComparerRecords(const Record& a, const Record& b, bool origines) {
  const auto ta = a.textes(), tb = b.textes();
  for (std::size_t i = 0; i < ta.size(); ++i) {
    if (ta[i]->valeur != tb[i]->valeur)
      return Ecart(Record::nomsTextes[i], "current", ta[i]->valeur, tb[i]->valeur);
    if (origines && ta[i]->origine != tb[i]->origine)
      return Ecart(Record::nomsTextes[i], "default", ta[i]->origine, tb[i]->origine);
  }
  const EntierNomme ea = Entier(a), eb = Entier(b);
  if (!ea.champ) return {};
  if (ea.champ->valeur != eb.champ->valeur)
    return Ecart(ea.nom, "current", ea.champ->valeur, eb.champ->valeur);
  if (origines && ea.champ->origine != eb.champ->origine)
    return Ecart(ea.nom, "default", ea.champ->origine, eb.champ->origine);
  return {};
}

// Same keys in the same order, same values; a special record's car record too.
template <class Carte>
std::string ComparerCartes(const char* genre, const Carte& a, const Carte& b, bool origines) {
  auto ia = a.begin(), ib = b.begin();
  for (; ia != a.end() && ib != b.end(); ++ia, ++ib) {
    const std::string ici = std::string(genre) + " " + Montrable(ia->first);
    if (ia->first != ib->first) return ici + " / " + Montrable(ib->first) + ": other entries";
    if (std::string d = ComparerRecords(*ia->second, *ib->second, origines); !d.empty())
      return ici + ", " + d;
    if constexpr (requires { ia->second->voiture; }) {
      const CAISSE* va = ia->second->voiture;
      const CAISSE* vb = ib->second->voiture;
      if (!va || !vb) {
        if (va != vb) return ici + ": a car record on one side only";
      } else if (std::string d = ComparerRecords(*va, *vb, origines); !d.empty()) {
        return ici + ", car record, " + d;
      }
    }
  }
  if (ia != a.end() || ib != b.end())
    return std::string(genre) + ": " + std::to_string(a.size()) + " entries / " +
           std::to_string(b.size());
  return {};
}

std::string Comparer(const Catalogue& a, const Catalogue& b, bool origines) {
  for (std::string d : {ComparerCartes("car", a.Voitures, b.Voitures, origines),
                        ComparerCartes("bike", a.Motos, b.Motos, origines),
                        ComparerCartes("flying", a.Avions, b.Avions, origines),
                        ComparerCartes("boat", a.Bateaux, b.Bateaux, origines),
                        ComparerCartes("anim group", a.AnimGroups, b.AnimGroups, origines)})
    if (!d.empty()) return "\n  " + d;
  return {};
}

// ---- Saving ---------------------------------------------------------------------------------

bool Ecrivable(const std::string& valeur) {
  return !valeur.empty() && valeur.find_first_of(" \t\n\r\v\f") == std::string::npos;
}

// The reader skips longer lines, as the game does.
constexpr std::size_t LongueurMaxLigne = 11999;

// Length of the line the writer gives a record: its first tokens (kind character and name, or
// the name alone), one blank, the values with one blank between them; an anim group line has
// one blank more, before its first value.
template <class Record>
std::size_t LongueurLigne(std::size_t debut, const Record& r) {
  std::size_t n = debut + 1;
  for (const bivar<std::string>* champ : r.textes()) n += champ->valeur.size() + 1;
  if (const EntierNomme e = Entier(r); e.champ) n += std::to_string(e.champ->valeur).size() + 1;
  return std::is_same_v<Record, ANIMGROUP> ? n : n - 1;
}

struct ChampTrouve {
  bivar<std::string>* champ = nullptr;
  std::size_t longueurLigne = 0;
};

template <class Record>
ChampTrouve Champ(Record* r, std::size_t debut, const std::string& nom) {
  if (!r) return {};
  const auto textes = r->textes();
  for (std::size_t i = 0; i < textes.size(); ++i)
    if (nom == Record::nomsTextes[i]) return {textes[i], LongueurLigne(debut, *r)};
  return {};
}

template <class Carte>
auto* Chercher(Carte& carte, const typename Carte::key_type& cle) {
  const auto it = carte.find(cle);
  return it == carte.end() ? nullptr : it->second;
}

// The field a refusal names, and the length of its line, found without the writer's help.
ChampTrouve Trouver(Catalogue& c, const ChampFautif& f) {
  const std::string& nom = f.enregistrement;
  if (nom.starts_with("^ ")) {
    std::int32_t numero = 0;
    try {
      numero = std::stoi(nom.substr(2));
    } catch (const std::exception&) {
      return {};
    }
    return Champ(Chercher(c.AnimGroups, numero), nom.size(), f.champ);
  }
  // A car-line field of a special vehicle lives in its car record.
  CAISSE* voiture = Chercher(c.Voitures, nom);
  if (MOTO* m = Chercher(c.Motos, nom); !voiture && m) voiture = m->voiture;
  if (AVION* a = Chercher(c.Avions, nom); !voiture && a) voiture = a->voiture;
  if (BATEAU* b = Chercher(c.Bateaux, nom); !voiture && b) voiture = b->voiture;
  for (const ChampTrouve t :
       {Champ(voiture, nom.size(), f.champ), Champ(Chercher(c.Motos, nom), nom.size() + 2, f.champ),
        Champ(Chercher(c.Avions, nom), nom.size() + 2, f.champ),
        Champ(Chercher(c.Bateaux, nom), nom.size() + 2, f.champ)})
    if (t.champ) return t;
  return {};
}

// A save as the user lives it. The writer refuses values it cannot write (empty, holding
// whitespace, or making a line longer than the reader takes) and names each one; every name
// must be right. The user types "0" into each and saves again until the save goes through. The
// saved text must read back, after the stock text, to the same current values and be written
// again unchanged. With `lus`, the values come from reading files only: each is a token, so
// only a line too long may be refused.
std::string Enregistrer(Catalogue& c, bool lus) {
  for (int essai = 0; essai < 8; ++essai) {
    const auto fautifs = VerifierValeurs(c);
    if (fautifs.empty()) break;
    std::vector<bivar<std::string>*> aCorriger;
    for (const ChampFautif& f : fautifs) {
      const std::string ici = Montrable(f.enregistrement) + " " + f.champ;
      const ChampTrouve t = Trouver(c, f);
      if (!t.champ) return "a refused value names no field: " + ici;
      const bool ecrivable = Ecrivable(t.champ->valeur);
      if (lus && !ecrivable) return "a value read from a file cannot be written: " + ici;
      if (ecrivable && t.longueurLigne <= LongueurMaxLigne)
        return "a writable value on a line of " + std::to_string(t.longueurLigne) +
               " characters was refused: " + ici;
      aCorriger.push_back(t.champ);
    }
    for (bivar<std::string>* champ : aCorriger) champ->valeur = "0";
  }
  if (const auto restants = VerifierValeurs(c); !restants.empty())
    return "values still refused after every reported one was corrected: " +
           Montrable(restants.front().enregistrement) + " " + restants.front().champ;

  const std::string texte = TexteHandling(c);
  Catalogue relu;
  Demarrer(relu);
  Ouvrir(relu, texte);
  if (const std::string d = Comparer(c, relu, false); !d.empty())
    return "the saved file reads back to other values (saved / read back):" + d;
  if (TexteHandling(relu) != texte) return "the saved file, read back and saved again, changed";
  return {};
}

// ---- The edit program -----------------------------------------------------------------------

// Bytes read in order; past the end every byte is 0 and every chunk empty.
class Programme {
 public:
  explicit Programme(std::string_view octets) : reste_(octets) {}
  bool fini() const { return reste_.empty(); }
  unsigned octet() {
    if (reste_.empty()) return 0;
    const unsigned o = static_cast<unsigned char>(reste_.front());
    reste_.remove_prefix(1);
    return o;
  }
  unsigned mot() {
    const unsigned fort = octet();
    return fort << 8 | octet();
  }
  // Two bytes of length (big-endian), then that many bytes, or what is left.
  std::string_view morceau() {
    const std::size_t taille = std::min<std::size_t>(mot(), reste_.size());
    const std::string_view m = reste_.substr(0, taille);
    reste_.remove_prefix(taille);
    return m;
  }
  template <class Liste>
  auto choisir(const Liste& liste) -> decltype(&*liste.begin()) {
    if (liste.empty()) return nullptr;
    auto it = liste.begin();
    std::advance(it, mot() % liste.size());
    return &*it;
  }

 private:
  std::string_view reste_;
};

template <class Carte>
auto* Entree(Carte& carte, Programme& p) {
  const auto* entree = p.choisir(carte);
  return entree ? entree->second : nullptr;
}

// Any record: 0 a car record (of any kind of vehicle), 1 bike, 2 flying, 3 boat, 4 anim group.
MorvaneStruct* ChoisirRecord(Catalogue& c, Programme& p) {
  switch (p.octet() % 5) {
    case 0: {
      const auto voitures = Voitures(c);
      CAISSE* const* v = p.choisir(voitures);
      return v ? *v : nullptr;
    }
    case 1:
      return Entree(c.Motos, p);
    case 2:
      return Entree(c.Avions, p);
    case 3:
      return Entree(c.Bateaux, p);
    default:
      return Entree(c.AnimGroups, p);
  }
}

bivar<std::string>* ChoisirChamp(MorvaneStruct* r, Programme& p) {
  const unsigned n = p.octet();
  auto pris = [n](auto* record) { return record->textes()[n % record->textes().size()]; };
  if (auto* v = dynamic_cast<CAISSE*>(r)) return pris(v);
  if (auto* m = dynamic_cast<MOTO*>(r)) return pris(m);
  if (auto* a = dynamic_cast<AVION*>(r)) return pris(a);
  if (auto* b = dynamic_cast<BATEAU*>(r)) return pris(b);
  if (auto* g = dynamic_cast<ANIMGROUP*>(r)) return pris(g);
  return nullptr;
}

CAISSE* ChoisirVoiture(Catalogue& c, Programme& p) {
  const auto voitures = Voitures(c);
  CAISSE* const* v = p.choisir(voitures);
  return v ? *v : nullptr;
}

}  // namespace

std::string ScenarioOuverture(std::string_view octets) {
  Catalogue lu;
  Demarrer(lu);
  Ouvrir(lu, octets);
  {
    Catalogue deuxFois;
    Demarrer(deuxFois);
    Ouvrir(deuxFois, octets);
    Ouvrir(deuxFois, octets);
    if (const std::string d = Comparer(lu, deuxFois, true); !d.empty())
      return "a second open of the same file changed the catalogue (once / twice):" + d;
  }

  // The writer gives a special vehicle without its car record no car line.
  auto sansVoiture = [](const auto& carte) {
    for (const auto& [nom, r] : carte)
      if (!r->voiture) return Montrable(nom);
    return std::string();
  };
  for (const std::string& nom :
       {sansVoiture(lu.Motos), sansVoiture(lu.Avions), sansVoiture(lu.Bateaux)})
    if (!nom.empty()) return "a special vehicle has no car record: " + nom;

  // The browser shows a vehicle of each kind: the first and the last of each list.
  if (!lu.Voitures.empty()) {
    Montrer(lu.Voitures.begin()->second);
    Montrer(lu.Voitures.rbegin()->second);
  }
  auto montrerSpeciaux = [](const auto& carte) {
    if (carte.empty()) return;
    Montrer(carte.begin()->second->voiture);
    Montrer(carte.rbegin()->second->voiture);
  };
  montrerSpeciaux(lu.Motos);
  montrerSpeciaux(lu.Avions);
  montrerSpeciaux(lu.Bateaux);

  return Enregistrer(lu, true);
}

// Program: a chunk opened as the first file; then, until the bytes run out, one operation byte
// (taken modulo 9) and its arguments:
//   0 set a text value      record, field, chunk (the value as typed, any bytes)
//   1 tick a flag bit       car record, word (mFlags/hFlags), digit, bit, ticked
//   2 tick a SpecialFlag    anim group, bit, ticked
//   3 pick an anim group    car record, item (0 to 29)
//   4 Ctrl+Z in a field     record, field
//   5 reset one record      record
//   6 reset all
//   7 open a file           chunk
//   8 save                  (the first two in a program; later ones are skipped, as each costs
//                             a whole round trip and adds little)
// then a final save. A record is a kind byte and a two-byte index; a chunk is a two-byte length
// and its bytes.
std::string ScenarioEditions(std::string_view octets) {
  Programme p(octets);
  Catalogue c;
  Demarrer(c);
  Ouvrir(c, p.morceau());
  int sauvegardes = 0;
  while (!p.fini()) {
    switch (p.octet() % 9) {
      case 0: {
        MorvaneStruct* r = ChoisirRecord(c, p);
        bivar<std::string>* champ = ChoisirChamp(r, p);
        const std::string_view valeur = p.morceau();
        if (champ) champ->valeur.assign(valeur);
        break;
      }
      case 1: {
        CAISSE* v = ChoisirVoiture(c, p);
        const bool handling = p.octet() & 1;
        const unsigned chiffre = p.octet() % 8 + 1;
        const int bit = 1 << (p.octet() % 4);
        const bool coche = p.octet() & 1;
        if (!v) break;
        Montrer(v);
        std::string& flags = (handling ? v->hFlags : v->mFlags).valeur;
        char& c8 = flags.at(8 - chiffre);
        c8 = Cocher(c8, bit, coche);
        break;
      }
      case 2: {
        ANIMGROUP* g = Entree(c.AnimGroups, p);
        const std::int32_t bit = 1 << (p.octet() % 7);
        const bool coche = p.octet() & 1;
        if (!g) break;
        if (coche)
          g->SpecialFlag.valeur |= bit;
        else
          g->SpecialFlag.valeur &= ~bit;
        break;
      }
      case 3: {
        CAISSE* v = ChoisirVoiture(c, p);
        const std::int32_t groupe = static_cast<std::int32_t>(p.octet() % 30);
        if (v) v->m_nAnimGroup.valeur = groupe;
        break;
      }
      case 4: {
        MorvaneStruct* r = ChoisirRecord(c, p);
        if (bivar<std::string>* champ = ChoisirChamp(r, p)) champ->valeur = champ->origine;
        break;
      }
      case 5:
        if (MorvaneStruct* r = ChoisirRecord(c, p)) r->reset();
        break;
      case 6:
        ResetAllRecords(c);
        break;
      case 7:
        Ouvrir(c, p.morceau());
        break;
      default:
        if (++sauvegardes > 2) break;
        if (std::string erreur = Enregistrer(c, false); !erreur.empty()) return erreur;
        break;
    }
  }
  return Enregistrer(c, false);
}
