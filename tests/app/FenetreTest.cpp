// Start-up, opening, the vehicle browser and the binding of every vehicle page.
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <set>
#include <sstream>

#include "Fixture.h"
#include "HandlingWriter.h"
#include "Morvanecheckbox.h"
#include "Morvanecombobox.h"
#include "Morvaneedit.h"
#include "Tables.h"
#include "Unit2.h"

namespace {

QStringList Onglets(const QTabWidget* pages) {
  QStringList titres;
  for (int i = 0; i < pages->count(); ++i) titres << pages->tabText(i);
  return titres;
}

QStringList Liste(const QListWidget* liste) {
  QStringList noms;
  for (int i = 0; i < liste->count(); ++i) noms << liste->item(i)->text();
  return noms;
}

// Every text value of a record, to see which one an edit changed.
template <typename R>
std::vector<std::string> Valeurs(const R& r) {
  std::vector<std::string> v;
  for (const auto* champ : r.textes()) v.push_back(champ->valeur);
  return v;
}

}  // namespace

TEST_F(FenetreTest, StartsWithoutTheGameWithAnEmptyBrowserAndAllPages) {
  auto f = Demarrer();
  EXPECT_EQ(f->windowTitle(), "Quintrel V0.1 ");
  EXPECT_EQ(f->centralWidget()->size(), QSize(650, 465));
  EXPECT_EQ(f->minimumSize(), f->maximumSize());  // cannot be resized
  EXPECT_EQ(f->ListBox1->count(), 0);
  EXPECT_FALSE(f->FichierOuvert);
  EXPECT_TRUE(LectureDefauts);
  EXPECT_EQ(Onglets(f->PageControl1),
            QStringList({"General", "Transmission et Suspensions", "Flags véhicule",
                         "Flags conduite", "Hélico", "Bateau", "Moto", "Grp. anim."}));
  EXPECT_EQ(f->findChild<TMorvaneEdit*>("EditfMass")->text(), "?");
  EXPECT_EQ(f->EditID->text(), "##############");
  EXPECT_EQ(f->ComboAnimationGroupCaisse->currentIndex(), -1);
  // Choosing a kind before any file only records the kind.
  ChoisirType(*f, 1);
  EXPECT_EQ(f->TypeSelectionne, 1);
  EXPECT_EQ(f->ListBox1->count(), 0);
  EXPECT_EQ(f->PageControl1->count(), 8);
  EXPECT_TRUE(messages.empty());
}

TEST_F(FenetreTest, StartsWithTheGameFileFoundThroughTheWineRegistry) {
  // The prefix holds the folders in another case than the registry value.
  valeurRegistre = "C:\\Games\\Morvane";
  const auto chemin = dossier.chemin() / "wine/drive_c/games/MORVANE/Common/Data/handling.dat";
  EcrireTout(chemin, TexteStock());
  auto f = Demarrer();
  EXPECT_EQ(f->windowTitle(), "Quintrel V0.1  (par Ardemus) - Ouverture de : handling.dat");
  EXPECT_TRUE(f->FichierOuvert);
  EXPECT_EQ(f->CheminFichier, chemin.string());
  EXPECT_EQ(f->TreeView1->currentItem(), f->TreeView1->topLevelItem(0));
  ASSERT_EQ(f->ListBox1->count(), static_cast<int>(f->catalogue.Voitures.size()));
  EXPECT_EQ(f->ListBox1->currentRow(), 0);
  EXPECT_EQ(f->EditID->text(), f->ListBox1->item(0)->text());
  EXPECT_EQ(f->catalogue.Voitures.size(), 104u);
  EXPECT_TRUE(messages.empty());
}

TEST_F(FenetreTest, RegistryValueWithoutTheFileOpensNothingButPresetsTheDialog) {
  valeurRegistre = "C:\\Games\\Morvane";
  auto f = Demarrer();
  const QString compose = QString::fromStdString(
      (dossier.chemin() / "wine/drive_c/Games/Morvane/common/data/handling.dat").string());
  EXPECT_EQ(f->windowTitle(), compose);
  EXPECT_FALSE(f->FichierOuvert);
  EXPECT_EQ(f->ListBox1->count(), 0);
  // The dialog is preset only to a file that can be read.
  f->Ouvrir1Click();  // cancelled
  ASSERT_EQ(dialoguesOuverts.size(), 1u);
  EXPECT_EQ(dialoguesOuverts[0], "");
  EXPECT_EQ(f->windowTitle(), compose);
  EXPECT_FALSE(f->FichierOuvert);
}

