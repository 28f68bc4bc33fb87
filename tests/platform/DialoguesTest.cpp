#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <fstream>

#include "Dialogues.h"
#include "Outils.h"
#include "Personne.h"

// Readable failure messages.
static void PrintTo(const QString& texte, std::ostream* os) {
  *os << texte.toStdString();
}

namespace {

using platform::Reponse;
using platform::Style;

const QString kTitre = "Attention";
const QString kTexte =
    QString::fromUtf8("Vous vous apprêtez à <b>écraser</b>.\nVoulez-vous continuer ?");

class Remplacants : public testing::Test {
 protected:
  void TearDown() override { platform::seams() = {}; }

  // Any real window shown although a replacement is set is closed and noticed.
  Personne garde_{[](QWidget& fenetre) { fenetre.close(); }};
};

struct CasRemplacant {
  Style style;
  Reponse reponse;
};

class MessageRemplace : public Remplacants, public testing::WithParamInterface<CasRemplacant> {};

TEST_P(MessageRemplace, LeMessageEstNoteEtLaReponseDuTestRendue) {
  std::vector<platform::Message> notes;
  platform::seams().message = [&](const platform::Message& message) {
    notes.push_back(message);
    return GetParam().reponse;
  };
  EXPECT_EQ(platform::AfficherMessage(nullptr, GetParam().style, kTitre, kTexte),
            GetParam().reponse);
  ASSERT_EQ(notes.size(), 1u);
  EXPECT_EQ(notes[0].style, GetParam().style);
  EXPECT_EQ(notes[0].titre, kTitre);
  EXPECT_EQ(notes[0].texte, kTexte);
  EXPECT_FALSE(garde_.aAgi());
}

INSTANTIATE_TEST_SUITE_P(Styles, MessageRemplace,
                         testing::Values(CasRemplacant{Style::Question, Reponse::Oui},
                                         CasRemplacant{Style::Question, Reponse::Non},
                                         CasRemplacant{Style::Erreur, Reponse::Ok},
                                         CasRemplacant{Style::Information, Reponse::Ok}));

class FichierRemplace : public Remplacants,
                        public testing::WithParamInterface<std::optional<QString>> {};

TEST_P(FichierRemplace, LeNomProposeEstNoteEtLeChoixDuTestRendu) {
  QStringList proposes;
  const auto choix = [&](const QString& nomInitial) {
    proposes << nomInitial;
    return GetParam();
  };
  platform::seams().ouvrir = choix;
  platform::seams().enregistrer = choix;
  EXPECT_EQ(platform::DemanderFichierAOuvrir(nullptr, "/jeu/handling.dat", "*.cfg"), GetParam());
  EXPECT_EQ(platform::DemanderFichierAEnregistrer(nullptr, "/jeu/copie.dat"), GetParam());
  EXPECT_EQ(proposes, QStringList({"/jeu/handling.dat", "/jeu/copie.dat"}));
  EXPECT_FALSE(garde_.aAgi());
}

INSTANTIATE_TEST_SUITE_P(Choix, FichierRemplace,
                         testing::Values(std::optional<QString>("/ailleurs/mien.cfg"),
                                         std::optional<QString>()));

// The real message box, answered by a person.
struct CasBoite {
  const char* nom;
  Style style;
  std::function<void(QMessageBox&)> geste;
  Reponse attendue;
  QMessageBox::Icon icone;
  QMessageBox::StandardButtons boutons;
};

void PrintTo(const CasBoite& cas, std::ostream* os) {
  *os << cas.nom;
}

std::function<void(QMessageBox&)> Cliquer(QMessageBox::StandardButton bouton) {
  return [bouton](QMessageBox& boite) { QTest::mouseClick(boite.button(bouton), Qt::LeftButton); };
}

std::function<void(QMessageBox&)> Appuyer(Qt::Key touche) {
  return [touche](QMessageBox& boite) { QTest::keyClick(&boite, touche); };
}

class BoiteReelle : public testing::TestWithParam<CasBoite> {};

TEST_P(BoiteReelle, MontreLeStyleEtRendLaReponseDeLaPersonne) {
  const CasBoite& cas = GetParam();
  const QMessageBox::StandardButton parDefaut =
      cas.style == Style::Question ? QMessageBox::No : QMessageBox::Ok;
  Personne personne([&](QWidget& fenetre) {
    auto* boite = qobject_cast<QMessageBox*>(&fenetre);
    ASSERT_NE(boite, nullptr);
    EXPECT_EQ(boite->windowTitle(), kTitre);
    EXPECT_EQ(boite->text(), kTexte);
    EXPECT_EQ(boite->textFormat(), Qt::PlainText);
    EXPECT_EQ(boite->icon(), cas.icone);
    EXPECT_EQ(boite->standardButtons(), cas.boutons);
    EXPECT_EQ(boite->defaultButton(), boite->button(parDefaut));
    cas.geste(*boite);
  });
  EXPECT_EQ(platform::AfficherMessage(nullptr, cas.style, kTitre, kTexte), cas.attendue);
  EXPECT_TRUE(personne.aAgi());
  EXPECT_EQ(personne.fenetresFermeesDeForce(), 0);
}

const auto kOuiNon = QMessageBox::Yes | QMessageBox::No;

INSTANTIATE_TEST_SUITE_P(
    Gestes, BoiteReelle,
    testing::Values(CasBoite{"question_oui", Style::Question, Cliquer(QMessageBox::Yes),
                             Reponse::Oui, QMessageBox::Question, kOuiNon},
                    CasBoite{"question_non", Style::Question, Cliquer(QMessageBox::No),
                             Reponse::Non, QMessageBox::Question, kOuiNon},
                    CasBoite{"question_entree_sur_non", Style::Question, Appuyer(Qt::Key_Return),
                             Reponse::Non, QMessageBox::Question, kOuiNon},
                    CasBoite{"question_echap", Style::Question, Appuyer(Qt::Key_Escape),
                             Reponse::Non, QMessageBox::Question, kOuiNon},
                    CasBoite{"erreur_ok", Style::Erreur, Cliquer(QMessageBox::Ok), Reponse::Ok,
                             QMessageBox::Critical, QMessageBox::Ok},
                    CasBoite{"information_entree", Style::Information, Appuyer(Qt::Key_Return),
                             Reponse::Ok, QMessageBox::Information, QMessageBox::Ok}),
    [](const auto& info) { return std::string(info.param.nom); });

// The real file dialogs, in a folder holding the game's file.
struct CasDialogue {
  const char* nom;
  bool ouvrir;
  const char* nomPropose;
  const char* nomTape;  // nullptr: the person cancels
  std::optional<QString> attendu;
};

void PrintTo(const CasDialogue& cas, std::ostream* os) {
  *os << cas.nom;
}

class DialogueReel : public testing::TestWithParam<CasDialogue> {};

TEST_P(DialogueReel, ProposeLeNomEtAccepteUnFichierQuiNExistePas) {
  const CasDialogue& cas = GetParam();
  const DossierTemporaire temporaire;
  const QString dossier = QString::fromStdString(temporaire.chemin().string());
  std::ofstream(temporaire.chemin() / "handling.dat") << "; handling\n";

  Personne personne([&](QWidget& fenetre) {
    auto* dialogue = qobject_cast<QFileDialog*>(&fenetre);
    ASSERT_NE(dialogue, nullptr);
    EXPECT_EQ(dialogue->acceptMode(),
              cas.ouvrir ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    EXPECT_EQ(dialogue->fileMode(), QFileDialog::AnyFile);
    if (cas.ouvrir) {
      EXPECT_EQ(dialogue->nameFilters(), QStringList{"*.cfg"});
    }
    EXPECT_EQ(QDir(dialogue->directory()).canonicalPath(), QDir(dossier).canonicalPath());
    auto* nom = dialogue->findChild<QLineEdit*>("fileNameEdit");
    ASSERT_NE(nom, nullptr);
    EXPECT_EQ(nom->text(), cas.nomPropose);
    if (cas.nomTape == nullptr) {
      QTest::keyClick(dialogue, Qt::Key_Escape);
      return;
    }
    // Typing happens in the focused name field, which is what drops the preset choice.
    QApplication::setActiveWindow(dialogue);
    nom->setFocus();
    ASSERT_TRUE(nom->hasFocus());
    nom->selectAll();
    QTest::keyClicks(nom, cas.nomTape);
    auto* boutons = dialogue->findChild<QDialogButtonBox*>("buttonBox");
    ASSERT_NE(boutons, nullptr);
    QTest::mouseClick(boutons->button(cas.ouvrir ? QDialogButtonBox::Open : QDialogButtonBox::Save),
                      Qt::LeftButton);
  });
  const QString propose = dossier + "/" + cas.nomPropose;
  const auto choix = cas.ouvrir ? platform::DemanderFichierAOuvrir(nullptr, propose, "*.cfg")
                                : platform::DemanderFichierAEnregistrer(nullptr, propose);
  EXPECT_TRUE(personne.aAgi());
  EXPECT_EQ(personne.fenetresFermeesDeForce(), 0);
  ASSERT_EQ(choix.has_value(), cas.attendu.has_value());
  if (choix) {
    EXPECT_EQ(QFileInfo(*choix).absoluteFilePath(), dossier + "/" + *cas.attendu);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Dialogues, DialogueReel,
    testing::Values(
        CasDialogue{"ouvrir_fichier_inexistant", true, "handling.dat", "nouveau.cfg",
                    "nouveau.cfg"},
        CasDialogue{"ouvrir_fichier_propose", true, "handling.dat", "handling.dat", "handling.dat"},
        CasDialogue{"ouvrir_annule", true, "handling.dat", nullptr, std::nullopt},
        CasDialogue{"enregistrer_nouveau", false, "copie.dat", "copie.dat", "copie.dat"},
        CasDialogue{"enregistrer_annule", false, "copie.dat", nullptr, std::nullopt}),
    [](const auto& info) { return std::string(info.param.nom); });

}  // namespace
