#include <gtest/gtest.h>

#include <QListWidget>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Catalogues.h"
#include "Fenetre.h"
#include "HandlingWriter.h"

namespace fs = std::filesystem;

namespace {

// What the rows build their files from: the first plain car, the first bike and anim group 7 of
// the stock table, as the writer writes them (one blank between tokens).
struct Stock {
  std::string voiture, moto;
  std::string ligneVoiture, ligneMoto, ligneVoitureMoto, ligneGroupe;
  std::size_t entrees = 0;         // entries of the five maps once a file is open
  std::set<std::string> voitures;  // names of the plain cars
};

const Stock& LeStock() {
  static const Stock stock = [] {
    CatalogueOuvert ouvert("");
    const Catalogue& c = ouvert.catalogue;
    Stock s;
    s.voiture = c.Voitures.begin()->first;
    s.moto = c.Motos.begin()->first;
    const std::string texte = TexteHandling(c);
    s.ligneVoiture = LigneEcrite(texte, s.voiture);
    s.ligneMoto = LigneEcrite(texte, "! " + s.moto);
    s.ligneVoitureMoto = LigneEcrite(texte, s.moto);
    s.ligneGroupe = LigneEcrite(texte, "^ 7");
    for (const auto& [nom, v] : c.Voitures) s.voitures.insert(nom);
    s.entrees = c.Voitures.size() + c.Motos.size() + c.Avions.size() + c.Bateaux.size() +
                c.AnimGroups.size();
    return s;
  }();
  return stock;
}

std::vector<std::string> Jetons(const std::string& ligne) {
  std::istringstream flux(ligne);
  std::vector<std::string> jetons;
  for (std::string j; flux >> j;) jetons.push_back(j);
  return jetons;
}

std::string Joindre(const std::vector<std::string>& jetons) {
  std::string ligne;
  for (const std::string& j : jetons) ligne += (ligne.empty() ? "" : " ") + j;
  return ligne;
}

// Column numbers (token positions from 0) of every field of a line kind.
int Colonne(const std::string& ligne, const std::string& champ) {
  auto chercher = [&](const auto& noms, int premier, const char* entier) {
    for (std::size_t i = 0; i < noms.size(); ++i)
      if (champ == noms[i]) return premier + static_cast<int>(i);
    return champ == entier ? premier + static_cast<int>(noms.size()) : -1;
  };
  switch (ligne.front()) {
    case '!':
      return chercher(MOTO::nomsTextes, 2, "");
    case '^':
      return chercher(ANIMGROUP::nomsTextes, 2, "SpecialFlag");
    default:
      return chercher(CAISSE::nomsTextes, 1, "m_nAnimGroup");
  }
}

// A stock line with some values replaced; one blank between tokens.
std::string Avec(const std::string& ligne,
                 std::initializer_list<std::pair<const char*, std::string>> valeurs) {
  std::vector<std::string> jetons = Jetons(ligne);
  for (const auto& [champ, valeur] : valeurs) {
    const int colonne = Colonne(ligne, champ);
    EXPECT_GE(colonne, 0) << champ;
    if (colonne >= 0) jetons.at(static_cast<std::size_t>(colonne)) = valeur;
  }
  return Joindre(jetons);
}

std::string Voiture(std::initializer_list<std::pair<const char*, std::string>> valeurs = {}) {
  return Avec(LeStock().ligneVoiture, valeurs);
}
std::string Moto(std::initializer_list<std::pair<const char*, std::string>> valeurs = {}) {
  return Avec(LeStock().ligneMoto, valeurs);
}
std::string VoitureMoto(std::initializer_list<std::pair<const char*, std::string>> valeurs = {}) {
  return Avec(LeStock().ligneVoitureMoto, valeurs);
}
std::string Groupe(std::initializer_list<std::pair<const char*, std::string>> valeurs = {}) {
  return Avec(LeStock().ligneGroupe, valeurs);
}

// The car line with one value lengthened so that the line is exactly `longueur` characters.
std::string VoitureDeLongueur(std::size_t longueur) {
  const std::string ligne = Voiture();
  return Voiture(
      {{"m_fSuspensionBias", Jetons(ligne)[27] + std::string(longueur - ligne.size(), '5')}});
}

// Anim group 7's line, one blank between tokens, Enter2 lengthened to make it `longueur` long.
std::string GroupeDeLongueur(std::size_t longueur) {
  const std::string ligne = Groupe();
  return Groupe({{"Enter2", Jetons(ligne)[3] + std::string(longueur - ligne.size(), 'd')}});
}

std::string Utf16(const std::string& texte) {
  std::string sortie = "\xFF\xFE";
  for (const char c : texte) sortie += std::string{c, '\0'};
  return sortie;
}

std::string Bruit(std::size_t taille) {
  std::mt19937 alea(7);
  std::string octets;
  while (octets.size() < taille) octets += static_cast<char>(alea() & 0xFF);
  return octets;
}

// 100 MB: a changed car line, then comment lines, then a changed bike line.
std::string CentMegaOctets() {
  std::string texte = Voiture({{"fMass", "1.5"}}) + "\r\n";
  const std::string commentaire = "; " + std::string(96, '-') + "\r\n";
  texte.reserve(100'000'000 + 1000);
  while (texte.size() < 100'000'000) texte += commentaire;
  return texte + Moto({{"LeanFwdCOM", "0.9"}});
}

// Where a value is expected: the first car, the first bike, its car record, anim group 7, or a
// vehicle the file added to the cars map.
enum class Cible { Voiture, Moto, VoitureMoto, Groupe7, Ajoutee };

struct Attendu {
  Cible cible;
  std::string champ;
  std::string valeur;
  std::string nom = {};  // for Ajoutee
};

enum class Chemin { Fichier, Dossier, Absent };

struct EntreeInvalide {
  const char* nom;
  std::function<std::string()> octets;
  // What is read: these values; every other value of the stock records keeps its default.
  std::function<std::vector<Attendu>()> lus = [] { return std::vector<Attendu>(); };
  int ajoutes = 0;  // vehicles or anim groups the file adds
  // What the user sees: the error of the open (nullptr: none, the first car is shown), and that
  // of the save that follows (nullptr: saved, and the file reads back the same).
  const char* ouverture = nullptr;
  const char* enregistrement = nullptr;
  Chemin chemin = Chemin::Fichier;
};

void PrintTo(const EntreeInvalide& e, std::ostream* os) {
  *os << e.nom;
}

const char* const kIllisible = "Impossible d'ouvrir le fichier : {}";

// A message of the table with the file's path in place of {}.
std::string Message(const char* modele, const fs::path& fichier) {
  std::string texte = modele;
  if (const auto pos = texte.find("{}"); pos != std::string::npos)
    texte.replace(pos, 2, fichier.string());
  return texte;
}

const EntreeInvalide kEntrees[] = {
    {.nom = "EmptyFile", .octets = [] { return std::string(); }},
    {.nom = "OnlyLineEnds", .octets = [] { return std::string("\n\n\r\n\n"); }},
    {.nom = "WhitespaceOnlyLines", .octets = [] { return std::string(" \t \n\v\f\r\n  "); }},
    {.nom = "BinaryJunk", .octets = [] { return Bruit(4096); }},
    {.nom = "NulBytesOnly", .octets = [] { return std::string(1000, '\0'); }},
    {.nom = "NulInsideAValue",
     .octets =
         [] {
           return Voiture({{"fMass", std::string("15\0.5", 5)}});
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Voiture, "fMass", std::string("15\0.5", 5)}};
         }},
    {.nom = "CtrlZAtTheEnd",
     .octets =
         [] {
           return Voiture({{"fMass", "1.5"}}) + "\r\n\x1a";
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Voiture, "fMass", "1.5"}};
         }},
    {.nom = "Line11999Characters",
     .octets = [] { return VoitureDeLongueur(11999) + "\n"; },
     .lus =
         [] {
           return std::vector<Attendu>{
               {Cible::Voiture, "m_fSuspensionBias", Jetons(VoitureDeLongueur(11999))[27]}};
         }},
    {.nom = "Line12000CharactersSkipped",
     .octets =
         [] {
           return VoitureDeLongueur(12000) + "\n" + Moto({{"LeanFwdCOM", "0.9"}});
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Moto, "LeanFwdCOM", "0.9"}};
         }},
    {.nom = "LineOfAMillionCharactersSkipped",
     .octets =
         [] {
           return std::string(1'000'000, 'x') + "\n" + Moto({{"LeanFwdCOM", "0.9"}}) + "\n";
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Moto, "LeanFwdCOM", "0.9"}};
         }},
    {.nom = "OnlyABang", .octets = [] { return std::string("!"); }},
    {.nom = "OnlyADollar", .octets = [] { return std::string("$\r\n"); }},
    {.nom = "OnlyAPercent", .octets = [] { return std::string("%\n"); }},
    {.nom = "OnlyACaret", .octets = [] { return std::string("^"); }},
    {.nom = "KindCharacterGluedToTheName",
     .octets =
         [] {
           return "!" + Moto({{"LeanFwdCOM", "0.9"}}).substr(2);
         }},
    {.nom = "HashBeforeAFlyingLine",
     .octets =
         [] {
           return "#$ " + Moto().substr(2) + "\n#" + Voiture({{"fMass", "1.5"}});
         }},
    {.nom = "AnimGroupNumberNotANumber",
     .octets =
         [] {
           return Groupe({{"SpecialFlag", "3"}}).replace(2, 1, "x");
         }},
    {.nom = "AnimGroupNumberWithSuffix",
     .octets =
         [] {
           return Groupe({{"SpecialFlag", "3"}}).replace(2, 1, "7x");
         }},
    // 2^32 + 7: a reader that wrapped around would change group 7.
    {.nom = "AnimGroupNumberBeyond32Bits",
     .octets =
         [] {
           return Groupe({{"SpecialFlag", "3"}}).replace(2, 1, "4294967303");
         }},
    {.nom = "DecimalWhereAnIntegerGoes",
     .octets =
         [] {
           return Voiture({{"m_nAnimGroup", "21.5"}});
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Voiture, "m_nAnimGroup", "21"}};
         }},
    {.nom = "IntegerBeyond32Bits",
     .octets =
         [] {
           return Voiture({{"fMass", "1.5"}, {"m_nAnimGroup", "4294967296"}});
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Voiture, "fMass", "1.5"}};
         }},
    {.nom = "SpecialFlagBelowTheSmallestInteger",
     .octets =
         [] {
           return Groupe({{"Enter1", "kart"}, {"SpecialFlag", "-2147483649"}});
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Groupe7, "Enter1", "kart"}};
         }},
    {.nom = "SpecialFlagSmallestInteger",
     .octets =
         [] {
           return Groupe({{"SpecialFlag", "-2147483648"}});
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Groupe7, "SpecialFlag", "-2147483648"}};
         }},
    {.nom = "NumberBeyond32BitsAsText",
     .octets =
         [] {
           return Voiture({{"m_nMonetaryValue", "99999999999999999999"}});
         },
     .lus =
         [] {
           return std::vector<Attendu>{
               {Cible::Voiture, "m_nMonetaryValue", "99999999999999999999"}};
         }},
    {.nom = "TokenOf10000Bytes",
     .octets =
         [] {
           return Voiture({{"fMass", std::string(10000, '8')}});
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Voiture, "fMass", std::string(10000, '8')}};
         }},
    // A lone CR is whitespace: both lines are one line, whose extra tokens are ignored.
    {.nom = "CarriageReturnsAlone",
     .octets =
         [] {
           return Voiture({{"fMass", "1.5"}}) + "\r" + Moto({{"LeanFwdCOM", "0.9"}}) + "\r";
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Voiture, "fMass", "1.5"}};
         }},
    {.nom = "CrLfAndLfMixed",
     .octets =
         [] {
           return Voiture({{"fMass", "1.5"}}) + "\r\n" + Moto({{"LeanFwdCOM", "0.9"}}) + "\n";
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Voiture, "fMass", "1.5"},
                                       {Cible::Moto, "LeanFwdCOM", "0.9"}};
         }},
    {.nom = "LastLineWithoutLineEnd",
     .octets =
         [] {
           return "; no line end after the last line\n" + Voiture({{"fMass", "1.5"}});
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Voiture, "fMass", "1.5"}};
         }},
    // The mark makes the first name another name: that line adds a vehicle.
    {.nom = "Utf8ByteOrderMarkBeforeADataLine",
     .octets =
         [] {
           return "\xEF\xBB\xBF" + Voiture({{"fMass", "1.5"}});
         },
     .lus =
         [] {
           return std::vector<Attendu>{
               {Cible::Ajoutee, "fMass", "1.5", "\xEF\xBB\xBF" + LeStock().voiture}};
         },
     .ajoutes = 1},
    {.nom = "Utf8ByteOrderMarkBeforeAComment",
     .octets =
         [] {
           return "\xEF\xBB\xBF; comment\r\n" + Voiture({{"fMass", "1.5"}});
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Voiture, "fMass", "1.5"}};
         }},
    // Every line but the first starts with a NUL and every token holds NULs: the car line's
    // anim group number is no number, so that unknown line is broken and adds nothing.
    {.nom = "Utf16Text",
     .octets = [] { return Utf16("; comment\r\n" + Voiture() + "\r\n" + Moto() + "\r\n"); }},
    {.nom = "TabsVerticalTabsAndFormFeedsBetweenValues",
     .octets =
         [] {
           std::string ligne = Voiture({{"fMass", "1.5"}});
           for (std::size_t p = 0; (p = ligne.find(' ', p)) != std::string::npos; p += 4)
             ligne.replace(p, 1, "\t\v \f");
           return ligne;
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Voiture, "fMass", "1.5"}};
         }},
    {.nom = "BlankBeforeACarLine",
     .octets =
         [] {
           return " " + Voiture({{"fMass", "1.5"}});
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Voiture, "fMass", "1.5"}};
         }},
    {.nom = "ShortCarLine",
     .octets =
         [] {
           auto jetons = Jetons(Voiture({{"fMass", "1.5"}, {"CentreOfMass.z", "0.25"}}));
           jetons.resize(10);
           return Joindre(jetons);
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Voiture, "fMass", "1.5"},
                                       {Cible::Voiture, "CentreOfMass.z", "0.25"}};
         }},
    {.nom = "CarLineWithFourExtraValues",
     .octets =
         [] {
           return Voiture({{"fMass", "1.5"}}) + " 1 2 3 4";
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Voiture, "fMass", "1.5"}};
         }},
    {.nom = "RepeatedLineLastWins",
     .octets =
         [] {
           return Voiture({{"fMass", "1.5"}}) + "\n" + Voiture({{"fMass", "2.5"}});
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Voiture, "fMass", "2.5"}};
         }},
    {.nom = "BikeLineBeforeItsCarLine",
     .octets =
         [] {
           return Moto({{"LeanFwdCOM", "0.9"}}) + "\n" + VoitureMoto({{"fMass", "99.5"}});
         },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Moto, "LeanFwdCOM", "0.9"},
                                       {Cible::VoitureMoto, "fMass", "99.5"}};
         }},
    {.nom = "FlagsWrittenShort",
     .octets =
         [] {
           return Voiture({{"mFlags", "440080"}, {"hFlags", "0"}});
         },
     .lus =
         [] {
           // The first car is shown at once, which pads both of its flag texts to 8 digits.
           return std::vector<Attendu>{{Cible::Voiture, "mFlags", "00440080"},
                                       {Cible::Voiture, "hFlags", "00000000"}};
         }},
    {.nom = "UnknownCompleteVehicleAdded",
     .octets = [] { return Voiture().replace(0, LeStock().voiture.size(), "NOUVEAU"); },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Ajoutee, "fMass", Jetons(Voiture())[1], "NOUVEAU"}};
         },
     .ajoutes = 1},
    {.nom = "UnknownShortLineIgnored", .octets = [] { return std::string("INCONNU 1.0 2.0 3"); }},
    {.nom = "UnknownBikeWithoutCarLineDropped",
     .octets = [] { return Moto().replace(2, LeStock().moto.size(), "SEUL"); }},
    {.nom = "AddedNameInWindows1252",
     .octets = [] { return Voiture().replace(0, LeStock().voiture.size(), "V\xC9LO"); },
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Ajoutee, "fMass", Jetons(Voiture())[1], "V\xC9LO"}};
         },
     .ajoutes = 1},
    {.nom = "NamesStartingWithALineKindCharacter",
     .octets =
         [] {
           std::string texte;
           for (const char* nom : {";A", "#B", "!C", "$D", "%E", "^F"})
             texte += " " + Voiture().replace(0, LeStock().voiture.size(), nom) + "\n";
           return texte;
         }},
    // Read with one blank after its number, written with two: one character too many.
    {.nom = "AnimGroupLine11999CharactersWithOneBlank",
     .octets = [] { return GroupeDeLongueur(11999); },
     .lus =
         [] {
           return std::vector<Attendu>{
               {Cible::Groupe7, "Enter2", Jetons(GroupeDeLongueur(11999))[3]}};
         },
     .enregistrement = "Impossible d'enregistrer le fichier : {}\nvaleurs vides, "
                       "contenant des blancs ou trop longues\n^ 7 : Enter2"},
    {.nom = "HundredMegabytes",
     .octets = CentMegaOctets,
     .lus =
         [] {
           return std::vector<Attendu>{{Cible::Voiture, "fMass", "1.5"},
                                       {Cible::Moto, "LeanFwdCOM", "0.9"}};
         }},
    {.nom = "FolderInPlaceOfTheFile",
     .octets = [] { return std::string(); },
     .ouverture = kIllisible,
     .chemin = Chemin::Dossier},
    {.nom = "MissingFile",
     .octets = [] { return std::string(); },
     .ouverture = kIllisible,
     .chemin = Chemin::Absent},
};

