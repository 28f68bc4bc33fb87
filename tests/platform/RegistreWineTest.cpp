#include <gtest/gtest.h>

#include <fstream>

#include "Outils.h"
#include "Registre.h"

namespace {

using platform::LireRegistreHKLM;
using platform::LireValeurWine;

constexpr std::string_view kCle = "SOFTWARE\\Tamberlin Games\\Morvane";
constexpr std::string_view kNom = "InstallFolder";

// One key as Wine writes it: header line with its time stamp, then the value lines.
std::string Section(std::string_view cle, std::string_view lignes) {
  return "[" + std::string(cle) + "] 1712345690\n#time=1da8c2b5f0a1b22\n" + std::string(lignes) +
         "\n\n";
}

std::string Fichier(std::string_view sections) {
  return "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n#arch=win64\n\n" +
         std::string(sections);
}

std::string Dossier(std::string_view texte) {
  return R"("InstallFolder"=")" + std::string(texte) + "\"";
}

const std::string kPlain = R"(Software\\Tamberlin Games\\Morvane)";
const std::string kWow = R"(Software\\Wow6432Node\\Tamberlin Games\\Morvane)";

struct CasWine {
  const char* nom;
  std::string texte;
  std::optional<std::string> attendu;
  std::string_view cle = kCle;
  std::string_view valeur = kNom;
};

void PrintTo(const CasWine& cas, std::ostream* os) {
  *os << cas.nom;
}

class LectureWine : public testing::TestWithParam<CasWine> {};

TEST_P(LectureWine, TrouveLaValeurCommeWindowsLaLirait) {
  const CasWine& cas = GetParam();
  EXPECT_EQ(LireValeurWine(Fichier(cas.texte), cas.cle, cas.valeur), cas.attendu);
}

INSTANTIATE_TEST_SUITE_P(
    SystemReg, LectureWine,
    testing::Values(
        CasWine{"vue_ordinaire", Section(kPlain, Dossier(R"(C:\\Games\\Morvane)")),
                R"(C:\Games\Morvane)"},
        CasWine{"vue_wow6432node", Section(kWow, Dossier(R"(C:\\Games\\Morvane)")),
                R"(C:\Games\Morvane)"},
        CasWine{"vue_32_bits_avant_l_autre",
                Section(kPlain, Dossier(R"(C:\\Jeux64)")) + Section(kWow, Dossier(R"(C:\\Jeux32)")),
                R"(C:\Jeux32)"},
        CasWine{"vue_32_bits_sans_la_valeur",
                Section(kWow, R"("Version"="1.0")") + Section(kPlain, Dossier(R"(C:\\Jeux64)")),
                R"(C:\Jeux64)"},
        CasWine{"trop_long_dans_la_vue_32_bits",
                Section(kWow, Dossier(std::string(255, 'a'))) + Section(kPlain, Dossier("C:")),
                std::nullopt},
        CasWine{"casse_de_la_cle", Section(R"(SOFTWARE\\TAMBERLIN GAMES\\morvane)", Dossier("C:")),
                "C:", "software\\tamberlin games\\Morvane"},
        CasWine{"casse_du_nom", Section(kPlain, R"("INSTALLFOLDER"="C:")"), "C:", kCle,
                "installFolder"},
        CasWine{"separateurs_en_trop", Section(kPlain, Dossier("C:")),
                "C:", "\\SOFTWARE\\\\Tamberlin Games\\Morvane\\"},
        CasWine{"barres_et_guillemets", Section(kPlain, Dossier(R"(C:\\Jeux \"Morvane\"\\)")),
                R"(C:\Jeux "Morvane"\)"},
        CasWine{"controles_et_octal", Section(kPlain, Dossier(R"(a\tb\nc\101\e)")), "a\tb\ncA\x1b"},
        CasWine{"hexadecimal", Section(kPlain, Dossier(R"(vid\xe9o \x00e9a \x20ac \x4e2d \xz)")),
                "vid\xE9o \xE9"
                "a \x80 ? x"
                "z"},
        CasWine{"utf8_brut", Section(kPlain, Dossier(R"(C:\\Jeux vidéo)")), "C:\\Jeux vid\xE9o"},
        CasWine{"type_str_2", Section(kPlain, R"("InstallFolder"=str(2):"%ProgramFiles%\\M")"),
                R"(%ProgramFiles%\M)"},
        CasWine{"type_str", Section(kPlain, R"("InstallFolder"=str:"C:\\M")"), R"(C:\M)"},
        CasWine{"type_str_7_premier_texte",
                Section(kPlain, R"("InstallFolder"=str(7):"C:\\Un\0C:\\Deux\0")"), R"(C:\Un)"},
        CasWine{"type_nombre", Section(kPlain, R"("InstallFolder"=dword:00000001)"), std::nullopt},
        CasWine{"guillemet_non_ferme", Section(kPlain, R"("InstallFolder"="C:\\Jeux)"),
                std::nullopt},
        CasWine{"derniere_ligne_gagne",
                Section(kPlain, Dossier(R"(C:\\Avant)") + "\n" + Dossier(R"(C:\\Apres)")),
                R"(C:\Apres)"},
        CasWine{"fins_de_ligne_crlf",
                "[" + kPlain + "] 1712345690\r\n" + Dossier(R"(C:\\M)") + "\r\n", R"(C:\M)"},
        CasWine{"valeur_par_defaut", Section(kPlain, R"(@="C:\\Defaut")"), R"(C:\Defaut)", kCle,
                ""},
        CasWine{"valeur_absente_de_la_cle",
                Section(kPlain, R"("Version"="1.0")"
                                "\n"
                                R"(@="C:\\Defaut")") +
                    Section(kPlain + R"(\\Patch)", Dossier(R"(C:\\Patch)")),
                std::nullopt},
        CasWine{"cle_absente",
                Section(R"(Software\\Tamberlin Games)", Dossier("C:")) +
                    Section(kPlain + "2", Dossier("C:")),
                std::nullopt},
        // 252 letters, one escaped backslash and one hex escape: 254 bytes once decoded.
        CasWine{"254_octets", Section(kPlain, Dossier(std::string(252, 'a') + R"(\\\xe9)")),
                std::string(252, 'a') + "\\\xE9"},
        CasWine{"255_octets", Section(kPlain, Dossier(std::string(255, 'a'))), std::nullopt}),
    [](const testing::TestParamInfo<CasWine>& info) { return std::string(info.param.nom); });

