#pragma once
#include <gtest/gtest.h>

#include <QString>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "Dialogues.h"
#include "Fichiers.h"
#include "Unit1.h"

class QWidget;

class QCheckBox;
// Clicks a check box on its indicator, as a person would.
void Cocher(QCheckBox* boite);


// The stock handling text with CR LF line ends, as the game's own file would hold it.
std::string TexteStock();
// The stock text with the whole line of one vehicle or group replaced (line's first tokens).
std::string RemplacerLigne(std::string texte, const std::string& debut, const std::string& ligne);
// The handling text a catalogue writes.
std::string Ecrit(const Catalogue& catalogue);

// Puts tests in place of the person and the machine: the registry (a Wine prefix in a temporary
// folder), message boxes (answered from a queue, every message kept) and file dialogs.
class FenetreTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Game installed as "C:\Games\Morvane" in the temporary prefix, with this handling text.
  std::filesystem::path InstallerJeu(const std::string& texte);
  std::unique_ptr<TForm1> Demarrer();

  // Chooses a kind in the tree and a vehicle in the list as a person would.
  void ChoisirType(TForm1& f, int type);
  void ChoisirVehicule(TForm1& f, const std::string& nom);
  void ChoisirGroupe(TForm1& f, const QString& libelle);

  DossierTemporaire dossier;
  std::optional<std::string> valeurRegistre;
  std::vector<platform::Message> messages;
  std::deque<platform::Reponse> reponses;
  std::optional<QString> fichierChoisi;
  std::vector<QString> dialoguesOuverts;
  std::filesystem::path ancienDossierCourant;
};
