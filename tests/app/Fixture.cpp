#include "Fixture.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QListWidget>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <QTreeWidget>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "HandlingWriter.h"
#include "Registre.h"
#include "Unit2.h"

void Cocher(QCheckBox* boite) {
  QStyleOptionButton option;
  option.initFrom(boite);
  option.text = boite->text();
  const QRect indicateur =
      boite->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, boite);
  QTest::mouseClick(boite, Qt::LeftButton, {}, indicateur.center());
}


std::string TexteStock() {
  std::string lf(DefaultHandlingText());
  std::string crlf;
  for (char c : lf) {
    if (c == '\n') crlf += '\r';
    crlf += c;
  }
  return crlf;
}

std::string RemplacerLigne(std::string texte, const std::string& debut, const std::string& ligne) {
  std::size_t pos = 0;
  while (pos < texte.size()) {
    const std::size_t fin = texte.find('\n', pos);
    const std::size_t bout = fin == std::string::npos ? texte.size() : fin;
    // Compare the first tokens, whatever whitespace separates them.
    std::istringstream a(texte.substr(pos, bout - pos)), b(debut);
    std::string ta, tb;
    bool egal = true;
    while (b >> tb)
      if (!(a >> ta) || ta != tb) egal = false;
    if (egal) {
      const bool cr = bout > pos && texte[bout - 1] == '\r';
      texte.replace(pos, bout - pos - (cr ? 1 : 0), ligne);
      return texte;
    }
    pos = bout + 1;
  }
  ADD_FAILURE() << "no line starts with " << debut;
  return texte;
}

std::string Ecrit(const Catalogue& catalogue) {
  std::ostringstream s;
  WriteHandlingText(catalogue, s);
  return s.str();
}

void FenetreTest::SetUp() {
  ancienDossierCourant = std::filesystem::current_path();
  std::filesystem::current_path(dossier.chemin());
  setenv("WINEPREFIX", (dossier.chemin() / "wine").c_str(), 1);
  platform::registreDeTest() = [this](std::string_view, std::string_view nom) {
    return nom == "InstallFolder" ? valeurRegistre : std::nullopt;
  };
  platform::seams().message = [this](const platform::Message& m) {
    messages.push_back(m);
    if (reponses.empty())
      return m.style == platform::Style::Question ? platform::Reponse::Non : platform::Reponse::Ok;
    const platform::Reponse r = reponses.front();
    reponses.pop_front();
    return r;
  };
  platform::seams().ouvrir = [this](const QString& nom) {
    dialoguesOuverts.push_back(nom);
    return fichierChoisi;
  };
  platform::seams().enregistrer = [this](const QString& nom) {
    dialoguesOuverts.push_back(nom);
    return fichierChoisi;
  };
}

void FenetreTest::TearDown() {
  std::filesystem::current_path(ancienDossierCourant);
  platform::registreDeTest() = nullptr;
  platform::seams() = {};
  unsetenv("WINEPREFIX");
}

std::filesystem::path FenetreTest::InstallerJeu(const std::string& texte) {
  valeurRegistre = "C:\\Games\\Morvane";
  const auto chemin = dossier.chemin() / "wine/drive_c/Games/Morvane/common/data/handling.dat";
  EcrireTout(chemin, texte);
  return chemin;
}

std::unique_ptr<TForm1> FenetreTest::Demarrer() {
  auto f = std::make_unique<TForm1>();
  f->show();
  // Menu shortcuts only reach an active window.
  f->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(f.get()));
  return f;
}

void FenetreTest::ChoisirType(TForm1& f, int type) {
  QTreeWidgetItem* noeud = f.TreeView1->topLevelItem(type);
  const QRect r = f.TreeView1->visualItemRect(noeud);
  QTest::mouseClick(f.TreeView1->viewport(), Qt::LeftButton, {}, r.center());
  ASSERT_EQ(f.TreeView1->currentItem(), noeud);
}

void FenetreTest::ChoisirVehicule(TForm1& f, const std::string& nom) {
  const auto trouves = f.ListBox1->findItems(QString::fromLatin1(nom.c_str()), Qt::MatchExactly);
  ASSERT_EQ(trouves.size(), 1) << nom;
  f.ListBox1->scrollToItem(trouves[0]);
  QTest::mouseClick(f.ListBox1->viewport(), Qt::LeftButton, {},
                    f.ListBox1->visualItemRect(trouves[0]).center());
  ASSERT_EQ(f.ListBox1->currentItem(), trouves[0]);
}

void FenetreTest::ChoisirGroupe(TForm1& f, const QString& libelle) {
  f.PageControl1->setCurrentWidget(f.TabSheetAnimGroup);
  QCoreApplication::processEvents();
  const auto trouves = f.ListGroups->findItems(libelle, Qt::MatchExactly);
  ASSERT_EQ(trouves.size(), 1);
  f.ListGroups->scrollToItem(trouves[0]);
  QTest::mouseClick(f.ListGroups->viewport(), Qt::LeftButton, {},
                    f.ListGroups->visualItemRect(trouves[0]).center());
  ASSERT_EQ(f.ListGroups->currentItem(), trouves[0]);
}