TEST(RegistreMachine, LitLeSystemRegDuPrefixeWine) {
  const VariableEnvironnement prefixe("WINEPREFIX", QUINTREL_PREFIXE_WINE);
  EXPECT_EQ(LireRegistreHKLM(kCle, kNom), "C:\\Jeux vid\xE9o\\Morvane");
  EXPECT_EQ(LireRegistreHKLM(kCle, "Language"),
            "fran\xE7"
            "ais");
  EXPECT_EQ(LireRegistreHKLM(kCle, "Patches"), std::nullopt);

  const DossierTemporaire vide;
  const VariableEnvironnement sansRegistre("WINEPREFIX", vide.chemin().string());
  EXPECT_EQ(LireRegistreHKLM(kCle, kNom), std::nullopt);
}

struct CasPrefixe {
  const char* nom;
  std::optional<std::string> winePrefix;
  std::string attendu;
};

void PrintTo(const CasPrefixe& cas, std::ostream* os) {
  *os << cas.nom;
}

class Prefixe : public testing::TestWithParam<CasPrefixe> {};

TEST_P(Prefixe, SuitWineprefixSinonLeDossierPersonnel) {
  const VariableEnvironnement maison("HOME", "/maison/test");
  const VariableEnvironnement prefixe("WINEPREFIX", GetParam().winePrefix);
  EXPECT_EQ(platform::PrefixeWine(), std::filesystem::path(GetParam().attendu));
}

INSTANTIATE_TEST_SUITE_P(Environnement, Prefixe,
                         testing::Values(CasPrefixe{"defini", "/jeux/prefixe", "/jeux/prefixe"},
                                         CasPrefixe{"vide", "", "/maison/test/.wine"},
                                         CasPrefixe{"absent", std::nullopt, "/maison/test/.wine"}),
                         [](const auto& info) { return std::string(info.param.nom); });

TEST(RegistreMachine, SuitLeDossierPersonnelSansWineprefix) {
  const DossierTemporaire maison;
  std::filesystem::create_directory(maison.chemin() / ".wine");
  std::ofstream(maison.chemin() / ".wine" / "system.reg")
      << Fichier(Section(kWow, Dossier(R"(D:\\Morvane)")));
  const VariableEnvironnement home("HOME", maison.chemin().string());
  const VariableEnvironnement prefixe("WINEPREFIX", std::nullopt);
  EXPECT_EQ(LireRegistreHKLM(kCle, kNom), R"(D:\Morvane)");
}

struct CasRemplacant {
  const char* nom;
  std::optional<std::string> reponse;
  std::optional<std::string> attendu;
};

void PrintTo(const CasRemplacant& cas, std::ostream* os) {
  *os << cas.nom;
}

class RegistreRemplace : public testing::TestWithParam<CasRemplacant> {
 protected:
  void TearDown() override { platform::registreDeTest() = nullptr; }
};

// The machine holds a value too; the fixture alone must answer, under the same buffer limit.
TEST_P(RegistreRemplace, LeRemplacantRepondALaPlaceDeLaMachine) {
  const VariableEnvironnement prefixe("WINEPREFIX", QUINTREL_PREFIXE_WINE);
  std::string cleDemandee;
  std::string nomDemande;
  platform::registreDeTest() = [&](std::string_view cle, std::string_view nom) {
    cleDemandee = cle;
    nomDemande = nom;
    return GetParam().reponse;
  };
  EXPECT_EQ(LireRegistreHKLM(kCle, kNom), GetParam().attendu);
  EXPECT_EQ(cleDemandee, kCle);
  EXPECT_EQ(nomDemande, kNom);
}

INSTANTIATE_TEST_SUITE_P(
    Reponses, RegistreRemplace,
    testing::Values(CasRemplacant{"texte", R"(C:\Test)", R"(C:\Test)"},
                    CasRemplacant{"absent", std::nullopt, std::nullopt},
                    CasRemplacant{"254_octets", std::string(254, 'b'), std::string(254, 'b')},
                    CasRemplacant{"255_octets", std::string(255, 'b'), std::nullopt},
                    CasRemplacant{"zero_interne", std::string("C:\\A\0reste", 10), R"(C:\A)"}),
    [](const auto& info) { return std::string(info.param.nom); });

}  // namespace