// The value of a field, integers in decimal; nullopt when the record or field does not exist.
template <class Record>
std::optional<std::string> Valeur(const Record* r, const std::string& champ) {
  if (!r) return std::nullopt;
  const auto textes = r->textes();
  for (std::size_t i = 0; i < textes.size(); ++i)
    if (champ == Record::nomsTextes[i]) return textes[i]->valeur;
  if constexpr (std::is_same_v<Record, CAISSE>)
    if (champ == "m_nAnimGroup") return std::to_string(r->m_nAnimGroup.valeur);
  if constexpr (std::is_same_v<Record, ANIMGROUP>)
    if (champ == "SpecialFlag") return std::to_string(r->SpecialFlag.valeur);
  return std::nullopt;
}

const MorvaneStruct* Record(const Catalogue& c, const Attendu& a) {
  const Stock& s = LeStock();
  auto chercher = [](const auto& carte, const auto& cle) -> decltype(carte.begin()->second) {
    const auto it = carte.find(cle);
    return it == carte.end() ? nullptr : it->second;
  };
  switch (a.cible) {
    case Cible::Voiture:
      return chercher(c.Voitures, s.voiture);
    case Cible::Moto:
      return chercher(c.Motos, s.moto);
    case Cible::VoitureMoto: {
      const MOTO* m = chercher(c.Motos, s.moto);
      return m ? m->voiture : nullptr;
    }
    case Cible::Groupe7:
      return chercher(c.AnimGroups, 7);
    case Cible::Ajoutee:
      return chercher(c.Voitures, a.nom);
  }
  return nullptr;
}