TEST_F(FenetreTest, EachKindShowsItsListAndPages) {
  InstallerJeu(TexteStock());
  auto f = Demarrer();
  const QStringList communs = {"General", "Transmission et Suspensions"};
  const QStringList fin = {"Flags véhicule", "Flags conduite", "Grp. anim."};
  struct Cas {
    int type;
    QStringList pages;
    std::size_t nombre;
  } cas[] = {
      {1, communs + QStringList{"Moto"} + fin, f->catalogue.Motos.size()},
      {2, communs + QStringList{"Hélico"} + fin, f->catalogue.Avions.size()},
      {3, communs + QStringList{"Bateau"} + fin, f->catalogue.Bateaux.size()},
      {0, communs + fin, f->catalogue.Voitures.size()},
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.type);
    f->PageControl1->setCurrentWidget(f->TabSheet4);
    ChoisirType(*f, c.type);
    EXPECT_EQ(Onglets(f->PageControl1), c.pages);
    EXPECT_EQ(f->PageControl1->currentWidget(), f->TabSheetGeneral);
    ASSERT_EQ(f->ListBox1->count(), static_cast<int>(c.nombre));
    QStringList tries = Liste(f->ListBox1);
    tries.sort();
    EXPECT_EQ(Liste(f->ListBox1), tries);
    EXPECT_EQ(f->EditID->text(), f->ListBox1->item(0)->text());
  }
}

TEST_F(FenetreTest, ABikeIsListedUnderBikesWithItsCarLineValues) {
  InstallerJeu(TexteStock());
  auto f = Demarrer();
  const auto& [nom, moto] = *f->catalogue.Motos.begin();
  ASSERT_NE(moto->voiture, nullptr);
  EXPECT_TRUE(f->ListBox1->findItems(QString::fromStdString(nom), Qt::MatchExactly).isEmpty());
  ChoisirType(*f, 1);
  ChoisirVehicule(*f, nom);
  EXPECT_EQ(f->EditID->text().toStdString(), nom);
  EXPECT_EQ(f->CaisseAffichee, moto->voiture);
  EXPECT_EQ(f->findChild<TMorvaneEdit*>("EditfMass")->text().toStdString(),
            moto->voiture->fMass.valeur);
  EXPECT_EQ(f->findChild<TMorvaneEdit*>("EditLeanFwdCOM")->text().toStdString(),
            moto->LeanFwdCOM.valeur);
  EXPECT_EQ(f->ComboAnimationGroupCaisse->currentIndex(),
            f->ComboAnimationGroupCaisse->correspInv(moto->voiture->m_nAnimGroup.valeur));
}

TEST_F(FenetreTest, ShortFlagTextsArePaddedInBothValuesWhenShown) {
  // A car whose flags the file writes short.
  auto f0 = Demarrer();
  auto entree = f0->catalogue.Voitures.begin();
  while (f0->catalogue.Motos.count(entree->first) || f0->catalogue.Avions.count(entree->first) ||
         f0->catalogue.Bateaux.count(entree->first))
    ++entree;
  const auto& [nom, caisse] = *entree;
  std::ostringstream ligne;
  ligne << nom << " " << *caisse;
  std::string texte = ligne.str();
  const std::string m = caisse->mFlags.valeur, h = caisse->hFlags.valeur;
  const auto pos = texte.rfind(" " + m + " " + h + " ");
  ASSERT_NE(pos, std::string::npos);
  texte.replace(pos, m.size() + h.size() + 3, " 20004A 0 ");
  const std::string nomVoiture = nom;
  const std::string mDefaut = caisse->mFlags.origine;
  f0.reset();

  InstallerJeu(RemplacerLigne(TexteStock(), nomVoiture, texte));
  auto f = Demarrer();
  ChoisirVehicule(*f, nomVoiture);
  CAISSE* c = f->catalogue.Voitures.at(nomVoiture);
  EXPECT_EQ(c->mFlags.valeur, "0020004A");
  EXPECT_EQ(c->hFlags.valeur, "00000000");
  std::string attendu = mDefaut;
  NormaliserFlags(attendu);
  EXPECT_EQ(c->mFlags.origine, attendu);
  EXPECT_EQ(c->mFlags.origine.size(), 8u);
  EXPECT_EQ(c->hFlags.origine.size(), 8u);
  // Binding changed no digit's case.
  // 0020004A: digit 1 = A (8 + 2), digit 2 = 4, digit 6 = 2.
  for (const auto& [nom, coche] : {std::pair{"ModelFlag18", true}, std::pair{"ModelFlag12", true},
                                   std::pair{"ModelFlag11", false}, std::pair{"ModelFlag24", true},
                                   std::pair{"ModelFlag62", true}, std::pair{"ModelFlag54", false}})
    EXPECT_EQ(f->findChild<TMorvaneCheckBox*>(nom)->isChecked(), coche) << nom;
}

