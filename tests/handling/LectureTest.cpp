#include <gtest/gtest.h>

#include <sstream>

#include "Aides.h"
#include "Catalogue.h"

namespace {

// "V:BRISE,COMET M:MOUCHE A:HERON B:ALIZE G:0,1,3": the keys of every map.
std::string Cles(const Catalogue& catalogue) {
  std::string cles;
  const auto liste = [&](const char* titre, const auto& carte) {
    cles += titre;
    bool premier = true;
    for (const auto& entree : carte) {
      if (!premier) cles += ',';
      std::ostringstream cle;
      cle << entree.first;
      cles += cle.str();
      premier = false;
    }
  };
  liste("V:", catalogue.Voitures);
  liste(" M:", catalogue.Motos);
  liste(" A:", catalogue.Avions);
  liste(" B:", catalogue.Bateaux);
  liste(" G:", catalogue.AnimGroups);
  return cles;
}

std::string RemplacerTout(std::string texte, std::string_view quoi, std::string_view par) {
  for (std::size_t i = texte.find(quoi); i != std::string::npos;
       i = texte.find(quoi, i + par.size()))
    texte.replace(i, quoi.size(), par);
  return texte;
}

class Lecture : public ::testing::Test {
 protected:
  void SetUp() override { LireDefauts(catalogue, Fixture("petit.dat")); }

  // The catalogue right after opening `texte` over the same defaults.
  static std::string ApresOuverture(std::string_view texte) {
    Catalogue autre;
    LireDefauts(autre, Fixture("petit.dat"));
    Ouvrir(autre, texte);
    return Decrire(autre);
  }

