#include <gtest/gtest.h>

#include <sstream>

#include "Aides.h"
#include "HandlingWriter.h"

namespace {

// Every block once: two plain cars, a bike, a flying vehicle and a boat with their car lines,
// two anim groups, all given out of order.
const std::string defauts = LigneGroupe(7, "g", 5) + "\n" + LigneSpeciale('%', "BAT", "s") + "\n" +
                            LigneVoiture("B", "b", 2) + "\n" + LigneVoiture("BAT", "t", 4) + "\n" +
                            LigneSpeciale('!', "MOTO1", "k") + "\n" + LigneVoiture("A", "a", 1) +
                            "\n" + LigneVoiture("MOTO1", "m", 3) + "\n" +
                            LigneSpeciale('$', "AV", "w") + "\n" + LigneVoiture("AV", "v", 12) +
                            "\n" + LigneGroupe(0, "h", 0);

TEST(Ecriture, BlocsDansLOrdreOctetPourOctet) {
  Catalogue catalogue;
  LireDefauts(catalogue, defauts);
  Ouvrir(catalogue, "");
  std::ostringstream sortie;
  WriteHandlingText(catalogue, sortie);
  EXPECT_EQ(sortie.str(), "A " + Suite("a", 35) + " 1\r\n" +          // 1: plain cars
                              "B " + Suite("b", 35) + " 2\r\n" +      //
                              "MOTO1 " + Suite("m", 35) + " 3\r\n" +  // 2: car lines of bikes
                              "AV " + Suite("v", 35) + " 12\r\n" +    // 3: of flying vehicles
                              "BAT " + Suite("t", 35) + " 4\r\n" +    // 4: of boats
                              "! MOTO1 " + Suite("k", 15) + "\r\n" +  // 5
                              "$ AV " + Suite("w", 22) + "\r\n" +     // 6
                              "% BAT " + Suite("s", 19) + "\r\n" +    // 7
                              "^ 0  " + Suite("h", 19) +
                              " 0\r\n" +  // 8: two blanks after the number
                              "^ 7  " + Suite("g", 19) + " 5\r\n" +  //
                              ";");                                  // 9: no line end
}

TEST(Ecriture, CatalogueVide) {
  Catalogue catalogue;
  std::ostringstream sortie;
  WriteHandlingText(catalogue, sortie);
  EXPECT_EQ(sortie.str(), ";");
}

// Names go in unsigned byte order: digits, upper case, '_', lower case, then 8-bit letters;
// a prefix before the longer name. Group numbers go in signed order.
TEST(Ecriture, OrdreDesOctets) {
  Catalogue catalogue;
  std::string texte;
  for (const char* nom : {"a", "\xC9TE", "Z", "_X", "POLICE2", "1X", "POLICE"})
    texte += LigneVoiture(nom, "v") + "\n";
  for (const int numero : {10, -1, 2}) texte += LigneGroupe(numero, "g") + "\n";
  LireDefauts(catalogue, texte);
  Ouvrir(catalogue, "");
  std::istringstream lignes(TexteHandling(catalogue));
  std::string ordre, ligne;
  while (std::getline(lignes, ligne))
    ordre += ligne.substr(0, ligne.find(' ', ligne.starts_with("^ ") ? 2 : 0)) + "|";
  EXPECT_EQ(ordre, "1X|POLICE|POLICE2|Z|_X|a|\xC9TE|^ -1|^ 2|^ 10|;|");
}

// Values go out as they came in: trailing zeros, short flags, any byte that is not whitespace.
TEST(Ecriture, LectureEcritureLectureIdentiques) {
  Catalogue premier;
  LireDefauts(premier, Fixture("petit.dat"));
  Ouvrir(premier, Fixture("petit.dat") + "\n" + LigneVoiture("AJOUT", "n") + "\n" +
                      LigneSpeciale('$', "HERON", "h"));
  premier.Voitures.at("BRISE")->fDragMult.valeur = std::string("2\0\x1A\xB0", 4);
  premier.AnimGroups.at(1)->SpecialFlag.valeur = -7;
  const std::string ecrit = TexteHandling(premier);
  EXPECT_NE(ecrit.find("COMET 1200.00 1.9 "), std::string::npos);
  EXPECT_NE(ecrit.find(" 18000 440080 10400000 0\r\n"), std::string::npos);

  Catalogue second;
  LireDefauts(second, Fixture("petit.dat"));
  Ouvrir(second, ecrit);
  EXPECT_EQ(TexteHandling(second), ecrit);
  EXPECT_EQ(Decrire(second), Decrire(premier));
}

struct CasFautif {
  const char* nom;
  void (*modifier)(Catalogue&);
  std::vector<std::pair<std::string, std::string>> attendus;
};
void PrintTo(const CasFautif& c, std::ostream* os) {
  *os << c.nom;
}

class Verification : public ::testing::TestWithParam<CasFautif> {};

// An empty value or one holding whitespace would shift the columns after it; it is reported
// with its vehicle or anim group and column, in writing order, and nothing is written.
TEST_P(Verification, ValeursRefusees) {
  Catalogue catalogue;
  LireDefauts(catalogue, Fixture("petit.dat"));
  Ouvrir(catalogue, "");
  GetParam().modifier(catalogue);
  std::vector<std::pair<std::string, std::string>> fautifs;
  for (const ChampFautif& f : VerifierValeurs(catalogue))
    fautifs.emplace_back(f.enregistrement, f.champ);
  EXPECT_EQ(fautifs, GetParam().attendus);

  DossierTemporaire dossier;
  const auto fichier = dossier.chemin() / "handling.dat";
  EcrireTout(fichier, "ancien");
  const ResultatEcriture resultat = WriteHandlingFile(catalogue, fichier);
  EXPECT_EQ(resultat.ok, fautifs.empty());
  EXPECT_EQ(resultat.fautifs.size(), fautifs.size());
  EXPECT_EQ(LireTout(fichier), fautifs.empty() ? TexteHandling(catalogue) : "ancien");
  if (!fautifs.empty()) {
    EXPECT_FALSE(resultat.raison.empty());
  }
  EXPECT_EQ(dossier.contenu(), "handling.dat");
}

INSTANTIATE_TEST_SUITE_P(
    Champs, Verification,
    ::testing::Values(
        CasFautif{"aucun", [](Catalogue&) {}, {}},
        CasFautif{
            "nul_et_ctrl_z_admis",
            [](Catalogue& c) { c.Voitures.at("BRISE")->fMass.valeur = std::string("1\0\x1A", 3); },
            {}},
        CasFautif{"voiture_vide",
                  [](Catalogue& c) { c.Voitures.at("BRISE")->fMass.valeur = ""; },
                  {{"BRISE", "fMass"}}},
        CasFautif{"voiture_de_moto_blanc",
                  [](Catalogue& c) { c.Motos.at("MOUCHE")->voiture->hFlags.valeur = "1 2"; },
                  {{"MOUCHE", "hFlags"}}},
        CasFautif{"moto_tab",
                  [](Catalogue& c) { c.Motos.at("MOUCHE")->StoppieStabMult.valeur = "a\tb"; },
                  {{"MOUCHE", "StoppieStabMult"}}},
        CasFautif{"avion_fin_de_ligne",
                  [](Catalogue& c) { c.Avions.at("HERON")->SpeedRes.z.valeur = "1\n"; },
                  {{"HERON", "SpeedRes.z"}}},
        CasFautif{"bateau_blanc_en_tete",
                  [](Catalogue& c) { c.Bateaux.at("ALIZE")->RudderF.valeur = " 0.2"; },
                  {{"ALIZE", "RudderF"}}},
        CasFautif{"groupe_vide",
                  [](Catalogue& c) { c.AnimGroups.at(3)->Enter1.valeur = ""; },
                  {{"^ 3", "Enter1"}}},
        CasFautif{"plusieurs_dans_l_ordre",
                  [](Catalogue& c) {
                    c.AnimGroups.at(0)->CloseOutStop.valeur = "x y";
                    c.Motos.at("MOUCHE")->LeanFwdCOM.valeur = "";
                    c.Voitures.at("ZEPHYR")->CentreOfMass.x.valeur = "\r";
                    c.Voitures.at("BRISE")->hFlags.valeur = "\v";
                  },
                  {{"BRISE", "hFlags"},
                   {"ZEPHYR", "CentreOfMass.x"},
                   {"MOUCHE", "LeanFwdCOM"},
                   {"^ 0", "CloseOutStop"}}}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(Verification, VoiturePartageeSignaleeUneFois) {
  Catalogue catalogue;
  LireDefauts(catalogue, LigneVoiture("AMPHI", "v") + "\n" + LigneSpeciale('!', "AMPHI", "m") +
                             "\n" + LigneSpeciale('%', "AMPHI", "b"));
  Ouvrir(catalogue, "");
  ASSERT_EQ(catalogue.Bateaux.at("AMPHI")->voiture, catalogue.Motos.at("AMPHI")->voiture);
  catalogue.Motos.at("AMPHI")->voiture->fMass.valeur = "";
  const auto fautifs = VerifierValeurs(catalogue);
  ASSERT_EQ(fautifs.size(), 1u);
  EXPECT_EQ(fautifs[0].enregistrement, "AMPHI");
  EXPECT_EQ(fautifs[0].champ, "fMass");
}

TEST(EcritureFichier, EchecDonneUneRaison) {
  Catalogue catalogue;
  LireDefauts(catalogue, defauts);
  Ouvrir(catalogue, "");
  DossierTemporaire dossier;
  const ResultatEcriture resultat =
      WriteHandlingFile(catalogue, dossier.chemin() / "absent" / "handling.dat");
  EXPECT_FALSE(resultat.ok);
  EXPECT_TRUE(resultat.fautifs.empty());
  EXPECT_NE(resultat.raison.find("dossier introuvable"), std::string::npos) << resultat.raison;
  EXPECT_EQ(dossier.contenu(), "");
}

}  // namespace
