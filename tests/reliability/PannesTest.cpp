#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "AtomicFile.h"
#include "Catalogues.h"
#include "HandlingWriter.h"
#include "Outils.h"

namespace fs = std::filesystem;

namespace {

// Saving writes the opened catalogue (one value changed) through the writer; restoring puts the
// backup's bytes in place, as the restore command does once it has read the backup.
enum class Operation { Enregistrer, Restaurer };

const std::string kSauvegarde = "; backup copy\r\nZ 1 2 3\r\n\x1a";

std::string Executer(Operation operation, const Catalogue& catalogue, const fs::path& cible) {
  if (operation == Operation::Restaurer) return RemplacerFichier(cible, kSauvegarde);
  const ResultatEcriture resultat = WriteHandlingFile(catalogue, cible);
  EXPECT_EQ(resultat.ok, resultat.raison.empty());
  return resultat.raison;
}

struct Panne {
  const char* nom;
  bool droits;  // the fault is a permission bit: only an unprivileged user meets it
  // Breaks the machine once `fichier` (in `dossier`) is open; returns the path written to.
  std::function<fs::path(const fs::path& dossier, const fs::path& fichier)> casser;
  const char* raison;  // how the reason the user is shown begins
};

const Panne kPannes[] = {
    {"FolderReadOnly", true,
     [](const fs::path& dossier, const fs::path& fichier) {
       fs::permissions(dossier, fs::perms::owner_read | fs::perms::owner_exec);
       return fichier;
     },
     "accès refusé"},
    {"FileReadOnly", true,
     [](const fs::path&, const fs::path& fichier) {
       fs::permissions(fichier, fs::perms::owner_read | fs::perms::group_read);
       return fichier;
     },
     "accès refusé"},
    {"LinkIntoReadOnlyFolder", true,
     [](const fs::path& dossier, const fs::path& fichier) {
       const fs::path ailleurs = dossier.parent_path() / "ailleurs";
       fs::create_directory(ailleurs);
       fs::copy_file(fichier, ailleurs / "vrai.dat");
       fs::permissions(ailleurs, fs::perms::owner_read | fs::perms::owner_exec);
       fs::create_symlink(ailleurs / "vrai.dat", dossier / "lien.dat");
       return dossier / "lien.dat";
     },
     "accès refusé"},
    {"FolderRemovedAfterOpen", false,
     [](const fs::path& dossier, const fs::path& fichier) {
       fs::remove_all(dossier);
       return fichier;
     },
     "dossier introuvable"},
    {"PathThroughAFile", false,
     [](const fs::path& dossier, const fs::path&) {
       EcrireTout(dossier / "plan", "not a folder");
       return dossier / "plan" / "handling.dat";
     },
     "dossier introuvable"},
    {"TargetIsAFolder", false,
     [](const fs::path& dossier, const fs::path&) {
       fs::create_directory(dossier / "handling.cfg");
       return dossier / "handling.cfg";
     },
     "le chemin désigne un dossier"},
};

void PrintTo(const Panne& p, std::ostream* os) {
  *os << p.nom;
}
void PrintTo(Operation o, std::ostream* os) {
  *os << (o == Operation::Enregistrer ? "save" : "restore");
}

class PanneEcriture : public ::testing::TestWithParam<std::tuple<Panne, Operation>> {};

// A save or a restore that meets a fault leaves every byte on disk as it was, leaves no
// temporary file behind, and says why.
TEST_P(PanneEcriture, LeavesTheDiskAsItWasAndSaysWhy) {
  const auto& [panne, operation] = GetParam();
  if (panne.droits && RejouerCommeNobody()) return;
  DossierTemporaire racine;
  const fs::path dossier = racine.chemin() / "data";
  fs::create_directory(dossier);
  const fs::path fichier = dossier / "handling.dat";
  const std::string ancien = TexteJeu();
  EcrireTout(fichier, ancien);
  CatalogueOuvert ouvert(ancien);
  ouvert.catalogue.Voitures.begin()->second->fMass.valeur = "1234.5";

  const fs::path cible = panne.casser(dossier, fichier);
  const Etat avant = Photo(racine.chemin(), cible);
  const std::string raison = Executer(operation, ouvert.catalogue, cible);

  EXPECT_TRUE(raison.starts_with(panne.raison)) << raison;
  EXPECT_EQ(Photo(racine.chemin(), cible), avant);
}

INSTANTIATE_TEST_SUITE_P(Pannes, PanneEcriture,
                         ::testing::Combine(::testing::ValuesIn(kPannes),
                                            ::testing::Values(Operation::Enregistrer,
                                                              Operation::Restaurer)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).nom) +
                                  (std::get<1>(info.param) == Operation::Enregistrer ? "_Save"
                                                                                     : "_Restore");
                         });

