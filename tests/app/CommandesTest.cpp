// Anim group page, saving, the reset and restore commands and the tool pictures.
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <sstream>

#include "Fixture.h"
#include "HandlingWriter.h"
#include "ImageOutil.h"
#include "Morvanecheckbox.h"
#include "Morvaneedit.h"
#include "Unit2.h"

namespace {

// Every current value of the catalogue equals its default.
template <typename Table>
bool ParDefaut(const Table& table) {
  for (const auto& [cle, r] : table) {
    for (const auto* champ : r->textes())
      if (champ->valeur != champ->origine) return false;
    if constexpr (requires { r->voiture; })
      for (const auto* champ : r->voiture->textes())
        if (champ->valeur != champ->origine) return false;
  }
  return true;
}

bool ToutParDefaut(const Catalogue& c) {
  return ParDefaut(c.Voitures) && ParDefaut(c.Motos) && ParDefaut(c.Avions) &&
         ParDefaut(c.Bateaux) && ParDefaut(c.AnimGroups);
}

// Anim group 2 ("CAMION") with SpecialFlag 40.
std::string AvecGroupe2Drapeau40(const Catalogue& c) {
  ANIMGROUP g = *c.AnimGroups.at(2);
  g.SpecialFlag.valeur = 40;
  std::ostringstream ligne;
  ligne << "^ 2 " << g;
  return RemplacerLigne(TexteStock(), "^ 2", ligne.str());
}

TMorvaneEdit* Edit(TForm1& f, const char* nom) {
  return f.findChild<TMorvaneEdit*>(nom);
}

void Taper(TMorvaneEdit* edit, const char* texte) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClick(edit, Qt::Key_Backspace);
  QTest::keyClicks(edit, texte);
}

}  // namespace

TEST_F(FenetreTest, AnimGroupLabelsBindTheirGroups) {
  InstallerJeu(TexteStock());
  auto f = Demarrer();
  EXPECT_EQ(f->ListGroups->count(), 30);
  EXPECT_EQ(f->ListGroups->item(0)->text(), "AEROGLISSEUR");
  EXPECT_EQ(f->ListGroups->item(29)->text(), "rustler");
  for (const auto& [libelle, numero] : {std::pair{"CAMION", 2}, std::pair{"rustler", 14}}) {
    ChoisirGroupe(*f, libelle);
    ASSERT_NE(f->GroupeCourant, f->catalogue.AnimGroups.end());
    EXPECT_EQ(f->GroupeCourant->first, numero);
    EXPECT_EQ(Edit(*f, "EditGetInTime")->text().toStdString(),
              f->GroupeCourant->second->GetInTime.valeur);
  }
  // The arrow keys bind the group they move to.
  QTest::keyClick(f->ListGroups, Qt::Key_Up);
  EXPECT_EQ(f->GroupeCourant->first, 8);  // "WAYFARER" stands before "rustler"
}

TEST_F(FenetreTest, SpecialFlagBoxesShowAndEditTheBits) {
  Catalogue stock;
  {
    std::istringstream flux{std::string(DefaultHandlingText())};
    LectureDefauts = true;
    ReadHandlingText(stock, flux);
  }
  InstallerJeu(AvecGroupe2Drapeau40(stock));
  auto f = Demarrer();
  ChoisirGroupe(*f, "CAMION");
  ANIMGROUP& g = *f->catalogue.AnimGroups.at(2);
  ASSERT_EQ(g.SpecialFlag.valeur, 40);
  for (const auto& [nom, coche] : {std::pair{"CheckFlag1", false}, std::pair{"CheckFlag2", false},
                                   std::pair{"CheckFlag4", false}, std::pair{"CheckFlag8", true},
                                   std::pair{"CheckFlag16", false}, std::pair{"CheckFlag32", true},
                                   std::pair{"CheckFlag64", false}})
    EXPECT_EQ(f->findChild<TMorvaneCheckBox*>(nom)->isChecked(), coche) << nom;
  auto* camion = f->findChild<TMorvaneCheckBox*>("CheckFlag8");
  Cocher(camion);
  EXPECT_EQ(g.SpecialFlag.valeur, 32);
  Cocher(camion);
  EXPECT_EQ(g.SpecialFlag.valeur, 40);
}