// One row per edit of the vehicle pages: typing into it changes its own field and no other.
TEST_F(FenetreTest, EveryEditChangesExactlyItsOwnField) {
  InstallerJeu(TexteStock());
  auto f = Demarrer();
  int essais = 0;
  for (const PageChamps& page : PagesVehicule()) {
    const int type = page.enregistrement == Enregistrement::Moto     ? 1
                     : page.enregistrement == Enregistrement::Avion  ? 2
                     : page.enregistrement == Enregistrement::Bateau ? 3
                                                                     : 0;
    ChoisirType(*f, type);
    f->PageControl1->setCurrentWidget(f->PageControl1->findChild<QWidget*>(page.nomPage));
    MorvaneStruct* special = nullptr;
    if (type == 1) special = f->MotoCourante->second;
    if (type == 2) special = f->AvionCourant->second;
    if (type == 3) special = f->BateauCourant->second;
    for (const GroupeChamps& groupe : page.groupes)
      for (const LigneChamp& ligne : groupe.lignes) {
        SCOPED_TRACE(ligne.controle);
        auto* edit = f->findChild<TMorvaneEdit*>(ligne.controle);
        ASSERT_NE(edit, nullptr);
        auto voiture = Valeurs(*f->CaisseAffichee);
        std::vector<std::string> propres;
        if (type == 1) propres = Valeurs(*static_cast<MOTO*>(special));
        if (type == 2) propres = Valeurs(*static_cast<AVION*>(special));
        if (type == 3) propres = Valeurs(*static_cast<BATEAU*>(special));
        edit->setFocus();
        edit->selectAll();
        QTest::keyClicks(edit, "4242.5");
        (type == 0 ? voiture : propres)[ligne.champ] = "4242.5";
        EXPECT_EQ(Valeurs(*f->CaisseAffichee), voiture);
        if (type == 1) {
          EXPECT_EQ(Valeurs(*static_cast<MOTO*>(special)), propres);
        } else if (type == 2) {
          EXPECT_EQ(Valeurs(*static_cast<AVION*>(special)), propres);
        } else if (type == 3) {
          EXPECT_EQ(Valeurs(*static_cast<BATEAU*>(special)), propres);
        }
        ++essais;
      }
  }
  EXPECT_EQ(essais, 33 + 15 + 22 + 19);
}

TEST_F(FenetreTest, FlagBoxesSitWhereTheirNamesSay) {
  auto f = Demarrer();
  const QRegularExpression nom("^(ModelFlag|HandlingFlag)([1-8])([1248])$");
  std::set<TMorvaneCheckBox*> vues;
  int boites = 0;
  for (auto* boite : f->findChildren<TMorvaneCheckBox*>()) {
    const auto m = nom.match(boite->objectName());
    if (!m.hasMatch()) continue;
    ++boites;
    const int mot = m.captured(1) == "ModelFlag" ? 0 : 1;
    const int chiffre = m.captured(2).toInt(), bit = m.captured(3).toInt();
    auto& table = mot == 0 ? f->FlagsModele : f->FlagsConduite;
    EXPECT_EQ(table[chiffre - 1][bit - 1], boite) << boite->objectName().toStdString();
    EXPECT_EQ(boite->text().toStdString(), NomFlag(mot, chiffre, bit));
    EXPECT_TRUE(vues.insert(boite).second);
  }
  EXPECT_EQ(boites, 61);
  int places = 0;
  for (const auto* table : {&f->FlagsModele, &f->FlagsConduite})
    for (const auto& ligne : *table)
      for (const auto* boite : ligne) places += boite != nullptr;
  EXPECT_EQ(places, 61);
  EXPECT_EQ(f->FlagsConduite[6][7], nullptr);
  EXPECT_EQ(f->FlagsConduite[7][3], nullptr);
  EXPECT_EQ(f->FlagsConduite[7][7], nullptr);
  EXPECT_FALSE(f->findChild<TMorvaneCheckBox*>("ModelFlag38")->isVisibleTo(f.get()));
  EXPECT_FALSE(f->findChild<TMorvaneCheckBox*>("HandlingFlag12")->isVisibleTo(f.get()));
}

// Ticking every box a person can see leaves the hidden and unboxed bits as they were.
TEST_F(FenetreTest, HiddenAndUnboxedBitsNeverChange) {
  InstallerJeu(TexteStock());
  auto f = Demarrer();
  struct Cas {
    const char* depart;
    const char* modele;
    const char* conduite;
  } cas[] = {
      {"00000000", "fffff7ff", "37fffffd"},  // every visible box ticked
      {"ffffffff", "00000800", "c8000002"},  // every visible box unticked
  };
  for (const Cas& c : cas) {
    SCOPED_TRACE(c.depart);
    f->CaisseAffichee->mFlags.valeur = c.depart;
    f->CaisseAffichee->hFlags.valeur = c.depart;
    f->ListBox1Click();
    for (auto* page : {f->TabSheet3, f->TabSheet4}) {
      f->PageControl1->setCurrentWidget(page);
      for (auto* boite : page->findChildren<TMorvaneCheckBox*>())
        if (boite->isVisibleTo(page)) Cocher(boite);
    }
    EXPECT_EQ(f->CaisseAffichee->mFlags.valeur, c.modele);
    EXPECT_EQ(f->CaisseAffichee->hFlags.valeur, c.conduite);
  }
}

