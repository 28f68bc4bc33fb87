#include <gtest/gtest.h>

#include <sstream>

#include "Aides.h"
#include "HandlingWriter.h"
#include "Unit2.h"

namespace {

// Start-up as the editor does it: the stock text through a string stream, read as defaults.
class Stock : public ::testing::Test {
 protected:
  void SetUp() override {
    std::stringstream texte;
    InsertDefaultHandlingText(texte);
    DrapeauDefauts drapeau(true);
    ReadHandlingText(catalogue, texte);
  }

  Catalogue catalogue;
};

// Fields whose current value differs from the default, in every record the catalogue reaches.
template <class Record>
int Differents(const Record& r) {
  int n = 0;
  for (const auto* champ : r.textes()) n += champ->origine != champ->valeur;
  if constexpr (requires { r.m_nAnimGroup; }) n += r.m_nAnimGroup.origine != r.m_nAnimGroup.valeur;
  if constexpr (requires { r.SpecialFlag; }) n += r.SpecialFlag.origine != r.SpecialFlag.valeur;
  if constexpr (requires { r.voiture; }) n += r.voiture ? Differents(*r.voiture) : 0;
  return n;
}

int ChampsDifferents(const Catalogue& catalogue) {
  int n = 0;
  const auto compter = [&](const auto& carte) {
    for (const auto& entree : carte) n += Differents(*entree.second);
  };
  compter(catalogue.Voitures);
  compter(catalogue.Motos);
  compter(catalogue.Avions);
  compter(catalogue.Bateaux);
  compter(catalogue.AnimGroups);
  return n;
}

TEST_F(Stock, DemarrageCreeChaqueEnregistrementAuxDefauts) {
  EXPECT_EQ(catalogue.Voitures.size(), 125u);
  EXPECT_EQ(catalogue.Motos.size(), 7u);
  EXPECT_EQ(catalogue.Avions.size(), 6u);
  EXPECT_EQ(catalogue.Bateaux.size(), 8u);
  ASSERT_EQ(catalogue.AnimGroups.size(), 30u);
  EXPECT_EQ(catalogue.AnimGroups.begin()->first, 0);
  EXPECT_EQ(catalogue.AnimGroups.rbegin()->first, 29);

  EXPECT_EQ(ChampsDifferents(catalogue), 0);
  // Every line was complete: no value is left empty.
  EXPECT_TRUE(VerifierValeurs(catalogue).empty());
}

// Opening a file that lists every vehicle reads its values into every car record, then leaves
// the plain cars in the cars map and links each special vehicle to the car record of its name.
TEST_F(Stock, OuvertureAttacheLesVoituresSpeciales) {
  const auto avant = catalogue.Voitures;
  for (const auto& [nom, voiture] : avant) voiture->fMass.valeur = "ancienne";
  Ouvrir(catalogue, DefaultHandlingText());

  EXPECT_EQ(catalogue.Voitures.size(), 104u);
  EXPECT_EQ(ChampsDifferents(catalogue), 0);
  const auto verifier = [&](const auto& speciaux) {
    for (const auto& [nom, record] : speciaux) {
      EXPECT_EQ(catalogue.Voitures.count(nom), 0u) << nom;
      EXPECT_EQ(record->voiture, avant.at(nom)) << nom;
    }
  };
  verifier(catalogue.Motos);
  verifier(catalogue.Avions);
  verifier(catalogue.Bateaux);

  ReturnCarRecords(catalogue);
  EXPECT_EQ(catalogue.Voitures, avant);
}

TEST_F(Stock, EcritureLectureEcritureIdentiques) {
  Ouvrir(catalogue, DefaultHandlingText());
  const std::string ecrit = TexteHandling(catalogue);
  EXPECT_EQ(ecrit.find('\t'), std::string::npos);
  EXPECT_EQ(ecrit.back(), ';');

  Catalogue relu;
  LireDefauts(relu, DefaultHandlingText());
  Ouvrir(relu, ecrit);
  EXPECT_EQ(relu.Voitures.size(), 104u);
  EXPECT_EQ(TexteHandling(relu), ecrit);
  EXPECT_EQ(Decrire(relu), Decrire(catalogue));
  EXPECT_TRUE(VerifierValeurs(relu).empty());
}

}  // namespace