std::optional<std::string> ValeurDe(const MorvaneStruct* r, const std::string& champ) {
  if (const auto* v = dynamic_cast<const CAISSE*>(r)) return Valeur(v, champ);
  if (const auto* m = dynamic_cast<const MOTO*>(r)) return Valeur(m, champ);
  if (const auto* g = dynamic_cast<const ANIMGROUP*>(r)) return Valeur(g, champ);
  return std::nullopt;
}

// Every (record, field) of the stock records whose current value differs from its default.
std::set<std::pair<const MorvaneStruct*, std::string>> Modifies(
    const Catalogue& c, const std::set<std::string>& ajouts) {
  std::set<std::pair<const MorvaneStruct*, std::string>> modifies;
  auto noter = [&](const auto* r) {
    const auto textes = r->textes();
    for (std::size_t i = 0; i < textes.size(); ++i)
      if (textes[i]->valeur != textes[i]->origine) modifies.emplace(r, r->nomsTextes[i]);
  };
  for (const auto& [nom, v] : c.Voitures) {
    if (ajouts.count(nom)) continue;
    noter(v);
    if (v->m_nAnimGroup.valeur != v->m_nAnimGroup.origine) modifies.emplace(v, "m_nAnimGroup");
  }
  auto noterSpecial = [&](const auto* r) {
    noter(r);
    if (const CAISSE* v = r->voiture) {
      noter(v);
      if (v->m_nAnimGroup.valeur != v->m_nAnimGroup.origine) modifies.emplace(v, "m_nAnimGroup");
    }
  };
  for (const auto& [nom, m] : c.Motos) noterSpecial(m);
  for (const auto& [nom, a] : c.Avions) noterSpecial(a);
  for (const auto& [nom, b] : c.Bateaux) noterSpecial(b);
  for (const auto& [numero, g] : c.AnimGroups) {
    noter(g);
    if (g->SpecialFlag.valeur != g->SpecialFlag.origine) modifies.emplace(g, "SpecialFlag");
  }
  return modifies;
}

