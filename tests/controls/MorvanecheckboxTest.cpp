#include <gtest/gtest.h>

#include <QTest>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "Aides.h"
#include "Morvanecheckbox.h"

namespace {

QColor texteDe(const TMorvaneCheckBox& b) {
  // Both roles carry the colour: styles draw a check box label with either.
  EXPECT_EQ(couleur(b, QPalette::WindowText), couleur(b, QPalette::ButtonText));
  return couleur(b, QPalette::WindowText);
}

enum class Entree { Souris, Espace, Code };

void basculer(TMorvaneCheckBox& b, Entree e) {
  switch (e) {
    case Entree::Souris:
      QTest::mouseClick(&b, Qt::LeftButton, {}, b.rect().center());
      break;
    case Entree::Espace:
      QTest::keyClick(&b, Qt::Key_Space);
      break;
    case Entree::Code:
      b.setChecked(!b.isChecked());
      break;
  }
}

// A shown box with a caption, so a mouse click lands on it.
std::unique_ptr<TMorvaneCheckBox> nouvelleBoite(QWidget* parent = nullptr) {
  auto b = std::make_unique<TMorvaneCheckBox>(parent);
  b->setText("FLAG_NAME");
  b->resize(b->sizeHint());
  b->show();
  return b;
}

// ---- hex --------------------------------------------------------------------------------

struct Hex {
  char c;
  std::int16_t valeur;
};

class CaseHex : public ::testing::TestWithParam<Hex> {};

TEST_P(CaseHex, FollowsTheDigitRule) {
  EXPECT_EQ(TMorvaneCheckBox::hex(GetParam().c), GetParam().valeur);
}

INSTANTIATE_TEST_SUITE_P(Rows, CaseHex,
                         ::testing::Values(Hex{'0', 0}, Hex{'9', 9}, Hex{'a', 10}, Hex{'A', 10},
                                           Hex{'f', 15}, Hex{'F', 15}, Hex{'g', 16}, Hex{'Z', 35},
                                           Hex{' ', -55}, Hex{'/', -40}));

// ---- Binding in digit mode ------------------------------------------------------------------

struct LiaisonChiffre {
  const char* nom;
  std::string defaut, courant;
  std::int32_t position;
  std::int16_t masque;
  bool coche;
  QColor attendue;
};

class CaseLiaison : public ::testing::TestWithParam<LiaisonChiffre> {};

TEST_P(CaseLiaison, SetsTickFromRecordWithoutWritingAnything) {
  const LiaisonChiffre& l = GetParam();
  auto b = nouvelleBoite();
  // Bound first to a record whose tick and colour are both the opposite of the row's, so that
  // binding the row changes the tick (raising the toggle) and the colour.
  std::string avant = l.coche ? "00000000" : "ffffffff";
  const std::string avantDefaut = (l.attendue == clBlack) == l.coche ? "ffffffff" : "00000000";
  b->init(avantDefaut, &avant, l.position, l.masque);
  ASSERT_NE(b->isChecked(), l.coche);
  ASSERT_NE(texteDe(*b), l.attendue);
  const std::string avantCopie = avant;

  std::string courant = l.courant;
  b->init(l.defaut, &courant, l.position, l.masque);

  EXPECT_EQ(courant, l.courant);
  EXPECT_EQ(avant, avantCopie);
  EXPECT_EQ(b->isChecked(), l.coche);
  EXPECT_EQ(texteDe(*b), l.attendue);
  EXPECT_TRUE(b->Actif);
  EXPECT_FALSE(b->ModeEntier);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CaseLiaison,
    ::testing::Values(
        LiaisonChiffre{"Digit1Bit1", "00000003", "00000003", 7, 1, true, clBlack},
        LiaisonChiffre{"Digit1Bit4Clear", "00000003", "00000003", 7, 4, false, clBlack},
        LiaisonChiffre{"UpperCaseStays", "0000000C", "0000000C", 7, 8, true, clBlack},
        LiaisonChiffre{"UpperCaseBitClear", "0000000c", "0000000C", 7, 1, false, clBlack},
        LiaisonChiffre{"SetButNotInDefault", "00000000", "0000000C", 7, 4, true, clRed},
        LiaisonChiffre{"ClearButInDefault", "0000000F", "00000000", 7, 2, false, clRed},
        LiaisonChiffre{"Digit6OfStockFlags", "00440080", "00440080", 2, 4, true, clBlack},
        LiaisonChiffre{"Digit8UpperAndLower", "A0000000", "a0000000", 0, 8, true, clBlack},
        LiaisonChiffre{"Digit2", "00000080", "00000000", 6, 8, false, clRed}),
    [](const auto& info) { return std::string(info.param.nom); });

struct HorsTexte {
  const char* nom;
  std::string defaut, courant;
  std::int32_t position;
};

class CaseHorsTexte : public ::testing::TestWithParam<HorsTexte> {};

TEST_P(CaseHorsTexte, ThrowsAndStaysInactive) {
  const HorsTexte& h = GetParam();
  auto b = nouvelleBoite();
  std::string courant = h.courant;
  EXPECT_THROW(b->init(h.defaut, &courant, h.position, 1), std::out_of_range);
  EXPECT_FALSE(b->Actif);
  basculer(*b, Entree::Souris);
  EXPECT_EQ(courant, h.courant);
}

INSTANTIATE_TEST_SUITE_P(Rows, CaseHorsTexte,
                         ::testing::Values(HorsTexte{"PastEnd", "00000003", "00000003", 8},
                                           HorsTexte{"ShortDefault", "3", "00000003", 7},
                                           HorsTexte{"ShortCurrent", "00000003", "3", 7},
                                           HorsTexte{"Negative", "00000003", "00000003", -1}),
                         [](const auto& info) { return std::string(info.param.nom); });

// ---- Ticking in digit mode ----------------------------------------------------------------

struct Boite {
  std::int32_t position;
  std::int16_t masque;
};

struct PasCase {
  std::size_t boite;
  Entree entree;
  std::string texte;  // flags text afterwards
  bool coche;
  QColor attendue;
};

struct ScenarioChiffres {
  const char* nom;
  std::string defaut, courant;
  std::vector<Boite> boites;  // all bound to the same flags text
  std::vector<PasCase> pas;
};

class CaseChiffres : public ::testing::TestWithParam<ScenarioChiffres> {};

TEST_P(CaseChiffres, RewritesOnlyItsBitInLowerCase) {
  const ScenarioChiffres& sc = GetParam();
  std::string courant = sc.courant;
  std::vector<std::unique_ptr<TMorvaneCheckBox>> boites;
  for (const Boite& d : sc.boites) {
    boites.push_back(nouvelleBoite());
    boites.back()->init(sc.defaut, &courant, d.position, d.masque);
  }
  ASSERT_EQ(courant, sc.courant);

  for (std::size_t i = 0; i < sc.pas.size(); ++i) {
    const PasCase& p = sc.pas[i];
    TMorvaneCheckBox& b = *boites.at(p.boite);
    basculer(b, p.entree);
    SCOPED_TRACE(testing::Message() << "step " << i);
    EXPECT_EQ(courant, p.texte);
    EXPECT_EQ(b.isChecked(), p.coche);
    EXPECT_EQ(texteDe(b), p.attendue);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CaseChiffres,
    ::testing::Values(ScenarioChiffres{"AbsOptions",
                                       "00000003",
                                       "00000003",
                                       {{6, 8}, {6, 2}},
                                       {{0, Entree::Souris, "00000083", true, clRed},
                                        {1, Entree::Espace, "000000a3", true, clRed},
                                        {0, Entree::Souris, "00000023", false, clBlack}}},
                      ScenarioChiffres{"DigitCTickOne",
                                       "0000000C",
                                       "0000000C",
                                       {{7, 1}},
                                       {{0, Entree::Souris, "0000000d", true, clRed}}},
                      ScenarioChiffres{"DigitCUntickRetickFour",
                                       "0000000C",
                                       "0000000C",
                                       {{7, 4}},
                                       {{0, Entree::Souris, "00000008", false, clRed},
                                        {0, Entree::Espace, "0000000c", true, clBlack}}},
                      ScenarioChiffres{"TickFromProgram",
                                       "00000000",
                                       "00000000",
                                       {{0, 8}, {7, 1}},
                                       {{0, Entree::Code, "80000000", true, clRed},
                                        {1, Entree::Code, "80000001", true, clRed},
                                        {0, Entree::Code, "00000001", false, clBlack}}},
                      ScenarioChiffres{"NotAHexDigit",
                                       "0000000g",
                                       "0000000g",
                                       {{7, 1}},
                                       {{0, Entree::Souris, "0000000h", true, clRed},
                                        {0, Entree::Souris, "0000000g", false, clBlack}}},
                      ScenarioChiffres{"PositionCountsFromTheLeft",
                                       "000000001",
                                       "000000001",
                                       {{0, 1}},
                                       {{0, Entree::Espace, "100000001", true, clRed}}}),
    [](const auto& info) { return std::string(info.param.nom); });

// ---- Number mode ----------------------------------------------------------------------------

TEST(CaseNombre, SpecialFlagFortyTickAndUntick) {
  const std::int32_t defaut = 40;
  std::int32_t courant = 40;
  std::vector<std::unique_ptr<TMorvaneCheckBox>> boites;
  for (std::int32_t masque = 1; masque <= 64; masque *= 2) {
    boites.push_back(nouvelleBoite());
    boites.back()->init(defaut, &courant, masque);
  }
  auto boite = [&](std::int32_t masque) -> TMorvaneCheckBox& {
    for (auto& b : boites)
      if (b->Masque == masque) return *b;
    throw std::logic_error("no box");
  };
  for (auto& b : boites) {
    EXPECT_EQ(b->isChecked(), b->Masque == 8 || b->Masque == 32) << b->Masque;
    EXPECT_EQ(texteDe(*b), clBlack);
    EXPECT_TRUE(b->ModeEntier);
  }
  EXPECT_EQ(courant, 40);

  struct Pas {
    std::int32_t masque;
    Entree entree;
    std::int32_t nombre;
    QColor attendue;
  };
  const Pas pas[] = {{8, Entree::Souris, 32, clRed},
                     {4, Entree::Espace, 36, clRed},
                     {4, Entree::Code, 32, clBlack},
                     {8, Entree::Souris, 40, clBlack}};
  for (const Pas& p : pas) {
    basculer(boite(p.masque), p.entree);
    EXPECT_EQ(courant, p.nombre) << p.masque;
    EXPECT_EQ(texteDe(boite(p.masque)), p.attendue) << p.masque;
  }
}

// ---- Ctrl+Z ---------------------------------------------------------------------------------

struct Annulation {
  const char* nom;
  bool nombre;
  std::string defautTexte, courantTexte, texteApres;
  std::int32_t defautNombre, courantNombre, nombreApres;
  std::int32_t position;
  std::int16_t masque;
  bool cliquerAvant;
  Qt::KeyboardModifiers mods;
};

class CaseAnnulation : public ::testing::TestWithParam<Annulation> {};

TEST_P(CaseAnnulation, ReturnsTickAndBitToDefault) {
  const Annulation& a = GetParam();
  auto b = nouvelleBoite();
  std::string texte = a.courantTexte;
  std::int32_t nombre = a.courantNombre;
  if (a.nombre)
    b->init(a.defautNombre, &nombre, a.masque);
  else
    b->init(a.defautTexte, &texte, a.position, a.masque);
  if (a.cliquerAvant) basculer(*b, Entree::Souris);

  QTest::keyClick(b.get(), Qt::Key_Z, a.mods);

  EXPECT_EQ(b->isChecked(), b->EtatOrigine);
  EXPECT_EQ(texteDe(*b), clBlack);
  EXPECT_EQ(texte, a.texteApres);
  EXPECT_EQ(nombre, a.nombreApres);
}

const auto Ctrl = Qt::ControlModifier;

INSTANTIATE_TEST_SUITE_P(
    Rows, CaseAnnulation,
    ::testing::Values(
        Annulation{"DigitAfterUntick", false, "0000000C", "0000000C", "0000000c", 0, 0, 0, 7, 4,
                   true, Ctrl},
        // At the default the digit is written again, a letter in lower case.
        Annulation{"DigitAtDefault", false, "0000000C", "0000000C", "0000000c", 0, 0, 0, 7, 4,
                   false, Ctrl},
        Annulation{"DigitDifferentAtBinding", false, "00000000", "0000000D", "0000000c", 0, 0, 0, 7,
                   1, false, Ctrl},
        Annulation{"DigitCtrlShift", false, "00000000", "00000000", "00000000", 0, 0, 0, 0, 2, true,
                   Ctrl | Qt::ShiftModifier},
        Annulation{"NumberAfterUntick", true, "", "", "", 40, 40, 40, 0, 8, true, Ctrl},
        Annulation{"NumberAtDefault", true, "", "", "", 40, 40, 40, 0, 8, false, Ctrl},
        Annulation{"NumberDifferentAtBinding", true, "", "", "", 40, 44, 40, 0, 4, false,
                   Ctrl | Qt::AltModifier}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(CaseNonLiee, TicksOnlyTheBoxAndCtrlZClearsIt) {
  auto b = nouvelleBoite();
  const QPalette avant = b->palette();
  b->CoulOrigine = Qt::green;  // any recolouring would show
  b->CoulModif = Qt::green;

  basculer(*b, Entree::Souris);
  EXPECT_TRUE(b->isChecked());
  b->ApplyLink();
  b->Verifs();
  QTest::keyClick(b.get(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_FALSE(b->isChecked());
  QTest::keyClick(b.get(), Qt::Key_Z);
  EXPECT_FALSE(b->isChecked());
  EXPECT_EQ(b->palette(), avant);
}

TEST(CaseRelier, RebindingFromNumberToDigitWritesOnlyTheNewRecord) {
  auto b = nouvelleBoite();
  std::int32_t nombre = 0;
  b->init(0, &nombre, 2);
  std::string texte = "00000002";
  b->init("00000000", &texte, 7, 2);
  EXPECT_TRUE(b->isChecked());
  EXPECT_EQ(nombre, 0);

  basculer(*b, Entree::Souris);
  EXPECT_EQ(texte, "00000000");
  EXPECT_EQ(nombre, 0);
}

}  // namespace
