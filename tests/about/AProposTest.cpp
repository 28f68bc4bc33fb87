#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTextLayout>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "Unit3.h"

namespace fs = std::filesystem;

namespace {

// Runs a test inside a fresh temporary directory and goes back where it was afterwards.
class DansUnDossierVide : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dossier_.isValid());
    avant_ = fs::current_path();
    fs::current_path(dossier_.path().toStdString());
  }
  void TearDown() override { fs::current_path(avant_); }

  static void Ecrire(const fs::path& fichier, const std::string& octets) {
    std::ofstream(fichier, std::ios::binary) << octets;
  }
  static void EcrireAide(const std::string& octets) { Ecrire("Readme.txt", octets); }

  template <class T>
  static T* Enfant(TForm3& form, const char* nom) {
    T* w = form.findChild<T*>(QLatin1String(nom));
    EXPECT_NE(w, nullptr) << nom;
    return w;
  }
  static QTextBrowser* Aide(TForm3& form) { return Enfant<QTextBrowser>(form, "RichEdit1"); }

 private:
  QTemporaryDir dossier_;
  fs::path avant_;
};

constexpr const char* kPageAPropos[] = {"Image1", "Label1", "Memo1", "Label3", "Label4"};

void AttendrePage(TForm3& form, bool aPropos) {
  for (const char* nom : kPageAPropos) {
    auto* w = form.findChild<QWidget*>(QLatin1String(nom));
    ASSERT_NE(w, nullptr) << nom;
    EXPECT_EQ(w->isVisibleTo(&form), aPropos) << nom;
  }
  EXPECT_EQ(form.findChild<QTextBrowser*>(QStringLiteral("RichEdit1"))->isVisibleTo(&form),
            !aPropos);
}

// ----------------------------------------------------------------------------------------------
// Pages and tabs

TEST_F(DansUnDossierVide, LesOngletsPassentDeLaPageAProposALAideEtRetour) {
  TForm3 form;
  form.show();
  auto* onglets = Enfant<QTabBar>(form, "TabSet1");
  ASSERT_EQ(onglets->count(), 2);
  EXPECT_EQ(onglets->tabText(0), QStringLiteral("A propos"));
  EXPECT_EQ(onglets->tabText(1), QStringLiteral("Utilisation de l'éditeur"));
  EXPECT_EQ(onglets->currentIndex(), 0);
  AttendrePage(form, true);

  QTest::mouseClick(onglets, Qt::LeftButton, {}, onglets->tabRect(1).center());
  AttendrePage(form, false);
  // The help covers the whole area below the tabs.
  EXPECT_EQ(Aide(form)->geometry(), QRect(0, 24, 625, 377));

  QTest::mouseClick(onglets, Qt::LeftButton, {}, onglets->tabRect(0).center());
  AttendrePage(form, true);

  // Closing and showing again keeps the page chosen last.
  onglets->setCurrentIndex(1);
  form.hide();
  form.show();
  AttendrePage(form, false);
}