// Runs `corps` in a forked child whose files may not grow beyond `limite` bytes, as on a full
// disk; returns what it returned. SIGXFSZ is ignored there so that the write fails instead.
std::string AvecLimiteDeTaille(rlim_t limite, const std::function<std::string()>& corps) {
  int tube[2];
  if (::pipe(tube) != 0) return "pipe failed";
  const pid_t enfant = ::fork();
  if (enfant == 0) {
    ::close(tube[0]);
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit r{limite, limite};
    std::string resultat = ::setrlimit(RLIMIT_FSIZE, &r) == 0 ? corps() : "setrlimit failed";
    if (resultat.empty()) resultat = "ok";
    const ssize_t n = ::write(tube[1], resultat.data(), resultat.size());
    ::_exit(n == static_cast<ssize_t>(resultat.size()) ? 0 : 1);
  }
  ::close(tube[1]);
  std::string resultat;
  char tampon[512];
  for (ssize_t n; (n = ::read(tube[0], tampon, sizeof tampon)) > 0;) resultat.append(tampon, n);
  ::close(tube[0]);
  int statut = 0;
  ::waitpid(enfant, &statut, 0);
  EXPECT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 0) << "child status " << statut;
  return resultat;
}

struct Limite {
  const char* nom;
  rlim_t (*octets)(std::size_t taille);  // from the size of what is written
  bool reussit;
};

const Limite kLimites[] = {
    {"NothingFits", [](std::size_t) -> rlim_t { return 0; }, false},
    {"OneByteFits", [](std::size_t) -> rlim_t { return 1; }, false},
    {"HalfFits", [](std::size_t t) -> rlim_t { return t / 2; }, false},
    {"AllButTheLastByteFits", [](std::size_t t) -> rlim_t { return t - 1; }, false},
    {"ExactlyFits", [](std::size_t t) -> rlim_t { return t; }, true},
};

void PrintTo(const Limite& l, std::ostream* os) {
  *os << l.nom;
}

class DisquePlein : public ::testing::TestWithParam<std::tuple<Limite, Operation>> {};

// Disk full at any point of the write: the old bytes stay, the temporary file goes. Once the
// whole file fits, the new bytes are there.
TEST_P(DisquePlein, KeepsTheOldBytesUntilTheNewOnesFit) {
  const auto& [limite, operation] = GetParam();
  DossierTemporaire dossier;
  const fs::path fichier = dossier.chemin() / "handling.dat";
  const std::string ancien = TexteJeu();
  EcrireTout(fichier, ancien);
  CatalogueOuvert ouvert(ancien);
  ouvert.catalogue.Voitures.begin()->second->fMass.valeur = "1234.5";
  const std::string nouveau =
      operation == Operation::Restaurer ? kSauvegarde : TexteHandling(ouvert.catalogue);

  const std::string resultat = AvecLimiteDeTaille(limite.octets(nouveau.size()), [&] {
    return Executer(operation, ouvert.catalogue, fichier);
  });

  if (limite.reussit) {
    EXPECT_EQ(resultat, "ok");
    EXPECT_EQ(LireTout(fichier), nouveau);
  } else {
    EXPECT_TRUE(resultat.starts_with("fichier trop volumineux")) << resultat;
    EXPECT_EQ(LireTout(fichier), ancien);
  }
  EXPECT_EQ(Entrees(dossier.chemin()), std::vector<std::string>{"handling.dat"});
}

INSTANTIATE_TEST_SUITE_P(Limites, DisquePlein,
                         ::testing::Combine(::testing::ValuesIn(kLimites),
                                            ::testing::Values(Operation::Enregistrer,
                                                              Operation::Restaurer)),
                         [](const auto& info) {
                           return std::string(std::get<0>(info.param).nom) +
                                  (std::get<1>(info.param) == Operation::Enregistrer ? "_Save"
                                                                                     : "_Restore");
                         });

}  // namespace
