#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <set>
#include <sstream>

#include "Aides.h"
#include "Animgroup.h"
#include "Avion.h"
#include "Bateau.h"
#include "Caisse.h"
#include "Moto.h"

namespace {

// What the tests need to know of each record class: its integer member, if any.
template <class R>
struct Forme;
template <>
struct Forme<CAISSE> {
  static bivar<std::int32_t>* entier(CAISSE& r) { return &r.m_nAnimGroup; }
};
template <>
struct Forme<MOTO> {
  static bivar<std::int32_t>* entier(MOTO&) { return nullptr; }
};
template <>
struct Forme<AVION> {
  static bivar<std::int32_t>* entier(AVION&) { return nullptr; }
};
template <>
struct Forme<BATEAU> {
  static bivar<std::int32_t>* entier(BATEAU&) { return nullptr; }
};
template <>
struct Forme<ANIMGROUP> {
  static bivar<std::int32_t>* entier(ANIMGROUP& r) { return &r.SpecialFlag; }
};

template <class R>
constexpr bool AvecEntier = std::is_same_v<R, CAISSE> || std::is_same_v<R, ANIMGROUP>;

template <class R>
class Record : public ::testing::Test {};
using Records = ::testing::Types<CAISSE, MOTO, AVION, BATEAU, ANIMGROUP>;
TYPED_TEST_SUITE(Record, Records);

// textes() must list every text member once, in declaration order, which is the file's column
// order; the names must be as many, all distinct.
TYPED_TEST(Record, TextesListeChaqueMembreDansLOrdre) {
  TypeParam r;
  const auto textes = r.textes();
  const auto textesConst = static_cast<const TypeParam&>(r).textes();
  for (std::size_t i = 0; i < textes.size(); ++i) {
    EXPECT_EQ(textes[i], textesConst[i]);
    if (i > 0) {
      EXPECT_LT(reinterpret_cast<std::uintptr_t>(textes[i - 1]),
                reinterpret_cast<std::uintptr_t>(textes[i]))
          << "membre " << i;
    }
  }
  std::set<std::string> noms;
  for (const char* nom : TypeParam::nomsTextes) {
    ASSERT_NE(nom, nullptr);
    noms.insert(nom);
  }
  EXPECT_EQ(noms.size(), static_cast<std::size_t>(TypeParam::NbTextes));
}

// A full line's tokens land in member order, and insertion gives the line back with the
// record's own separators (an anim group starts with a blank).
TYPED_TEST(Record, ExtractionEtInsertionSeRepondent) {
  DrapeauDefauts drapeau(true);
  std::string ligne = Suite("t", TypeParam::NbTextes) + (AvecEntier<TypeParam> ? " -12" : "");
  std::istringstream entree("\t " + ligne + "   reste");
  TypeParam r;
  entree >> r;
  ASSERT_FALSE(entree.fail());
  const auto textes = r.textes();
  for (int i = 0; i < TypeParam::NbTextes; ++i) {
    EXPECT_EQ(textes[i]->valeur, "t" + std::to_string(i));
    EXPECT_EQ(textes[i]->origine, textes[i]->valeur);
  }
  if (auto* entier = Forme<TypeParam>::entier(r)) {
    ASSERT_TRUE(AvecEntier<TypeParam>);
    EXPECT_EQ(entier->valeur, -12);
    EXPECT_EQ(entier->origine, -12);
  }
  std::ostringstream sortie;
  sortie << r;
  if (std::is_same_v<TypeParam, ANIMGROUP>) ligne.insert(0, " ");
  EXPECT_EQ(sortie.str(), ligne);
}

// A short line changes the members it holds; the others keep their values, and the stream
// fails for the rest of the record.
TYPED_TEST(Record, LigneCourteGardeLaFin) {
  TypeParam r;
  for (auto* champ : r.textes()) champ->valeur = "avant";
  if (auto* entier = Forme<TypeParam>::entier(r)) entier->valeur = 5;
  std::istringstream entree(Suite("n", 10));
  entree >> r;
  EXPECT_TRUE(entree.fail());
  const auto textes = r.textes();
  for (int i = 0; i < TypeParam::NbTextes; ++i)
    EXPECT_EQ(textes[i]->valeur, i < 10 ? "n" + std::to_string(i) : "avant") << i;
  if (auto* entier = Forme<TypeParam>::entier(r)) {
    EXPECT_EQ(entier->valeur, 5);
  }
  for (auto* champ : textes) EXPECT_EQ(champ->origine, "") << "lu hors des défauts";
}

// Members with a dotted name or at the ends of a line, where a slip in the tables would hide.
TEST(Record, NomsDesColonnesALeurPlace) {
  CAISSE caisse;
  AVION avion;
  BATEAU bateau;
  MOTO moto;
  ANIMGROUP groupe;
  const struct {
    const bivar<std::string>* membre;
    const bivar<std::string>* parIndice;
    const char* nomAttendu;
    const char* nom;
  } cas[] = {
      {&caisse.fMass, caisse.textes()[0], "fMass", CAISSE::nomsTextes[0]},
      {&caisse.CentreOfMass.x, caisse.textes()[3], "CentreOfMass.x", CAISSE::nomsTextes[3]},
      {&caisse.CentreOfMass.z, caisse.textes()[5], "CentreOfMass.z", CAISSE::nomsTextes[5]},
      {&caisse.m_nMonetaryValue, caisse.textes()[32], "m_nMonetaryValue", CAISSE::nomsTextes[32]},
      {&caisse.hFlags, caisse.textes()[34], "hFlags", CAISSE::nomsTextes[34]},
      {&moto.StoppieStabMult, moto.textes()[14], "StoppieStabMult", MOTO::nomsTextes[14]},
      {&avion.TurnRes.x, avion.textes()[16], "TurnRes.x", AVION::nomsTextes[16]},
      {&avion.SpeedRes.z, avion.textes()[21], "SpeedRes.z", AVION::nomsTextes[21]},
      {&bateau.Look_L_R_BehindCamHeight, bateau.textes()[18], "Look_L_R_BehindCamHeight",
       BATEAU::nomsTextes[18]},
      {&groupe.CloseOutStop, groupe.textes()[18], "CloseOutStop", ANIMGROUP::nomsTextes[18]},
  };
  for (const auto& c : cas) {
    EXPECT_EQ(c.membre, c.parIndice) << c.nomAttendu;
    EXPECT_STREQ(c.nom, c.nomAttendu);
  }
}

struct CasTexte {
  std::string entree;
  std::optional<std::string> jeton;  // nullopt: no token, the stream fails
};
void PrintTo(const CasTexte& c, std::ostream* os) {
  *os << ::testing::PrintToString(c.entree);
}

class ExtractionTexte : public ::testing::TestWithParam<CasTexte> {};

// Whitespace is blank, tab, LF, CR, VT and FF only; NUL, Ctrl-Z and 8-bit bytes are ordinary
// token characters. A failed extraction keeps the value; while the defaults are read the
// default follows it even then.
TEST_P(ExtractionTexte, UnJetonOuRien) {
  for (const bool defauts : {false, true}) {
    DrapeauDefauts drapeau(defauts);
    bivar<std::string> champ{"origine", "avant"};
    std::istringstream entree(GetParam().entree);
    entree >> champ;
    EXPECT_EQ(entree.fail(), !GetParam().jeton.has_value());
    EXPECT_EQ(champ.valeur, GetParam().jeton.value_or("avant"));
    EXPECT_EQ(champ.origine, defauts ? champ.valeur : "origine");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Jetons, ExtractionTexte,
    ::testing::Values(CasTexte{"  1700.0 2.0", "1700.0"}, CasTexte{"\t\v\f\r\nx\ty", "x"},
                      CasTexte{std::string("a\0b\x1A c", 6), std::string("a\0b\x1A", 4)},
                      CasTexte{"\xE9t\xE9\xA0 z", "\xE9t\xE9\xA0"}, CasTexte{"", std::nullopt},
                      CasTexte{" \t\r\n ", std::nullopt}));

struct CasEntier {
  std::string jeton;
  std::optional<std::int32_t> valeur;  // nullopt: the extraction fails and keeps the value
  std::string suite = "";              // what the next extraction then finds
};
void PrintTo(const CasEntier& c, std::ostream* os) {
  *os << '"' << c.jeton << '"';
}

class ExtractionEntier : public ::testing::TestWithParam<CasEntier> {};

TEST_P(ExtractionEntier, ParLeFlux) {
  const CasEntier& cas = GetParam();
  bivar<std::int32_t> champ{7, 7};
  bivar<std::string> suivant;
  std::istringstream entree(cas.jeton + " fin");
  entree >> champ >> suivant;
  EXPECT_EQ(champ.valeur, cas.valeur.value_or(7));
  EXPECT_EQ(!entree.fail(), cas.valeur.has_value());
  if (cas.valeur) {
    EXPECT_EQ(suivant.valeur, cas.suite.empty() ? "fin" : cas.suite);
  }
}

// The reader's own tokenizer reads the anim group number of a car line the same way.
TEST_P(ExtractionEntier, ParLeLecteur) {
  const CasEntier& cas = GetParam();
  Catalogue catalogue;
  LireDefauts(catalogue, LigneVoiture("CAR", "d", 7));
  Ouvrir(catalogue, "CAR " + Suite("f", CAISSE::NbTextes) + " " + cas.jeton);
  const CAISSE& car = *catalogue.Voitures.at("CAR");
  EXPECT_EQ(car.m_nAnimGroup.valeur, cas.valeur.value_or(7));
  EXPECT_EQ(car.m_nAnimGroup.origine, 7);
  EXPECT_EQ(car.hFlags.valeur, "f34");
}

INSTANTIATE_TEST_SUITE_P(
    Nombres, ExtractionEntier,
    ::testing::Values(CasEntier{"12", 12}, CasEntier{"-3", -3}, CasEntier{"+4", 4},
                      CasEntier{"007", 7}, CasEntier{"2.5", 2, ".5"}, CasEntier{"3abc", 3, "abc"},
                      CasEntier{"2147483647", 2147483647},
                      CasEntier{"-2147483648", -2147483647 - 1},
                      CasEntier{"2147483648", std::nullopt}, CasEntier{"-2147483649", std::nullopt},
                      CasEntier{"99999999999999999999999", std::nullopt},
                      CasEntier{"abc", std::nullopt}, CasEntier{"-", std::nullopt},
                      CasEntier{"+-1", std::nullopt}, CasEntier{".5", std::nullopt},
                      CasEntier{"", std::nullopt}));

template <class R>
class RemiseSpeciale : public ::testing::Test {};
using Speciaux = ::testing::Types<MOTO, AVION, BATEAU>;
TYPED_TEST_SUITE(RemiseSpeciale, Speciaux);

// Resetting a special vehicle resets its car record too; a second reset changes nothing.
TYPED_TEST(RemiseSpeciale, RemetAussiLaVoiture) {
  CAISSE voiture;
  TypeParam special;
  special.voiture = &voiture;
  int n = 0;
  for (auto* champ : special.textes()) champ->origine = "o" + std::to_string(n++);
  for (auto* champ : voiture.textes()) champ->origine = "o" + std::to_string(n++);
  voiture.m_nAnimGroup.origine = 4;
  for (auto* champ : special.textes()) champ->valeur = "modifie";
  for (auto* champ : voiture.textes()) champ->valeur = "modifie";
  voiture.m_nAnimGroup.valeur = 9;

  for (int fois = 1; fois <= 2; ++fois) {
    special.reset();
    for (auto* champ : special.textes()) EXPECT_EQ(champ->valeur, champ->origine) << fois;
    for (auto* champ : voiture.textes()) EXPECT_EQ(champ->valeur, champ->origine) << fois;
    EXPECT_EQ(voiture.m_nAnimGroup.valeur, 4);
  }

  // Not yet attached: only its own values.
  TypeParam seul;
  seul.textes()[0]->valeur = "x";
  seul.reset();
  EXPECT_EQ(seul.textes()[0]->valeur, "");
}

TEST(Remise, GroupeRemetSesTextesEtSonDrapeau) {
  ANIMGROUP groupe;
  for (auto* champ : groupe.textes()) {
    champ->origine = "std";
    champ->valeur = "van";
  }
  groupe.SpecialFlag = {64, 3};
  groupe.reset();
  for (auto* champ : groupe.textes()) EXPECT_EQ(champ->valeur, "std");
  EXPECT_EQ(groupe.SpecialFlag.valeur, 64);
}

TEST(Flags, RemplissageAGauche) {
  const struct {
    const char* avant;
    const char* apres;
  } cas[] = {{"440080", "00440080"},   {"0", "00000000"},          {"", "00000000"},
             {"1C008000", "1C008000"}, {"123456789", "123456789"}, {"a", "0000000a"}};
  for (const auto& c : cas) {
    std::string texte = c.avant;
    NormaliserFlags(texte);
    EXPECT_EQ(texte, c.apres) << c.avant;
  }
}

}  // namespace
