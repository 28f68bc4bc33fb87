#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "Catalogues.h"
#include "HandlingWriter.h"

namespace {

struct Cas {
  const char* nom;
  // The value to lengthen and the first tokens of its line (kind character and key).
  std::function<std::pair<std::string*, std::string>(Catalogue&)> champ;
  const char* enregistrement;  // "" for the first name of the map, as the refusal names it
  const char* colonne;
};

const Cas kCas[] = {
    {"CarLine",
     [](Catalogue& c) {
       auto& [nom, v] = *c.Voitures.begin();
       return std::pair{&v->m_fSuspensionBias.valeur, nom};
     },
     "", "m_fSuspensionBias"},
    {"CarLineOfABike",
     [](Catalogue& c) {
       auto& [nom, m] = *c.Motos.begin();
       return std::pair{&m->voiture->fMass.valeur, nom};
     },
     "", "fMass"},
    {"BikeLine",
     [](Catalogue& c) {
       auto& [nom, m] = *c.Motos.begin();
       return std::pair{&m->StoppieStabMult.valeur, "! " + nom};
     },
     "", "StoppieStabMult"},
    // Written with two blanks after its number: one character longer than a line read with one.
    {"AnimGroupLine",
     [](Catalogue& c) {
       return std::pair{&c.AnimGroups.at(7)->Enter2.valeur, std::string("^ 7")};
     },
     "^ 7", "Enter2"},
};

void PrintTo(const Cas& c, std::ostream* os) {
  *os << c.nom;
}

class LigneLongue : public ::testing::TestWithParam<std::tuple<Cas, std::size_t>> {};

// A line of up to 11,999 characters is written and reads back whole; one character more and the
// reader would skip it, so the save is refused and names the value to shorten.
TEST_P(LigneLongue, IsWrittenUpToTheReadersLimitAndRefusedBeyond) {
  const auto& [cas, longueur] = GetParam();
  CatalogueOuvert ouvert(TexteJeu());
  auto [valeur, debut] = cas.champ(ouvert.catalogue);
  const std::size_t actuelle = LigneEcrite(TexteHandling(ouvert.catalogue), debut).size();
  valeur->append(longueur - actuelle, '9');
  ASSERT_EQ(LigneEcrite(TexteHandling(ouvert.catalogue), debut).size(), longueur);

  std::vector<std::pair<std::string, std::string>> fautifs;
  for (const ChampFautif& f : VerifierValeurs(ouvert.catalogue))
    fautifs.emplace_back(f.enregistrement, f.champ);
  if (longueur > 11999) {
    const std::string enregistrement =
        *cas.enregistrement ? cas.enregistrement : debut.substr(debut.find_last_of(' ') + 1);
    EXPECT_EQ(fautifs,
              (std::vector<std::pair<std::string, std::string>>{{enregistrement, cas.colonne}}));
  } else {
    EXPECT_TRUE(fautifs.empty());
    CatalogueOuvert relu(TexteHandling(ouvert.catalogue));
    auto [valeurRelue, debutRelu] = cas.champ(relu.catalogue);
    EXPECT_EQ(*valeurRelue, *valeur);
  }
}

INSTANTIATE_TEST_SUITE_P(Lignes, LigneLongue,
                         ::testing::Combine(::testing::ValuesIn(kCas),
                                            ::testing::Values(11999u, 12000u)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).nom) + "_" +
                                  std::to_string(std::get<1>(info.param));
                         });

}  // namespace