TEST_F(FenetreTest, AVehicleTheSecondFileLacksKeepsItsEdits) {
  const auto jeu = InstallerJeu(TexteStock());
  auto f = Demarrer();
  const std::string nom = f->ListBox1->item(1)->text().toStdString();
  const std::string autre = f->ListBox1->item(2)->text().toStdString();
  ChoisirVehicule(*f, nom);
  auto* masse = f->findChild<TMorvaneEdit*>("EditfMass");
  masse->selectAll();
  QTest::keyClicks(masse, "1234.5");
  // File B lists only one other car, with a new mass.
  std::ostringstream b;
  b << "; B\n" << autre << " ";
  CAISSE copie = *f->catalogue.Voitures.at(autre);
  copie.fMass.valeur = "999.0";
  b << copie << "\n";
  const auto cheminB = dossier.chemin() / "b.dat";
  EcrireTout(cheminB, b.str());
  fichierChoisi = QString::fromStdString(cheminB.string());
  f->Ouvrir1Click();
  EXPECT_EQ(f->CheminFichier, cheminB.string());
  EXPECT_EQ(f->catalogue.Voitures.at(nom)->fMass.valeur, "1234.5");
  EXPECT_EQ(f->catalogue.Voitures.at(autre)->fMass.valeur, "999.0");
  EXPECT_EQ(f->catalogue.Voitures.size(), 104u);
}

TEST_F(FenetreTest, OpeningTheSameFileTwiceGivesTheSameCatalogue) {
  const auto jeu = InstallerJeu(TexteStock());
  auto f = Demarrer();
  const std::string premier = Ecrit(f->catalogue);
  f->OpenHandlingFile(jeu.string());
  EXPECT_TRUE(Ecrit(f->catalogue) == premier);
  EXPECT_EQ(f->catalogue.Voitures.size(), 104u);
  for (const auto& [nom, moto] : f->catalogue.Motos) EXPECT_NE(moto->voiture, nullptr) << nom;
}

TEST_F(FenetreTest, AnUnreadablePathChangesNothingAndSaysSo) {
  const auto jeu = InstallerJeu(TexteStock());
  auto f = Demarrer();
  const std::string avant = Ecrit(f->catalogue);
  const QString titre = f->windowTitle();
  std::filesystem::create_directories(dossier.chemin() / "un dossier");
  for (const auto& chemin : {dossier.chemin() / "absent.dat", dossier.chemin() / "un dossier"}) {
    SCOPED_TRACE(chemin.string());
    messages.clear();
    f->OpenHandlingFile(chemin.string());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].style, platform::Style::Erreur);
    EXPECT_EQ(messages[0].titre, "Erreur");
    EXPECT_TRUE(messages[0].texte.startsWith("Impossible d'ouvrir le fichier : "));
    EXPECT_EQ(f->windowTitle(), titre);
    EXPECT_EQ(f->CheminFichier, jeu.string());
    EXPECT_TRUE(f->FichierOuvert);
    EXPECT_FALSE(LectureDefauts);
    EXPECT_EQ(f->catalogue.Voitures.size(), 104u);
    EXPECT_TRUE(Ecrit(f->catalogue) == avant);
  }
}

TEST_F(FenetreTest, ThePreviewComesFromTheCurrentFolder) {
  InstallerJeu(TexteStock());
  auto f = Demarrer();
  const std::string premier = f->ListBox1->item(0)->text().toStdString();
  const std::string second = f->ListBox1->item(1)->text().toStdString();
  QImage image(64, 40, QImage::Format_RGB32);
  image.fill(Qt::darkCyan);
  std::filesystem::create_directories(dossier.chemin() / "mini_screen");
  ASSERT_TRUE(image.save(
      QString::fromStdString((dossier.chemin() / "mini_screen" / (second + ".jpg")).string())));
  ChoisirVehicule(*f, second);
  EXPECT_EQ(f->EditID->text().toStdString(), second);
  EXPECT_FALSE(f->Image5->pixmap().isNull());
  ChoisirVehicule(*f, premier);
  EXPECT_TRUE(f->Image5->pixmap().isNull());
  EXPECT_TRUE(messages.empty());
}
