#include <gtest/gtest.h>

#include <fstream>
#include <set>

#include "Outils.h"
#include "Registre.h"

namespace {

namespace fs = std::filesystem;
using platform::CheminJeu;

// A Wine prefix whose folders are spelt differently from what the registry says.
class PrefixeTemporaire : public testing::Test {
 protected:
  void SetUp() override {
    for (const char* dossier : {"drive_c/JEUX/morvane/Common/Data", "drive_c/Jeux Vidéo/Morvane",
                                "drive_c/Casse/DATA", "drive_c/Casse/data", "disque_d/Morvane"}) {
      fs::create_directories(racine() / dossier);
    }
    std::ofstream(racine() / "drive_c/JEUX/morvane/Common/Data/HANDLING.DAT") << "; handling\n";
    fs::create_directory(racine() / "dosdevices");
    fs::create_directory_symlink("../disque_d", racine() / "dosdevices" / "d:");
  }

  const fs::path& racine() const { return dossier_.chemin(); }

 private:
  DossierTemporaire dossier_;
  VariableEnvironnement prefixe_{"WINEPREFIX", dossier_.chemin().string()};
};

struct CasChemin {
  const char* nom;
  std::string_view dossier;
  std::string_view relatif;
  const char* attendu;  // inside the prefix
};

void PrintTo(const CasChemin& cas, std::ostream* os) {
  *os << cas.nom;
}

class CheminDansLePrefixe : public PrefixeTemporaire,
                            public testing::WithParamInterface<CasChemin> {};

TEST_P(CheminDansLePrefixe, RetrouveChaqueDossierSansEgardALaCasse) {
  const CasChemin& cas = GetParam();
  EXPECT_EQ(CheminJeu(cas.dossier, cas.relatif), racine() / cas.attendu);
}

constexpr const char* kFichierDuJeu = "drive_c/JEUX/morvane/Common/Data/HANDLING.DAT";

INSTANTIATE_TEST_SUITE_P(
    Windows, CheminDansLePrefixe,
    testing::Values(
        CasChemin{"casse_differente", R"(C:\Jeux\Morvane)", R"(\common\data\handling.dat)",
                  kFichierDuJeu},
        CasChemin{"lecteur_minuscule_barre_finale", R"(c:\jeux\morvane\)",
                  R"(\common\data\handling.dat)", kFichierDuJeu},
        CasChemin{"barres_obliques", "C:/Jeux/Morvane", "/common/data/handling.dat", kFichierDuJeu},
        CasChemin{"points", R"(C:\Jeux\Autre\..\Morvane)", R"(\.\common\data\handling.dat)",
                  kFichierDuJeu},
        CasChemin{"partie_absente_gardee_telle_quelle", R"(C:\Jeux\Absent)",
                  R"(\common\data\handling.dat)", "drive_c/JEUX/Absent/common/data/handling.dat"},
        CasChemin{"accents_sans_egard_a_la_casse", "C:\\JEUX VID\xC9O\\morvane", R"(\x)",
                  "drive_c/Jeux Vidéo/Morvane/x"},
        CasChemin{"autre_lecteur", R"(D:\morvane)", R"(\handling.dat)",
                  "dosdevices/d:/Morvane/handling.dat"},
        CasChemin{"sans_lecteur", R"(\Jeux\Morvane)", "", "drive_c/JEUX/morvane"},
        CasChemin{"nom_exact_avant_les_autres", R"(C:\Casse\data)", "", "drive_c/Casse/data"}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST_F(PrefixeTemporaire, LeFichierDuJeuSeTrouveParLeRegistreDuPrefixe) {
  std::ofstream(racine() / "system.reg")
      << "WINE REGISTRY Version 2\n\n[Software\\\\Wow6432Node\\\\Tamberlin Games\\\\Morvane] 1\n"
         "\"InstallFolder\"=\"C:\\\\Jeux\\\\Morvane\"\n";
  const auto dossier =
      platform::LireRegistreHKLM("SOFTWARE\\Tamberlin Games\\Morvane", "InstallFolder");
  ASSERT_TRUE(dossier.has_value());
  const fs::path chemin = CheminJeu(*dossier, "\\common\\data\\handling.dat");
  EXPECT_EQ(chemin, racine() / kFichierDuJeu);
  EXPECT_TRUE(fs::is_regular_file(chemin));
}

struct CasJoindre {
  const char* nom;
  std::string_view relatif;
  const char* attendu;
};

void PrintTo(const CasJoindre& cas, std::ostream* os) {
  *os << cas.nom;
}

class Jointure : public testing::TestWithParam<CasJoindre> {};

TEST_P(Jointure, SeparateursDeCettePlateforme) {
  EXPECT_EQ(platform::Joindre("/base", GetParam().relatif), fs::path(GetParam().attendu));
}

INSTANTIATE_TEST_SUITE_P(
    NomsWindows, Jointure,
    testing::Values(CasJoindre{"point", R"(.\backup\handling.dat.backup)",
                               "/base/backup/handling.dat.backup"},
                    CasJoindre{"barre_en_tete", R"(\mini_screen\x.jpg)", "/base/mini_screen/x.jpg"},
                    CasJoindre{"separateurs_melanges", R"(a/b\\c)", "/base/a/b/c"},
                    CasJoindre{"vide", "", "/base"}, CasJoindre{"point_seul", R"(.\)", "/base"},
                    CasJoindre{"parent_garde", R"(..\x)", "/base/../x"},
                    CasJoindre{"windows_1252", "For\xEAt.jpg", "/base/Forêt.jpg"}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(Windows1252, ChaqueOctetFaitLAllerRetourParUtf8) {
  std::set<std::string> formes;
  for (int octet = 1; octet < 256; ++octet) {
    const std::string ansi(1, static_cast<char>(octet));
    const std::string utf8 = platform::Utf8DepuisAnsi(ansi);
    formes.insert(utf8);
    EXPECT_EQ(platform::AnsiDepuisUtf8(utf8), ansi) << "octet " << octet;
  }
  EXPECT_EQ(formes.size(), 255u);
  EXPECT_EQ(platform::Utf8DepuisAnsi("\x80\x8C\x9F\xE9\x81"), "€ŒŸé\u0081");
}

TEST(Windows1252, CeQuiNAPasDeFormeEnHuitBitsEstRefuse) {
  for (const std::string_view utf8 : {"中", "😀", "\xC3", "\xC0\x80", "\xED\xA0\x80", "a\xFF"}) {
    EXPECT_EQ(platform::AnsiDepuisUtf8(utf8), std::nullopt) << utf8;
  }
}

TEST(Windows1252, MajusculesCommeWindowsLesCompare) {
  EXPECT_EQ(platform::MajusculesAnsi("az\xE0\xE9\xFE\x9A\x9C\x9E\xFF"),
            "AZ\xC0\xC9\xDE\x8A\x8C\x8E\x9F");
  // Division sign, sharp s, micro sign, digits and punctuation have no upper case of their own.
  EXPECT_EQ(platform::MajusculesAnsi("\xF7\xDF\xB5 09_[]"), "\xF7\xDF\xB5 09_[]");
}

}  // namespace