TEST_F(FenetreTest, ATypedTimeStaysWithItsGroup) {
  InstallerJeu(TexteStock());
  auto f = Demarrer();
  ChoisirGroupe(*f, "BUS");
  Taper(Edit(*f, "EditGetInTime"), "0.777");
  EXPECT_EQ(f->catalogue.AnimGroups.at(16)->GetInTime.valeur, "0.777");
  ChoisirGroupe(*f, "KART");
  EXPECT_NE(Edit(*f, "EditGetInTime")->text(), "0.777");
  ChoisirGroupe(*f, "BUS");
  EXPECT_EQ(Edit(*f, "EditGetInTime")->text(), "0.777");
  EXPECT_EQ(Edit(*f, "EditGetInTime")->palette().color(QPalette::Text), QColor(255, 0, 0));
}

TEST_F(FenetreTest, OpeningAFileRebindsTheGroupOnDisplay) {
  const auto jeu = InstallerJeu(TexteStock());
  auto f = Demarrer();
  ChoisirGroupe(*f, "BUS");
  ANIMGROUP g = *f->catalogue.AnimGroups.at(16);
  g.GetInTime.valeur = "9.25";
  std::ostringstream ligne;
  ligne << "^ 16 " << g;
  EcrireTout(jeu, RemplacerLigne(TexteStock(), "^ 16", ligne.str()));
  f->OpenHandlingFile(jeu.string());
  EXPECT_EQ(Edit(*f, "EditGetInTime")->text(), "9.25");
}

TEST_F(FenetreTest, ResetsBeforeAnyGroupWasChosenBindNothing) {
  InstallerJeu(TexteStock());
  auto f = Demarrer();
  f->PageControl1->setCurrentWidget(f->TabSheetAnimGroup);
  reponses = {platform::Reponse::Oui, platform::Reponse::Oui};
  f->Annuler1Click();
  f->Toutrinitialiser1Click();
  EXPECT_EQ(messages.size(), 2u);
  EXPECT_EQ(f->GroupeCourant, f->catalogue.AnimGroups.end());
  EXPECT_EQ(Edit(*f, "EditGetInTime")->text(), "?");
}

TEST_F(FenetreTest, SavingBeforeAnyOpenWritesNothing) {
  auto f = Demarrer();
  f->SaveHandlingFile();
  QTest::keyClick(f.get(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_TRUE(std::filesystem::is_empty(dossier.chemin()));
  EXPECT_TRUE(messages.empty());
}

TEST_F(FenetreTest, MenuShortcutAndPictureSaveTheSameBytes) {
  const auto jeu = InstallerJeu(TexteStock());
  auto f = Demarrer();
  Taper(Edit(*f, "EditfMass"), "1750.50");
  const auto declencher = [&](int moyen) {
    std::filesystem::remove(jeu);
    if (moyen == 0) f->findChild<QAction*>("Sauvegarder1")->trigger();
    if (moyen == 1) QTest::keyClick(Edit(*f, "EditfDragMult"), Qt::Key_S, Qt::ControlModifier);
    if (moyen == 2) QTest::mouseClick(f->Image3, Qt::LeftButton);
    return LireTout(jeu);
  };
  const std::string menu = declencher(0);
  EXPECT_TRUE(menu == Ecrit(f->catalogue));
  EXPECT_NE(menu.find(" 1750.50 "), std::string::npos);
  EXPECT_TRUE(declencher(1) == menu);
  EXPECT_TRUE(declencher(2) == menu);
  EXPECT_TRUE(declencher(0) == menu);  // twice in a row
  EXPECT_TRUE(messages.empty());
  // The vehicle and its edit stay on display.
  EXPECT_EQ(Edit(*f, "EditfMass")->text(), "1750.50");
}

TEST_F(FenetreTest, SavingKeepsThePageAndTheGroup) {
  InstallerJeu(TexteStock());
  auto f = Demarrer();
  ChoisirGroupe(*f, "BUS");
  const auto groupe = f->GroupeCourant;
  f->SaveHandlingFile();
  EXPECT_EQ(f->PageControl1->currentWidget(), f->TabSheetAnimGroup);
  EXPECT_EQ(f->GroupeCourant, groupe);
}

TEST_F(FenetreTest, ARefusedSaveKeepsTheFileAndTellsWhy) {
  const auto jeu = InstallerJeu(TexteStock());
  auto f = Demarrer();
  Taper(Edit(*f, "EditfMass"), "");
  f->SaveHandlingFile();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].titre, "Erreur");
  EXPECT_TRUE(messages[0].texte.startsWith("Impossible d'enregistrer le fichier : "));
  EXPECT_TRUE(messages[0].texte.contains("fMass"));
  EXPECT_TRUE(LireTout(jeu) == TexteStock());
  EXPECT_EQ(f->CaisseAffichee->fMass.valeur, "");  // the screen and records stay as they were
  // A folder removed under the file: the write fails, the error says so.
  messages.clear();
  Taper(Edit(*f, "EditfMass"), "1500.0");
  std::filesystem::remove_all(jeu.parent_path());
  f->SaveHandlingFile();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].style, platform::Style::Erreur);
  EXPECT_FALSE(std::filesystem::exists(jeu));
}

