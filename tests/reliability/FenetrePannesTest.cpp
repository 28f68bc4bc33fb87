#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "Catalogues.h"
#include "Fenetre.h"

namespace fs = std::filesystem;

namespace {

// Files of no more than this many bytes may be written while it lives, as on a full disk.
// SIGXFSZ is ignored meanwhile, so that the write fails instead of ending the process.
class LimiteDeTaille {
 public:
  explicit LimiteDeTaille(rlim_t octets) {
    ::getrlimit(RLIMIT_FSIZE, &avant_);
    signal_ = ::signal(SIGXFSZ, SIG_IGN);
    const rlimit r{octets, avant_.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &r);
  }
  ~LimiteDeTaille() {
    ::setrlimit(RLIMIT_FSIZE, &avant_);
    ::signal(SIGXFSZ, signal_);
  }
  LimiteDeTaille(const LimiteDeTaille&) = delete;
  LimiteDeTaille& operator=(const LimiteDeTaille&) = delete;

 private:
  rlimit avant_{};
  sighandler_t signal_ = SIG_DFL;
};

enum class Commande { Enregistrer, Restaurer };

struct PanneFenetre {
  const char* nom;
  Commande commande;
  bool droits;       // a permission bit: only an unprivileged user meets it
  bool disquePlein;  // the command runs with a file-size limit of 10 bytes
  // Breaks the machine once the open file and the backup exist (the data folder holds the file).
  std::function<void(const fs::path& data, const fs::path& fichier, const fs::path& sauvegarde)>
      casser;
  const char* erreur;  // how the one error shown begins; {} stands for the file's path
};

void PrintTo(const PanneFenetre& p, std::ostream* os) {
  *os << p.nom;
}

const auto kRien = [](const fs::path&, const fs::path&, const fs::path&) {};
const auto kDossierLectureSeule = [](const fs::path& data, const fs::path&, const fs::path&) {
  fs::permissions(data, fs::perms::owner_read | fs::perms::owner_exec);
};
const auto kFichierLectureSeule = [](const fs::path&, const fs::path& fichier, const fs::path&) {
  fs::permissions(fichier, fs::perms::owner_read);
};
const auto kDossierSupprime = [](const fs::path& data, const fs::path&, const fs::path&) {
  fs::remove_all(data);
};

const PanneFenetre kPannes[] = {
    {"SaveIntoReadOnlyFolder", Commande::Enregistrer, true, false, kDossierLectureSeule,
     "Impossible d'enregistrer le fichier : {}\naccès refusé"},
    {"SaveOverReadOnlyFile", Commande::Enregistrer, true, false, kFichierLectureSeule,
     "Impossible d'enregistrer le fichier : {}\naccès refusé"},
    {"SaveAfterFolderRemoved", Commande::Enregistrer, false, false, kDossierSupprime,
     "Impossible d'enregistrer le fichier : {}\ndossier introuvable"},
    {"SaveOnFullDisk", Commande::Enregistrer, false, true, kRien,
     "Impossible d'enregistrer le fichier : {}\nfichier trop volumineux"},
    {"RestoreFromUnreadableBackup", Commande::Restaurer, true, false,
     [](const fs::path&, const fs::path&, const fs::path& sauvegarde) {
       fs::permissions(sauvegarde, fs::perms::none);
     },
     "Impossible de trouver le fichier de restauration"},
    {"RestoreFromBackupThatIsAFolder", Commande::Restaurer, false, false,
     [](const fs::path&, const fs::path&, const fs::path& sauvegarde) {
       fs::remove(sauvegarde);
       fs::create_directory(sauvegarde);
     },
     "Impossible de trouver le fichier de restauration"},
    {"RestoreIntoReadOnlyFolder", Commande::Restaurer, true, false, kDossierLectureSeule,
     "La restauration a échoué : accès refusé"},
    {"RestoreOverReadOnlyFile", Commande::Restaurer, true, false, kFichierLectureSeule,
     "La restauration a échoué : accès refusé"},
    {"RestoreAfterFolderRemoved", Commande::Restaurer, false, false, kDossierSupprime,
     "La restauration a échoué : dossier introuvable"},
    {"RestoreOnFullDisk", Commande::Restaurer, false, true, kRien,
     "La restauration a échoué : fichier trop volumineux"},
};

class PannesFenetre : public FenetreFiabilite,
                      public ::testing::WithParamInterface<PanneFenetre> {};

// A save or restore that fails tells the user why in one error box, changes nothing on disk
// (no temporary file left either), and leaves the window open on the same file.
TEST_P(PannesFenetre, TellsTheUserAndChangesNothing) {
  const PanneFenetre& panne = GetParam();
  if (panne.droits && RejouerCommeNobody()) return;
  const fs::path data = dossier.chemin() / "data";
  const fs::path fichier = data / "handling.dat";
  const fs::path sauvegarde = dossier.chemin() / "backup" / "handling.dat.backup";
  fs::create_directories(data);
  fs::create_directories(sauvegarde.parent_path());
  EcrireTout(fichier, TexteJeu());
  EcrireTout(sauvegarde, "; the backup\r\n;");

  auto fenetre = Demarrer();
  fenetre->OpenHandlingFile(fichier.string());
  ASSERT_TRUE(fenetre->FichierOuvert);
  fenetre->catalogue.Voitures.begin()->second->fMass.valeur = "1234.5";
  panne.casser(data, fichier, sauvegarde);
  const Etat avant = Photo(dossier.chemin(), fichier);

  reponses = {platform::Reponse::Oui};
  {
    std::optional<LimiteDeTaille> limite;
    if (panne.disquePlein) limite.emplace(10);
    if (panne.commande == Commande::Enregistrer)
      fenetre->SaveHandlingFile();
    else
      fenetre->Res1Click();
  }

  std::string attendu = panne.erreur;
  if (const auto pos = attendu.find("{}"); pos != std::string::npos)
    attendu.replace(pos, 2, fichier.string());
  const std::vector<std::string> erreurs = Erreurs();
  ASSERT_EQ(erreurs.size(), 1u);
  EXPECT_TRUE(erreurs[0].starts_with(attendu)) << erreurs[0];
  EXPECT_EQ(Photo(dossier.chemin(), fichier), avant);
  EXPECT_TRUE(fenetre->isVisible()) << "the window stays open";
  EXPECT_EQ(fenetre->CheminFichier, fichier.string());
}

INSTANTIATE_TEST_SUITE_P(Pannes, PannesFenetre, ::testing::ValuesIn(kPannes),
                         [](const auto& info) { return std::string(info.param.nom); });

}  // namespace