TEST_F(DansUnDossierVide, LaFenetreEtSesTextesSontCeuxAttendus) {
  TForm3 form;
  EXPECT_EQ(form.windowTitle(), QStringLiteral("A propos"));
  EXPECT_TRUE(form.isModal());
  EXPECT_EQ(form.size(), QSize(626, 406));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());

  const std::pair<const char*, QString> labels[] = {
      {"Label1", QStringLiteral("  Version 0.1       07/02/2009 ")},
      {"Label3", QStringLiteral("  par Ardemus  ")},
      {"Label4", QStringLiteral("Contact : ardemus@quintrel.example")},
  };
  for (const auto& [nom, texte] : labels) {
    auto* label = Enfant<QLabel>(form, nom);
    EXPECT_EQ(label->text(), texte) << nom;
    EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(Qt::yellow)) << nom;
    EXPECT_FALSE(label->autoFillBackground()) << nom;
  }

  auto* memo = Enfant<QTextEdit>(form, "Memo1");
  EXPECT_EQ(memo->toPlainText(),
            QStringLiteral("En attendant un programme plus dans l'ère du temps ;)\n"
                           "----\n"
                           "Cette version est surtout destinée aux impatients"));
  EXPECT_TRUE(memo->isReadOnly());
  // Each line centred and whole on one line, the three of them inside the memo.
  form.show();
  for (QTextBlock b = memo->document()->begin(); b.isValid(); b = b.next()) {
    EXPECT_EQ(b.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter)
        << b.text().toStdString();
    EXPECT_EQ(b.layout()->lineCount(), 1) << b.text().toStdString();
  }
  EXPECT_LE(memo->document()->size().height(), memo->viewport()->height());

  auto* titre = Enfant<QLabel>(form, "Image1");
  EXPECT_EQ(titre->geometry(), QRect(128, 24, 489, 381));
  ASSERT_FALSE(titre->pixmap().isNull());
  EXPECT_EQ(titre->pixmap().size(), QSize(500, 392));
  EXPECT_TRUE(titre->hasScaledContents());

  auto* aide = Aide(form);
  EXPECT_TRUE(aide->isReadOnly());
  const QFontMetrics chasse(aide->font());
  EXPECT_EQ(chasse.horizontalAdvance(QLatin1Char('i')), chasse.horizontalAdvance(QLatin1Char('W')))
      << "the help is not in a monospace font";
  EXPECT_EQ(aide->palette().color(QPalette::Base), QColor(Qt::black));
  EXPECT_EQ(aide->palette().color(QPalette::Text), QColor(Qt::white));
}

// ----------------------------------------------------------------------------------------------
// Help text

TEST_F(DansUnDossierVide, LAideEstLeReadmeDuDossierCourantLuUneSeuleFois) {
  EcrireAide(
      "Quintrel\r\n\r\n\xC9"
      "diteur \xE0 utiliser\r\nfin\r\n\x1a"
      "cach\xE9 apr\xE8s\r\n");
  TForm3 form;
  const QString attendu = QStringLiteral("Quintrel\n\nÉditeur à utiliser\nfin\n");
  EXPECT_EQ(Aide(form)->toPlainText(), attendu);

  // The file changed after the window was built: the help keeps what was read.
  EcrireAide("autre texte\r\n");
  form.show();
  Enfant<QTabBar>(form, "TabSet1")->setCurrentIndex(1);
  form.hide();
  form.show();
  EXPECT_EQ(Aide(form)->toPlainText(), attendu);
}

TEST_F(DansUnDossierVide, SansReadmeLAideEstVide) {
  fs::create_directory("sous-dossier");
  Ecrire("sous-dossier/Readme.txt", "pas celui-ci\r\n");
  TForm3 form;
  EXPECT_TRUE(Aide(form)->toPlainText().isEmpty());
  AttendrePage(form, true);
}

struct CasFichier {
  const char* nom;
  std::string octets;
  QString attendu;
};

class LectureAide : public DansUnDossierVide, public ::testing::WithParamInterface<CasFichier> {};

