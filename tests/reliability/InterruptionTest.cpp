#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <thread>

#include "Catalogues.h"
#include "HandlingWriter.h"
#include "Outils.h"

namespace fs = std::filesystem;

namespace {

// A catalogue much larger than the stock one: the stock vehicles plus 1,500 added by the
// opened file, so that a save takes long enough to be cut at every stage.
std::string FichierVolumineux() {
  std::string texte = TexteJeu();
  for (int i = 0; i < 1500; ++i) {
    texte += "AJOUT" + std::to_string(i);
    for (int valeur = 0; valeur < 35; ++valeur)
      texte += " " + std::to_string(i * 100 + valeur) + ".5";
    texte += " 1\r\n";
  }
  return texte;
}

// A child process saves over and over, alternating two versions of the catalogue, the one not
// on disk first, and is SIGKILLed at a random moment. Whenever it dies, the file holds exactly
// the bytes it held before that child started or those of a save the child completed.
TEST(Interruption, AKilledSaveLeavesTheOldOrTheNewBytes) {
  constexpr int kMorts = 250;
  DossierTemporaire dossier;
  const fs::path fichier = dossier.chemin() / "handling.dat";
  CatalogueOuvert ouvert(FichierVolumineux());
  Catalogue& catalogue = ouvert.catalogue;
  std::string& masse = catalogue.Voitures.begin()->second->fMass.valeur;
  const std::string versions[2] = {masse, "1234.5"};
  std::string octets[2];
  for (int v : {0, 1}) {
    masse = versions[v];
    octets[v] = TexteHandling(catalogue);
  }
  masse = versions[0];

  // Kills spread over about three saves, so that they land before, inside and between them.
  const auto debut = std::chrono::steady_clock::now();
  ASSERT_TRUE(WriteHandlingFile(catalogue, fichier).ok);
  const auto uneEcriture = std::chrono::duration_cast<std::chrono::microseconds>(
      std::chrono::steady_clock::now() - debut);
  std::mt19937 alea(20240611);
  std::uniform_int_distribution<long> attente(0, 3 * uneEcriture.count() + 200);

  int surDisque = 0;  // the version the file holds
  int inchanges = 0, remplaces = 0, temporairesLaisses = 0;
  for (int mort = 0; mort < kMorts; ++mort) {
    int tube[2];
    ASSERT_EQ(::pipe(tube), 0);
    const pid_t enfant = ::fork();
    ASSERT_GE(enfant, 0);
    if (enfant == 0) {
      ::close(tube[0]);
      if (::write(tube[1], "p", 1) != 1) ::_exit(1);
      for (int v = 1 - surDisque;; v = 1 - v) {
        masse = versions[v];
        if (!WriteHandlingFile(catalogue, fichier).ok) ::_exit(2);
      }
    }
    ::close(tube[1]);
    char pret = 0;
    ASSERT_EQ(::read(tube[0], &pret, 1), 1) << "the child died before writing";
    ::close(tube[0]);
    std::this_thread::sleep_for(std::chrono::microseconds(attente(alea)));
    ::kill(enfant, SIGKILL);
    int statut = 0;
    ::waitpid(enfant, &statut, 0);
    ASSERT_TRUE(WIFSIGNALED(statut)) << "the child stopped by itself, status " << statut;

    const std::string disque = LireTout(fichier);
    ASSERT_TRUE(disque == octets[0] || disque == octets[1])
        << "kill " << mort << ": " << disque.size() << " bytes, neither version";
    const int maintenant = disque == octets[1] ? 1 : 0;
    (maintenant == surDisque ? inchanges : remplaces)++;
    surDisque = maintenant;
    // A process killed mid-save may leave its hidden temporary file; the target is intact.
    for (const std::string& nom : Entrees(dossier.chemin())) {
      if (nom == "handling.dat") continue;
      ASSERT_TRUE(nom.starts_with(".handling.dat.") && nom.ends_with(".tmp")) << nom;
      fs::remove(dossier.chemin() / nom);
      ++temporairesLaisses;
    }
  }
  std::cout << "[ figures  ] " << kMorts << " kills during saves of " << octets[1].size()
            << " bytes (one save " << uneEcriture.count() << " us): file unchanged " << inchanges
            << ", replaced whole " << remplaces << ", temporary files left by the kill "
            << temporairesLaisses << "\n";
  // Both outcomes must occur, or the kills did not land at random points of the saves.
  EXPECT_GT(inchanges, 0);
  EXPECT_GT(remplaces, 0);
}

}  // namespace
