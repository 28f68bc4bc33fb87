#pragma once
#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "Dialogues.h"
#include "Outils.h"
#include "Unit1.h"

// The main window with no game installed, run from a temporary folder (the restore looks for
// .\backup there). Message boxes are answered from `reponses` (No to a question, OK otherwise,
// once it is empty) and every message is kept in `messages`.
class FenetreFiabilite : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  std::unique_ptr<TForm1> Demarrer();
  // The error texts shown, in order.
  std::vector<std::string> Erreurs() const;

  DossierTemporaire dossier;
  std::vector<platform::Message> messages;
  std::deque<platform::Reponse> reponses;

 private:
  std::filesystem::path ancienDossierCourant_;
};
