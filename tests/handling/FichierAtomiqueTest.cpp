#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

#include "Aides.h"
#include "AtomicFile.h"

namespace fs = std::filesystem;

namespace {

struct CasEchec {
  const char* nom;
  // Prepares the folder and returns the path to save to.
  fs::path (*preparer)(const fs::path& dossier);
  const char* raison;
};
void PrintTo(const CasEchec& c, std::ostream* os) {
  *os << c.nom;
}

class EchecRemplacement : public ::testing::TestWithParam<CasEchec> {};

// Failures that root meets as well: the old file, if any, keeps its bytes and no temporary file
// stays behind.
TEST_P(EchecRemplacement, LaisseToutEnPlace) {
  DossierTemporaire dossier;
  EcrireTout(dossier.chemin() / "handling.dat", "ancien");
  const fs::path cible = GetParam().preparer(dossier.chemin());
  const std::string avant = dossier.contenu();

  const std::string raison = RemplacerFichier(cible, "nouveau");
  EXPECT_NE(raison.find(GetParam().raison), std::string::npos) << raison;
  // Our words, then the system's in brackets.
  EXPECT_NE(raison.find(" ("), std::string::npos) << raison;
  EXPECT_EQ(dossier.contenu(), avant);
  EXPECT_EQ(LireTout(dossier.chemin() / "handling.dat"), "ancien");
}

INSTANTIATE_TEST_SUITE_P(Causes, EchecRemplacement,
                         ::testing::Values(CasEchec{"chemin_par_un_fichier",
                                                    [](const fs::path& d) {
                                                      return d / "handling.dat" / "handling.dat";
                                                    },
                                                    "dossier introuvable"},
                                           CasEchec{"dossier_supprime",
                                                    [](const fs::path& d) {
                                                      fs::create_directory(d / "parti");
                                                      fs::remove(d / "parti");
                                                      return d / "parti" / "handling.dat";
                                                    },
                                                    "dossier introuvable"},
                                           CasEchec{"cible_est_un_dossier",
                                                    [](const fs::path& d) {
                                                      fs::create_directory(d / "data");
                                                      EcrireTout(d / "data" / "garde", "x");
                                                      return d / "data";
                                                    },
                                                    "dossier"}),
                         [](const auto& info) { return std::string(info.param.nom); });

// The disk fills up half-way: simulated with a file-size limit in a child process, which then
// gets EFBIG instead of being killed by SIGXFSZ.
TEST(Remplacement, LimiteDeTailleAtteinte) {
  DossierTemporaire dossier;
  const fs::path cible = dossier.chemin() / "handling.dat";
  EcrireTout(cible, "ancien");

  int tube[2];
  ASSERT_EQ(pipe(tube), 0);
  const pid_t enfant = fork();
  ASSERT_GE(enfant, 0);
  if (enfant == 0) {
    close(tube[0]);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limite{4096, 4096};
    setrlimit(RLIMIT_FSIZE, &limite);
    const std::string raison = RemplacerFichier(cible, std::string(100000, 'x'));
    const bool ecrit =
        write(tube[1], raison.data(), raison.size()) == static_cast<ssize_t>(raison.size());
    _exit(ecrit ? 0 : 1);
  }
  close(tube[1]);
  std::string raison;
  char bloc[256];
  for (ssize_t n; (n = read(tube[0], bloc, sizeof bloc)) > 0;) raison.append(bloc, n);
  close(tube[0]);
  int etat = 0;
  ASSERT_EQ(waitpid(enfant, &etat, 0), enfant);
  ASSERT_TRUE(WIFEXITED(etat) && WEXITSTATUS(etat) == 0);

  EXPECT_NE(raison.find("fichier trop volumineux"), std::string::npos) << raison;
  EXPECT_EQ(LireTout(cible), "ancien");
  EXPECT_EQ(dossier.contenu(), "handling.dat");
}

TEST(Remplacement, GardeLesDroitsDeLaCible) {
  DossierTemporaire dossier;
  const fs::path cible = dossier.chemin() / "handling.dat";
  EcrireTout(cible, "ancien contenu plus long");
  ASSERT_EQ(chmod(cible.c_str(), 0640), 0);

  ASSERT_EQ(RemplacerFichier(cible, std::string("neuf\r\n\0;", 8)), "");
  EXPECT_EQ(LireTout(cible), std::string("neuf\r\n\0;", 8));
  struct stat infos {};
  ASSERT_EQ(stat(cible.c_str(), &infos), 0);
  EXPECT_EQ(infos.st_mode & 07777, 0640u);
  EXPECT_EQ(dossier.contenu(), "handling.dat");
}

TEST(Remplacement, NouveauFichierSelonLeMasque) {
  DossierTemporaire dossier;
  const fs::path cible = dossier.chemin() / "handling.dat";
  const mode_t masque = umask(027);
  const std::string raison = RemplacerFichier(cible, "neuf");
  umask(masque);
  ASSERT_EQ(raison, "");
  EXPECT_EQ(LireTout(cible), "neuf");
  struct stat infos {};
  ASSERT_EQ(stat(cible.c_str(), &infos), 0);
  EXPECT_EQ(infos.st_mode & 07777, 0640u);
}

// Saving through a link replaces the file it points to and leaves the link in place.
TEST(Remplacement, LienSymbolique) {
  DossierTemporaire dossier;
  fs::create_directory(dossier.chemin() / "jeu");
  EcrireTout(dossier.chemin() / "jeu" / "handling.dat", "ancien");
  fs::create_symlink("jeu/handling.dat", dossier.chemin() / "lien.dat");

  ASSERT_EQ(RemplacerFichier(dossier.chemin() / "lien.dat", "neuf"), "");
  EXPECT_TRUE(fs::is_symlink(dossier.chemin() / "lien.dat"));
  EXPECT_EQ(LireTout(dossier.chemin() / "jeu" / "handling.dat"), "neuf");
  EXPECT_EQ(dossier.contenu(), "jeu lien.dat");
}

TEST(LectureFichier, OctetsBrutsOuRaison) {
  DossierTemporaire dossier;
  const std::string octets("a\r\n\0\x1A\xFF", 6);
  EcrireTout(dossier.chemin() / "f.dat", octets);
  std::string contenu = "reste";
  EXPECT_EQ(LireFichier(dossier.chemin() / "f.dat", contenu), "");
  EXPECT_EQ(contenu, octets);

  const struct {
    fs::path chemin;
    const char* raison;
  } echecs[] = {{dossier.chemin() / "absent.dat", "fichier introuvable"},
                {dossier.chemin() / "f.dat" / "x", "fichier introuvable"},
                {dossier.chemin(), "dossier"}};
  for (const auto& echec : echecs) {
    contenu = "reste";
    const std::string raison = LireFichier(echec.chemin, contenu);
    EXPECT_NE(raison.find(echec.raison), std::string::npos) << echec.chemin << ": " << raison;
    EXPECT_EQ(contenu, "");
  }
}

}  // namespace