TEST_P(LectureAide, OctetsDuFichierVersTexte) {
  Ecrire("aide.txt", GetParam().octets);
  EXPECT_EQ(LireTexteAide("aide.txt"), GetParam().attendu);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, LectureAide,
    ::testing::Values(CasFichier{"CrLfDevientLf", "un\r\ndeux\r\n", QStringLiteral("un\ndeux\n")},
                      CasFichier{"LfSeulGarde", "un\ndeux", QStringLiteral("un\ndeux")},
                      CasFichier{"CrIsoleGarde", "a\rb\r", QStringLiteral("a\rb\r")},
                      CasFichier{"CrCrLf", "a\r\r\nb", QStringLiteral("a\r\nb")},
                      CasFichier{"CtrlZTermine",
                                 "avant\x1a"
                                 "apr\xE8s\r\n",
                                 QStringLiteral("avant")},
                      CasFichier{"CtrlZEntreCrEtLf", "a\r\x1a\nb", QStringLiteral("a\r")},
                      CasFichier{"CtrlZEnTete",
                                 std::string("\x1a"
                                             "tout",
                                             5),
                                 QString()},
                      CasFichier{"Windows1252", "\xE9t\xE9 \x80 \x9C\x85",
                                 QStringLiteral("été € œ…")},
                      CasFichier{"Vide", "", QString()}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST_F(DansUnDossierVide, FichierAbsentOuIllisibleDonneUnTexteVide) {
  fs::create_directory("dossier.txt");
  EXPECT_TRUE(LireTexteAide("absent.txt").isEmpty());
  EXPECT_TRUE(LireTexteAide("dossier.txt").isEmpty());
}

// ----------------------------------------------------------------------------------------------
// Web addresses

// Every run of text carrying a link, as (text shown, address of the link).
std::vector<std::pair<QString, QString>> Liens(const QTextDocument& doc) {
  std::vector<std::pair<QString, QString>> liens;
  for (QTextBlock b = doc.begin(); b.isValid(); b = b.next()) {
    bool suite = false;
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      const QTextCharFormat format = f.charFormat();
      if (!format.isAnchor()) {
        suite = false;
        continue;
      }
      if (suite && liens.back().second == format.anchorHref())
        liens.back().first += f.text();
      else
        liens.emplace_back(f.text(), format.anchorHref());
      suite = true;
    }
  }
  return liens;
}

struct CasLiens {
  const char* nom;
  QString texte;
  std::vector<QString> adresses;
};

class AdressesWeb : public ::testing::TestWithParam<CasLiens> {};

TEST_P(AdressesWeb, DeviennentDesLiensSansChangerLeTexte) {
  QTextBrowser vue;
  AfficherAvecLiens(vue, GetParam().texte);
  EXPECT_EQ(vue.toPlainText(), GetParam().texte);
  std::vector<std::pair<QString, QString>> attendus;
  for (const QString& a : GetParam().adresses) attendus.emplace_back(a, a);
  EXPECT_EQ(Liens(*vue.document()), attendus);
}

INSTANTIATE_TEST_SUITE_P(
    Cas, AdressesWeb,
    ::testing::Values(
        CasLiens{"Http",
                 QStringLiteral("Voir http://quintrel.example/aide pour tout."),
                 {QStringLiteral("http://quintrel.example/aide")}},
        CasLiens{
            "PonctuationFinaleExclue",
            QStringLiteral("Pages : https://quintrel.example/a?b=1, (www.quintrel.example).\n"),
            {QStringLiteral("https://quintrel.example/a?b=1"),
             QStringLiteral("www.quintrel.example")}},
        CasLiens{"MajusculesEtAccents",
                 QStringLiteral("Site WWW.Quintrel.example/é\nHTTP://X.example"),
                 {QStringLiteral("WWW.Quintrel.example/é"), QStringLiteral("HTTP://X.example")}},
        CasLiens{"PlusieursLignes",
                 QStringLiteral("un http://a.example\ndeux\n\ntrois https://b.example/c/"),
                 {QStringLiteral("http://a.example"), QStringLiteral("https://b.example/c/")}},
        CasLiens{
            "RienALier",
            QStringLiteral(
                "Pas d'adresse : http:// seul, ni www., ni (http://), ni ardemus@quintrel.example"),
            {}}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST_F(DansUnDossierVide, CliquerUnLienNeFaitRien) {
  const std::string texte = "Page du projet : http://quintrel.example/aide\r\nSuite de l'aide\r\n";
  EcrireAide(texte);
  TForm3 form;
  form.show();
  Enfant<QTabBar>(form, "TabSet1")->setCurrentIndex(1);
  auto* aide = Aide(form);
  const QString avant = aide->toPlainText();

  QTextCursor curseur(aide->document());
  curseur.setPosition(static_cast<int>(avant.indexOf(QLatin1String("quintrel.example/aide"))));
  QSignalSpy clics(aide, &QTextBrowser::anchorClicked);
  QTest::mouseClick(aide->viewport(), Qt::LeftButton, {}, aide->cursorRect(curseur).center());

  ASSERT_EQ(clics.count(), 1) << "the click missed the link";
  EXPECT_EQ(aide->toPlainText(), avant);
  EXPECT_TRUE(aide->source().isEmpty());
  EXPECT_TRUE(aide->isVisibleTo(&form));
}

}  // namespace