  Catalogue catalogue;
};

TEST_F(Lecture, FichierDeDefautsLuEnEntier) {
  EXPECT_EQ(Cles(catalogue),
            "V:ALIZE,BRISE,COMET,HERON,MOUCHE,ZEPHYR M:MOUCHE A:HERON B:ALIZE G:0,1,3");
  const struct {
    const bivar<std::string>& champ;
    const char* attendu;
  } cas[] = {
      {catalogue.Voitures.at("COMET")->fMass, "1200.00"},
      {catalogue.Voitures.at("BRISE")->mFlags, "440080"},
      {catalogue.Voitures.at("ZEPHYR")->m_nDriveGears, "4"},
      {catalogue.Voitures.at("ZEPHYR")->hFlags, "0"},
      {catalogue.Voitures.at("MOUCHE")->CentreOfMass.y, "0.05"},
      {catalogue.Motos.at("MOUCHE")->StoppieStabMult, "0.65"},
      {catalogue.Avions.at("HERON")->SpeedRes.z, "0.996"},
      {catalogue.Bateaux.at("ALIZE")->Look_L_R_BehindCamHeight, "4.0"},
      {catalogue.AnimGroups.at(3)->Enter1, "bikes"},
  };
  for (const auto& c : cas) {
    EXPECT_EQ(c.champ.valeur, c.attendu);
    EXPECT_EQ(c.champ.origine, c.attendu);
  }
  EXPECT_EQ(catalogue.Voitures.at("MOUCHE")->m_nAnimGroup.origine, 3);
  EXPECT_EQ(catalogue.AnimGroups.at(3)->SpecialFlag.origine, 64);

  Ouvrir(catalogue, Fixture("petit.dat"));
  EXPECT_EQ(Cles(catalogue), "V:BRISE,COMET,ZEPHYR M:MOUCHE A:HERON B:ALIZE G:0,1,3");
  EXPECT_EQ(catalogue.Motos.at("MOUCHE")->voiture->m_nMonetaryValue.valeur, "9000");
  EXPECT_EQ(catalogue.Avions.at("HERON")->voiture->fMass.valeur, "9000.0");
  EXPECT_EQ(catalogue.Bateaux.at("ALIZE")->voiture->mFlags.valeur, "80000000");
}

struct CasLigne {
  const char* nom;
  std::string ligne;
  std::string equivalente;  // empty: the line changes nothing
};
void PrintTo(const CasLigne& c, std::ostream* os) {
  *os << c.nom;
}

class Lignes : public ::testing::TestWithParam<CasLigne> {};

// Opening a file of one line gives the same catalogue as opening its plain equivalent.
TEST_P(Lignes, LueCommeSonEquivalent) {
  Catalogue rien;
  LireDefauts(rien, Fixture("petit.dat"));
  Ouvrir(rien, "");
  const std::string base = Decrire(rien);

  Catalogue catalogue;
  LireDefauts(catalogue, Fixture("petit.dat"));
  Ouvrir(catalogue, GetParam().ligne);
  Catalogue attendu;
  LireDefauts(attendu, Fixture("petit.dat"));
  Ouvrir(attendu, GetParam().equivalente);

  EXPECT_EQ(Decrire(catalogue), Decrire(attendu));
  if (!GetParam().equivalente.empty()) {
    EXPECT_NE(Decrire(attendu), base);
  }
}

const std::string voiture = LigneVoiture("BRISE", "x", 2);
const std::string voitureMelee = RemplacerTout(
    RemplacerTout(LigneVoiture("BRISE", "x", 2), " x1 ", "\t \tx1\t"), " x7 ", "    x7\v\f");

INSTANTIATE_TEST_SUITE_P(
    Genres, Lignes,
    ::testing::Values(
        CasLigne{"commentaire", "; " + voiture, ""}, CasLigne{"diese", "#" + voiture, ""},
        CasLigne{"diese_dollar", "#" + LigneSpeciale('$', "HERON", "x"), ""},
        CasLigne{"blanc_en_tete", " " + voiture, voiture},
        CasLigne{"tab_en_tete", "\t" + voiture, voiture},
        CasLigne{"blancs_melanges", voitureMelee, voiture},
        CasLigne{"cr_au_milieu", RemplacerTout(voiture, " x3 ", "\rx3\r"), voiture},
        CasLigne{"valeurs_en_trop", voiture + " 8 9 10", voiture},
        CasLigne{"moto_sans_blanc", "!MOUCHE " + Suite("x", 15), ""},
        CasLigne{"moto_tabulee", "!\tMOUCHE\t" + Suite("x", 15), LigneSpeciale('!', "MOUCHE", "x")},
        CasLigne{"blancs_seuls", " \t \v ", ""}, CasLigne{"moto_sans_nom", "!", ""},
        CasLigne{"bateau_sans_nom", "%  \t", ""}, CasLigne{"groupe_sans_numero", "^", ""},
        CasLigne{"groupe_numero_mot", "^ x " + Suite("g", 19) + " 1", ""},
        CasLigne{"groupe_numero_colle", "^ 3x " + Suite("g", 19) + " 1", ""},
        CasLigne{"groupe_numero_decimal", "^ 1.0 " + Suite("g", 19) + " 1", ""},
        CasLigne{"groupe_numero_trop_grand", "^ 4294967296 " + Suite("g", 19) + " 1", ""},
        CasLigne{"groupe_numero_signe", "^ +3 " + Suite("g", 19) + " 1", LigneGroupe(3, "g", 1)}),
    [](const auto& info) { return std::string(info.param.nom); });

struct CasFinsDeLigne {
  const char* nom;
  std::string (*transformer)(const std::string&);
};
void PrintTo(const CasFinsDeLigne& c, std::ostream* os) {
  *os << c.nom;
}

class FinsDeLigne : public ::testing::TestWithParam<CasFinsDeLigne> {};

// CR LF, a missing last line end or a stray CR read exactly like the plain LF file, both as
// the stock text and as an opened file.
TEST_P(FinsDeLigne, LuesCommeLF) {
  const std::string lf = Fixture("petit.dat");
  const std::string variante = GetParam().transformer(lf);
  ASSERT_NE(variante, lf);

  Catalogue reference, catalogue;
  LireDefauts(reference, lf);
  LireDefauts(catalogue, variante);
  EXPECT_EQ(Decrire(catalogue), Decrire(reference));

  Ouvrir(reference, RemplacerTout(lf, "0.", "1."));
  Ouvrir(catalogue, RemplacerTout(variante, "0.", "1."));
  EXPECT_EQ(Decrire(catalogue), Decrire(reference));
}

INSTANTIATE_TEST_SUITE_P(
    Variantes, FinsDeLigne,
    ::testing::Values(
        CasFinsDeLigne{"crlf", [](const std::string& t) { return RemplacerTout(t, "\n", "\r\n"); }},
        CasFinsDeLigne{"sans_fin_finale",
                       [](const std::string& t) { return t.substr(0, t.size() - 1); }},
        CasFinsDeLigne{"crlf_sans_fin_finale",
                       [](const std::string& t) {
                         const std::string crlf = RemplacerTout(t, "\n", "\r\n");
                         return crlf.substr(0, crlf.size() - 2);
                       }},
        CasFinsDeLigne{"double_cr",
                       [](const std::string& t) { return RemplacerTout(t, "\n", "\r\r\n"); }},
        CasFinsDeLigne{"lignes_vides",
                       [](const std::string& t) { return RemplacerTout(t, "\n", "\n\n"); }}),
    [](const auto& info) { return std::string(info.param.nom); });

struct CasLongueur {
  std::size_t longueur;  // of the line, CR excluded
  std::string fin;       // its line end; empty: it is the last line
  bool lue;
};
void PrintTo(const CasLongueur& c, std::ostream* os) {
  *os << c.longueur << ::testing::PrintToString(c.fin);
}

class Longueurs : public ::testing::TestWithParam<CasLongueur> {};

// A line of more than 11,999 characters is skipped whole, and reading goes on after it.
TEST_P(Longueurs, LigneTropLongueSautee) {
  const CasLongueur& cas = GetParam();
  std::string longue = LigneVoiture("LONGUE", "l");
  longue.resize(cas.longueur, ' ');
  const std::string texte = LigneVoiture("AVANT", "a") + "\n" + longue + cas.fin +
                            (cas.fin.empty() ? "" : LigneVoiture("APRES", "p"));
  Catalogue catalogue;
  LireDefauts(catalogue, texte);
  EXPECT_EQ(catalogue.Voitures.count("LONGUE"), cas.lue ? 1u : 0u);
  EXPECT_EQ(catalogue.Voitures.count("AVANT"), 1u);
  EXPECT_EQ(catalogue.Voitures.count("APRES"), cas.fin.empty() ? 0u : 1u);
  if (!cas.fin.empty()) {
    EXPECT_EQ(catalogue.Voitures.at("APRES")->fMass.valeur, "p0");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Limite, Longueurs,
    ::testing::Values(CasLongueur{11999, "\n", true}, CasLongueur{12000, "\n", false},
                      CasLongueur{11999, "\r\n", true}, CasLongueur{12000, "\r\n", false},
                      CasLongueur{11999, "", true}, CasLongueur{12000, "", false},
                      CasLongueur{200000, "\n", false}));

struct CasAjout {
  const char* nom;
  std::string fichier;
  std::string cles;  // the maps' keys after opening and attaching
};
void PrintTo(const CasAjout& c, std::ostream* os) {
  *os << c.nom;
}

class Ajouts : public ::testing::TestWithParam<CasAjout> {};

// A vehicle or anim group the catalogue lacks is kept from a complete line only, and a special
// record without any car line goes; the stock records all stay.
TEST_P(Ajouts, SeulesLesLignesCompletesRestent) {
  Catalogue catalogue;
  LireDefauts(catalogue, Fixture("petit.dat"));
  Ouvrir(catalogue, GetParam().fichier);
  EXPECT_EQ(Cles(catalogue), GetParam().cles);
}

const std::string stock = "V:BRISE,COMET,ZEPHYR M:MOUCHE A:HERON B:ALIZE G:0,1,3";

INSTANTIATE_TEST_SUITE_P(
    Fichiers, Ajouts,
    ::testing::Values(
        CasAjout{"voiture_complete", LigneVoiture("NOUVELLE", "n"),
                 "V:BRISE,COMET,NOUVELLE,ZEPHYR M:MOUCHE A:HERON B:ALIZE G:0,1,3"},
        CasAjout{"voiture_courte", "NOUVELLE " + Suite("n", 35), stock},
        CasAjout{"voiture_groupe_non_entier", "NOUVELLE " + Suite("n", 35) + " x", stock},
        CasAjout{"moto_et_sa_voiture",
                 LigneSpeciale('!', "VESPA", "m") + "\n" + LigneVoiture("VESPA", "v"),
                 "V:BRISE,COMET,ZEPHYR M:MOUCHE,VESPA A:HERON B:ALIZE G:0,1,3"},
        CasAjout{"moto_sans_voiture", LigneSpeciale('!', "VESPA", "m"), stock},
        CasAjout{"voiture_et_moto_courte",
                 LigneVoiture("VESPA", "v") + "\n! VESPA " + Suite("m", 14),
                 "V:BRISE,COMET,VESPA,ZEPHYR M:MOUCHE A:HERON B:ALIZE G:0,1,3"},
        CasAjout{"bateau_et_avion_d_une_voiture",
                 LigneSpeciale('%', "AMPHI", "b") + "\n" + LigneSpeciale('$', "AMPHI", "a") + "\n" +
                     LigneVoiture("AMPHI", "v"),
                 "V:BRISE,COMET,ZEPHYR M:MOUCHE A:AMPHI,HERON B:ALIZE,AMPHI G:0,1,3"},
        CasAjout{"bateau_d_une_moto_existante", LigneSpeciale('%', "MOUCHE", "b"),
                 "V:BRISE,COMET,ZEPHYR M:MOUCHE A:HERON B:ALIZE,MOUCHE G:0,1,3"},
        CasAjout{"groupes", LigneGroupe(7, "g") + "\n^ 8 " + Suite("g", 19),
                 "V:BRISE,COMET,ZEPHYR M:MOUCHE A:HERON B:ALIZE G:0,1,3,7"},
        CasAjout{"groupe_negatif", LigneGroupe(-2, "g"),
                 "V:BRISE,COMET,ZEPHYR M:MOUCHE A:HERON B:ALIZE G:-2,0,1,3"}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST_F(Lecture, AjoutPrendSesValeursPourDefauts) {
  Ouvrir(catalogue, LigneSpeciale('!', "VESPA", "m") + "\n" + LigneVoiture("VESPA", "v", 3) + "\n" +
                        LigneVoiture("VESPA", "w", 1) + "\n" + LigneGroupe(7, "g", 16));
  const MOTO& vespa = *catalogue.Motos.at("VESPA");
  ASSERT_NE(vespa.voiture, nullptr);
  EXPECT_EQ(vespa.LeanFwdCOM.origine, "m0");
  EXPECT_EQ(vespa.StoppieStabMult.valeur, "m14");
  // The repeated car line wins, for the defaults as well.
  EXPECT_EQ(vespa.voiture->fMass.origine, "w0");
  EXPECT_EQ(vespa.voiture->hFlags.valeur, "w34");
  EXPECT_EQ(vespa.voiture->m_nAnimGroup.origine, 1);
  EXPECT_EQ(catalogue.AnimGroups.at(7)->SpecialFlag.origine, 16);

  // A later file that leaves them out keeps them, as it keeps every stock record.
  Ouvrir(catalogue, "; rien");
  ASSERT_EQ(catalogue.Motos.count("VESPA"), 1u);
  EXPECT_EQ(catalogue.Motos.at("VESPA")->voiture, vespa.voiture);
  EXPECT_EQ(catalogue.Voitures.count("VESPA"), 0u);
  EXPECT_EQ(catalogue.AnimGroups.count(7), 1u);
}

TEST_F(Lecture, LigneSpecialeAvantOuApresSaVoiture) {
  const std::string moto = LigneSpeciale('!', "MOUCHE", "m");
  const std::string car = LigneVoiture("MOUCHE", "v", 4);
  Ouvrir(catalogue, moto + "\n" + car);
  EXPECT_EQ(Decrire(catalogue), ApresOuverture(car + "\n" + moto));
  EXPECT_EQ(catalogue.Motos.at("MOUCHE")->voiture->fMass.valeur, "v0");
  EXPECT_EQ(catalogue.Motos.at("MOUCHE")->voiture->fMass.origine, "380.0");
}

TEST_F(Lecture, LigneRepeteeLaDerniereGagnePourSesValeurs) {
  Ouvrir(catalogue, LigneVoiture("BRISE", "a", 1) + "\nBRISE " + Suite("b", 20));
  const auto textes = catalogue.Voitures.at("BRISE")->textes();
  for (int i = 0; i < CAISSE::NbTextes; ++i)
    EXPECT_EQ(textes[i]->valeur, (i < 20 ? "b" : "a") + std::to_string(i)) << i;
  EXPECT_EQ(catalogue.Voitures.at("BRISE")->m_nAnimGroup.valeur, 1);
}

TEST(Defauts, NomRepeteRemplaceLEnregistrement) {
  Catalogue catalogue;
  LireDefauts(catalogue, LigneVoiture("A", "x") + "\n" + LigneVoiture("A", "y") + "\n" +
                             LigneGroupe(2, "g") + "\n" + LigneGroupe(2, "h") + "\nB " +
                             Suite("z", 3));
  EXPECT_EQ(catalogue.Voitures.at("A")->fMass.origine, "y0");
  EXPECT_EQ(catalogue.AnimGroups.at(2)->Enter1.origine, "h0");
  // A short stock line still makes a record; its missing values are empty.
  EXPECT_EQ(catalogue.Voitures.at("B")->CentreOfMass.x.origine, "");
  EXPECT_EQ(catalogue.Voitures.at("B")->fMass.valeur, "z0");
}

// One short line must not spoil the lines after it.
TEST_F(Lecture, ChaqueLigneRepartAZero) {
  Ouvrir(catalogue, "BRISE a0 a1\n" + LigneVoiture("ZEPHYR", "z", 3) + "\n! MOUCHE m0\n" +
                        LigneGroupe(1, "g", 2) + "\n^ 0 std\n" + LigneSpeciale('$', "HERON", "h"));
  EXPECT_EQ(catalogue.Voitures.at("BRISE")->fDragMult.valeur, "a1");
  EXPECT_EQ(catalogue.Voitures.at("BRISE")->nPercentSubmerged.valeur, "75");
  EXPECT_EQ(catalogue.Voitures.at("ZEPHYR")->hFlags.valeur, "z34");
  EXPECT_EQ(catalogue.Voitures.at("ZEPHYR")->m_nAnimGroup.valeur, 3);
  EXPECT_EQ(catalogue.AnimGroups.at(1)->SpecialFlag.valeur, 2);
  EXPECT_EQ(catalogue.Avions.at("HERON")->SpeedRes.z.valeur, "h21");
}

TEST_F(Lecture, FichierSuivantGardeCeQuIlNeCitePas) {
  Ouvrir(catalogue, LigneVoiture("BRISE", "u"));
  catalogue.Voitures.at("COMET")->fMass.valeur = "999";
  Ouvrir(catalogue, LigneVoiture("ZEPHYR", "z"));
  EXPECT_EQ(catalogue.Voitures.at("BRISE")->fMass.valeur, "u0");
  EXPECT_EQ(catalogue.Voitures.at("COMET")->fMass.valeur, "999");
  EXPECT_EQ(catalogue.Voitures.at("ZEPHYR")->fMass.valeur, "z0");
}

TEST_F(Lecture, CommentairesSeulsNeChangentRienMaisAttachent) {
  Ouvrir(catalogue, "; un commentaire\n#" + LigneVoiture("BRISE", "x") + "\n;");
  EXPECT_EQ(Cles(catalogue), stock);
  EXPECT_EQ(Decrire(catalogue), ApresOuverture(""));
}

// A vehicle with several special lines shares one car record: bikes take it first, then
// boats, then flying vehicles, each falling back on the kinds before it.
TEST(Attache, VoiturePartageeEtRendue) {
  Catalogue catalogue;
  LireDefauts(catalogue,
              LigneVoiture("AMPHI", "v") + "\n" + LigneVoiture("HYDRO", "w") + "\n" +
                  LigneSpeciale('$', "AMPHI", "a") + "\n" + LigneSpeciale('%', "AMPHI", "b") +
                  "\n" + LigneSpeciale('!', "AMPHI", "m") + "\n" +
                  LigneSpeciale('$', "HYDRO", "a") + "\n" + LigneSpeciale('%', "HYDRO", "b"));
  CAISSE* amphi = catalogue.Voitures.at("AMPHI");
  CAISSE* hydro = catalogue.Voitures.at("HYDRO");

  for (int fois = 1; fois <= 2; ++fois) {
    Ouvrir(catalogue, LigneVoiture("AMPHI", "x"));
    EXPECT_TRUE(catalogue.Voitures.empty());
    EXPECT_EQ(catalogue.Motos.at("AMPHI")->voiture, amphi);
    EXPECT_EQ(catalogue.Bateaux.at("AMPHI")->voiture, amphi);
    EXPECT_EQ(catalogue.Avions.at("AMPHI")->voiture, amphi);
    EXPECT_EQ(catalogue.Bateaux.at("HYDRO")->voiture, hydro);
    EXPECT_EQ(catalogue.Avions.at("HYDRO")->voiture, hydro);
  }

  ReturnCarRecords(catalogue);
  EXPECT_EQ(catalogue.Voitures.size(), 2u);
  EXPECT_EQ(catalogue.Voitures.at("AMPHI"), amphi);
  EXPECT_EQ(catalogue.Voitures.at("HYDRO"), hydro);
}

TEST_F(Lecture, RemiseATousLesDefauts) {
  Ouvrir(catalogue, Fixture("petit.dat"));
  const std::string defauts = Decrire(catalogue);
  Ouvrir(catalogue, LigneVoiture("BRISE", "x") + "\n" + LigneVoiture("MOUCHE", "x") + "\n" +
                        LigneSpeciale('$', "HERON", "x") + "\n" + LigneVoiture("ALIZE", "x") +
                        "\n" + LigneGroupe(3, "x"));
  ASSERT_NE(Decrire(catalogue), defauts);
  ResetAllRecords(catalogue);
  EXPECT_EQ(Decrire(catalogue), defauts);
}

}  // namespace