class EntreesInvalides : public FenetreFiabilite,
                         public ::testing::WithParamInterface<EntreeInvalide> {};

// Opening a malformed file never crashes, reads what can be read, keeps everything else, and
// tells the user only when the file cannot be read at all. Saving afterwards writes a file that
// reads back to the same values, or refuses and says which value to fix.
TEST_P(EntreesInvalides, ReadKeptAndShown) {
  const EntreeInvalide& entree = GetParam();
  const Stock& stock = LeStock();
  const fs::path fichier = dossier.chemin() / "data" / "handling.dat";
  fs::create_directories(fichier.parent_path());
  const std::string octets = entree.octets();
  if (entree.chemin == Chemin::Fichier) EcrireTout(fichier, octets);
  if (entree.chemin == Chemin::Dossier) fs::create_directory(fichier);
  const std::vector<Attendu> lus = entree.lus();

  auto fenetre = Demarrer();
  fenetre->OpenHandlingFile(fichier.string());

  if (entree.ouverture) {
    EXPECT_EQ(Erreurs(), std::vector<std::string>{Message(entree.ouverture, fichier)});
    EXPECT_FALSE(fenetre->FichierOuvert);
    EXPECT_EQ(fenetre->CheminFichier, "");
    return;
  }
  EXPECT_EQ(Erreurs(), std::vector<std::string>{});
  EXPECT_TRUE(fenetre->FichierOuvert);
  EXPECT_EQ(fenetre->CheminFichier, fichier.string());
  EXPECT_EQ(fenetre->ListBox1->currentRow(), 0) << "the first car is shown";

  const Catalogue& catalogue = fenetre->catalogue;
  const std::size_t entrees = catalogue.Voitures.size() + catalogue.Motos.size() +
                              catalogue.Avions.size() + catalogue.Bateaux.size() +
                              catalogue.AnimGroups.size();
  EXPECT_EQ(entrees, stock.entrees + static_cast<std::size_t>(entree.ajoutes));
  std::set<std::string> ajouts;
  for (const auto& [nom, v] : catalogue.Voitures)
    if (!stock.voitures.count(nom)) ajouts.insert(nom);

  std::set<std::pair<const MorvaneStruct*, std::string>> attendus;
  for (const Attendu& a : lus) {
    const MorvaneStruct* r = Record(catalogue, a);
    ASSERT_NE(r, nullptr) << a.champ;
    EXPECT_EQ(ValeurDe(r, a.champ), a.valeur) << a.champ;
    if (a.cible != Cible::Ajoutee) attendus.emplace(r, a.champ);
  }
  EXPECT_EQ(Modifies(catalogue, ajouts), attendus) << "every other value keeps its default";

  messages.clear();
  fenetre->SaveHandlingFile();
  if (entree.enregistrement) {
    EXPECT_EQ(Erreurs(), std::vector<std::string>{Message(entree.enregistrement, fichier)});
    EXPECT_EQ(LireTout(fichier), octets) << "a refused save leaves the file as it was";
    return;
  }
  EXPECT_EQ(Erreurs(), std::vector<std::string>{});
  const std::string enregistre = LireTout(fichier);
  EXPECT_EQ(enregistre, TexteHandling(catalogue));
  CatalogueOuvert relu(enregistre);
  EXPECT_EQ(TexteHandling(relu.catalogue), enregistre) << "the saved file reads back the same";
}

INSTANTIATE_TEST_SUITE_P(Table, EntreesInvalides, ::testing::ValuesIn(kEntrees),
                         [](const auto& info) { return std::string(info.param.nom); });

}  // namespace