TEST_F(FenetreTest, SaveAsWritesTheNewFileAndMakesItCurrent) {
  InstallerJeu(TexteStock());
  auto f = Demarrer();
  const auto copie = dossier.chemin() / "copie.dat";
  fichierChoisi = QString::fromStdString(copie.string());
  f->Enregistrersous1Click();
  EXPECT_TRUE(LireTout(copie) == Ecrit(f->catalogue));
  EXPECT_EQ(f->CheminFichier, copie.string());
  EXPECT_EQ(f->windowTitle(), "Quintrel V0.1  (par Ardemus) - Ouverture de : copie.dat");
}

TEST_F(FenetreTest, ResetOnTheAnimPageResetsTheGroupOnly) {
  InstallerJeu(TexteStock());
  auto f = Demarrer();
  Taper(Edit(*f, "EditfMass"), "1.5");
  ChoisirGroupe(*f, "BUS");
  Taper(Edit(*f, "EditGetInTime"), "0.777");
  reponses = {platform::Reponse::Oui};
  f->Annuler1Click();
  EXPECT_EQ(f->catalogue.AnimGroups.at(16)->GetInTime.valeur,
            f->catalogue.AnimGroups.at(16)->GetInTime.origine);
  EXPECT_EQ(f->CaisseAffichee->fMass.valeur, "1.5");
  // Elsewhere it resets the vehicle and leaves the group.
  Taper(Edit(*f, "EditGetInTime"), "0.888");
  f->PageControl1->setCurrentWidget(f->TabSheetGeneral);
  reponses = {platform::Reponse::Oui};
  f->Annuler1Click();
  EXPECT_EQ(f->CaisseAffichee->fMass.valeur, f->CaisseAffichee->fMass.origine);
  EXPECT_EQ(Edit(*f, "EditfMass")->palette().color(QPalette::Text), QColor(0, 0, 0));
  EXPECT_EQ(f->catalogue.AnimGroups.at(16)->GetInTime.valeur, "0.888");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].titre, "Attention");
  EXPECT_TRUE(messages[0].texte.contains("\nVoulez-vous continuer ?"));
}

TEST_F(FenetreTest, ResettingABikeResetsItsCarLineAndAnsweringNoKeepsIt) {
  InstallerJeu(TexteStock());
  auto f = Demarrer();
  ChoisirType(*f, 1);
  MOTO* moto = f->MotoCourante->second;
  Taper(Edit(*f, "EditfMass"), "1.5");
  Taper(Edit(*f, "EditLeanFwdCOM"), "2.5");
  f->Annuler1Click();  // answered No
  EXPECT_EQ(moto->voiture->fMass.valeur, "1.5");
  reponses = {platform::Reponse::Oui};
  f->Annuler1Click();
  EXPECT_EQ(moto->voiture->fMass.valeur, moto->voiture->fMass.origine);
  EXPECT_EQ(moto->LeanFwdCOM.valeur, moto->LeanFwdCOM.origine);
  EXPECT_EQ(f->MotoCourante->second, moto);
}

TEST_F(FenetreTest, ResetAllThenSaveWritesTheStockValues) {
  const auto jeu = InstallerJeu(TexteStock());
  auto f = Demarrer();
  Taper(Edit(*f, "EditfMass"), "1.5");
  ChoisirGroupe(*f, "BUS");
  Taper(Edit(*f, "EditGetInTime"), "0.777");
  reponses = {platform::Reponse::Oui};
  f->Toutrinitialiser1Click();
  EXPECT_EQ(Edit(*f, "EditGetInTime")->text().toStdString(),
            f->catalogue.AnimGroups.at(16)->GetInTime.origine);
  EXPECT_TRUE(ToutParDefaut(f->catalogue));
  f->SaveHandlingFile();
  EXPECT_TRUE(LireTout(jeu) == Ecrit(f->catalogue));
}

TEST_F(FenetreTest, ResetsWithoutAnOpenFileShowNothing) {
  auto f = Demarrer();
  f->Annuler1Click();
  f->Toutrinitialiser1Click();
  EXPECT_TRUE(messages.empty());
}

TEST_F(FenetreTest, RestoreRefusesWithoutBackupOrOpenFile) {
  auto f = Demarrer();
  f->Res1Click();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].texte, "Impossible de trouver le fichier de restauration");
  EXPECT_EQ(f->windowTitle(), "");
  EcrireTout(dossier.chemin() / "backup" / "handling.dat.backup", "x");
  f->Res1Click();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].texte, "Aucun fichier handling n'est actuellement ouvert");
  EXPECT_TRUE(f->isVisible());
}

TEST_F(FenetreTest, RestoreCopiesTheBackupByteForByteAndQuits) {
  const std::string sauvegardes[] = {"; a\r\nA 1\r\n", "; a\nA 1\n", "; a\r\nA 1\r\n\x1a"};
  for (const std::string& octets : sauvegardes) {
    const auto jeu = InstallerJeu(TexteStock());
    EcrireTout(dossier.chemin() / "backup" / "handling.dat.backup", octets);
    auto f = Demarrer();
    messages.clear();
    f->Res1Click();  // answered No
    EXPECT_TRUE(LireTout(jeu) == TexteStock());
    EXPECT_TRUE(f->isVisible());
    reponses = {platform::Reponse::Oui};
    f->Res1Click();
    EXPECT_EQ(LireTout(jeu), octets);
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[2].style, platform::Style::Information);
    EXPECT_EQ(messages[2].titre, "Quintrel");
    EXPECT_EQ(messages[2].texte, "Restauration effectuée.\nLe programme va maintenant se fermer");
    EXPECT_FALSE(f->isVisible());
  }
}

TEST_F(FenetreTest, RestoringTheBackupOverItselfLeavesIt) {
  const auto sauvegarde = dossier.chemin() / "backup" / "handling.dat.backup";
  EcrireTout(sauvegarde, TexteStock());
  auto f = Demarrer();
  f->OpenHandlingFile(sauvegarde.string());
  reponses = {platform::Reponse::Oui};
  f->Res1Click();
  EXPECT_TRUE(LireTout(sauvegarde) == TexteStock());
  EXPECT_FALSE(f->isVisible());
}

TEST_F(FenetreTest, AFailedRestoreKeepsTheFileAndTheProgram) {
  const auto jeu = InstallerJeu(TexteStock());
  EcrireTout(dossier.chemin() / "backup" / "handling.dat.backup", "; stock\n");
  auto f = Demarrer();
  std::filesystem::remove_all(jeu.parent_path());
  reponses = {platform::Reponse::Oui};
  f->Res1Click();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1].titre, "Erreur");
  EXPECT_TRUE(messages[1].texte.startsWith("La restauration a échoué : "));
  EXPECT_TRUE(f->isVisible());
}

TEST_F(FenetreTest, ToolPicturesRunOnReleaseOverThemWithTheLeftButton) {
  const auto jeu = InstallerJeu(TexteStock());
  auto f = Demarrer();
  Taper(Edit(*f, "EditfMass"), "1.5");
  std::filesystem::remove(jeu);
  ImageOutil* image = f->Image3;
  const QPixmap normale = image->pixmap();
  // Pressed, moved away and released: nothing runs.
  QTest::mousePress(image, Qt::LeftButton);
  EXPECT_TRUE(image->enfoncee());
  QTest::mouseRelease(image, Qt::LeftButton, {}, QPoint(200, 200));
  EXPECT_FALSE(image->enfoncee());
  EXPECT_FALSE(std::filesystem::exists(jeu));
  // Right and middle buttons: pressed look, no command.
  for (auto bouton : {Qt::RightButton, Qt::MiddleButton}) {
    QTest::mousePress(image, bouton);
    EXPECT_TRUE(image->enfoncee());
    QTest::mouseRelease(image, bouton);
    EXPECT_FALSE(image->enfoncee());
  }
  EXPECT_FALSE(std::filesystem::exists(jeu));
  // The reset picture stays pressed while its question is on screen.
  bool enfonceePendantQuestion = false;
  platform::seams().message = [&](const platform::Message&) {
    enfonceePendantQuestion = f->Image4->enfoncee();
    return platform::Reponse::Non;
  };
  QTest::mouseClick(f->Image4, Qt::LeftButton);
  EXPECT_TRUE(enfonceePendantQuestion);
  EXPECT_FALSE(f->Image4->enfoncee());
  QTest::mouseClick(image, Qt::LeftButton);
  EXPECT_TRUE(std::filesystem::exists(jeu));
  EXPECT_EQ(f->Image6->toolTip(), "Quitter");
  QTest::mouseClick(f->Image6, Qt::LeftButton);
  EXPECT_FALSE(f->isVisible());
}
