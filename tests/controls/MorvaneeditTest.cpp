#include <gtest/gtest.h>

#include <QTest>
#include <string>
#include <vector>

#include "Aides.h"
#include "Morvaneedit.h"
#include "Texte.h"

namespace {

QColor texteDe(const TMorvaneEdit& e) {
  return couleur(e, QPalette::Text);
}

// ---- Binding with the default and the current value -------------------------------------

struct Liaison {
  const char* nom;
  std::string defaut, courant;
  std::string stocke;  // current value after binding
  QColor attendue;
};

class EditLiaison : public ::testing::TestWithParam<Liaison> {};

TEST_P(EditLiaison, ShowsCurrentValueColoursItAndLeavesThePreviousRecordAlone) {
  const Liaison& l = GetParam();
  TMorvaneEdit edit;
  // A first record, shown in red, so that every row must change the text or the colour.
  const std::string ancienDefaut = "0";
  std::string ancien = "2.5";
  edit.init(&ancienDefaut, &ancien);
  ASSERT_EQ(texteDe(edit), clRed);

  std::string defaut = l.defaut, courant = l.courant;
  edit.init(&defaut, &courant);

  EXPECT_EQ(courant, l.stocke);
  EXPECT_EQ(defaut, l.defaut);
  EXPECT_EQ(edit.text(), platform::VersQString(l.stocke));
  EXPECT_EQ(texteDe(edit), l.attendue);
  EXPECT_EQ(edit.ValOrigine, l.defaut);
  EXPECT_EQ(edit.Valeur, &courant);
  EXPECT_EQ(ancien, "2.5");
}

INSTANTIATE_TEST_SUITE_P(
    Rows, EditLiaison,
    ::testing::Values(
        Liaison{"Equal", "1700.0", "1700.0", "1700.0", clBlack},
        // Same text as the record shown before: no text change, the colour must still follow.
        Liaison{"EqualSameTextAsBefore", "2.5", "2.5", "2.5", clBlack},
        Liaison{"Different", "1700.0", "1800.0", "1800.0", clRed},
        Liaison{"DifferentSameTextAsBefore", "2.50", "2.5", "2.5", clRed},
        Liaison{"EmptyTakesDefault", "1700.0", "", "1700.0", clBlack},
        Liaison{"EmptyDefaultAndCurrent", "", "", "", clBlack},
        Liaison{"ExactComparisonNoNumbers", "0.5", "0.50", "0.50", clRed},
        Liaison{"AnsiBytesShown", "\xE9t\xE9\x80", "\xE9t\xE9\x80", "\xE9t\xE9\x80", clBlack}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(EditLiaisonSimple, TakesPresentValueAsReference) {
  TMorvaneEdit edit;
  const std::string autreDefaut = "1";
  std::string autre = "9";
  edit.init(&autreDefaut, &autre);
  ASSERT_EQ(texteDe(edit), clRed);

  std::string valeur = "bikestd";
  edit.init(&valeur);
  EXPECT_EQ(edit.text(), "bikestd");
  EXPECT_EQ(edit.ValOrigine, "bikestd");
  EXPECT_EQ(texteDe(edit), clBlack);
  EXPECT_EQ(autre, "9");

  taper(&edit, "2");
  EXPECT_EQ(valeur, "bikestd2");
  EXPECT_EQ(texteDe(edit), clRed);
}

// ---- What the user does after binding ---------------------------------------------------

enum class Geste { Taper, Vider, Touche };

struct Pas {
  Geste geste;
  QString texte;  // Taper: the characters typed
  Qt::Key touche = Qt::Key_unknown;
  Qt::KeyboardModifiers mods = Qt::NoModifier;
  std::string stocke;  // current value afterwards, also what the edit must show
  QColor attendue;
};

struct Scenario {
  const char* nom;
  std::string defaut, courant;
  std::vector<Pas> pas;
};

Pas taperPas(QString t, std::string s, QColor c) {
  return {Geste::Taper, t, {}, {}, s, c};
}
Pas viderPas(std::string s, QColor c) {
  return {Geste::Vider, {}, {}, {}, s, c};
}
Pas touchePas(Qt::Key k, Qt::KeyboardModifiers m, std::string s, QColor c) {
  return {Geste::Touche, {}, k, m, s, c};
}

class EditSaisie : public ::testing::TestWithParam<Scenario> {};

TEST_P(EditSaisie, WritesEveryChangeThroughAndRecolours) {
  const Scenario& sc = GetParam();
  std::string defaut = sc.defaut, courant = sc.courant;
  TMorvaneEdit edit;
  edit.init(&defaut, &courant);

  for (std::size_t i = 0; i < sc.pas.size(); ++i) {
    const Pas& p = sc.pas[i];
    switch (p.geste) {
      case Geste::Taper:
        taper(&edit, p.texte);
        break;
      case Geste::Vider:
        QTest::keyClick(&edit, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&edit, Qt::Key_Backspace);
        break;
      case Geste::Touche:
        QTest::keyClick(&edit, p.touche, p.mods);
        break;
    }
    SCOPED_TRACE(testing::Message() << "step " << i);
    EXPECT_EQ(courant, p.stocke);
    EXPECT_EQ(edit.text(), platform::VersQString(p.stocke));
    EXPECT_EQ(texteDe(edit), p.attendue);
  }
  EXPECT_EQ(defaut, sc.defaut);
}

const auto Ctrl = Qt::ControlModifier;

INSTANTIATE_TEST_SUITE_P(
    Rows, EditSaisie,
    ::testing::Values(
        Scenario{"TextThenDefaultBack",
                 "1700.0",
                 "1700.0",
                 {viderPas("", clRed), taperPas("abc", "abc", clRed), viderPas("", clRed),
                  taperPas("1700.", "1700.", clRed), taperPas("0", "1700.0", clBlack)}},
        Scenario{"ClearingStoresEmptyText", "1700.0", "1700.0", {viderPas("", clRed)}},
        Scenario{
            "ClearingToEmptyDefault", "", "", {taperPas("x", "x", clRed), viderPas("", clBlack)}},
        Scenario{
            "CtrlZRestoresDefault",
            "1700.0",
            "1800.0",
            {taperPas("abc", "1800.0abc", clRed), touchePas(Qt::Key_Z, Ctrl, "1700.0", clBlack)}},
        Scenario{"CtrlShiftZRestoresDefault",
                 "1700.0",
                 "1800.0",
                 {touchePas(Qt::Key_Z, Ctrl | Qt::ShiftModifier, "1700.0", clBlack)}},
        Scenario{"CtrlAltZRestoresDefault",
                 "1700.0",
                 "1800.0",
                 {touchePas(Qt::Key_Z, Ctrl | Qt::AltModifier, "1700.0", clBlack)}},
        // Undo after the default is back must not bring the typed text back either.
        Scenario{"CtrlZTwice",
                 "5",
                 "5",
                 {taperPas("0", "50", clRed), touchePas(Qt::Key_Z, Ctrl, "5", clBlack),
                  touchePas(Qt::Key_Z, Ctrl, "5", clBlack)}},
        Scenario{
            "ZAloneIsTyping",
            "std",
            "std",
            {touchePas(Qt::Key_Z, Qt::NoModifier, "stdz", clRed), taperPas("Z", "stdzZ", clRed)}},
        Scenario{"OtherCtrlKeysDoNotUndo",
                 "1.0",
                 "2.0",
                 {touchePas(Qt::Key_Y, Ctrl, "2.0", clRed),
                  touchePas(Qt::Key_X, Ctrl | Qt::ShiftModifier, "2.0", clRed)}},
        Scenario{"TypedTextStoredAsAnsi",
                 "\x80",
                 "a",
                 {viderPas("", clRed), taperPas(QString::fromUtf8("\u20AC"), "\x80", clBlack),
                  taperPas(QString::fromUtf8("\u00E9\u03A9"), "\x80\xE9?", clRed),
                  taperPas("x", "\x80\xE9?x", clRed)}}),
    [](const auto& info) { return std::string(info.param.nom); });

// ---- Never bound --------------------------------------------------------------------------

TEST(EditNonLiee, KeysAndCallsChangeOnlyTheWidget) {
  TMorvaneEdit edit;
  edit.setText("?");
  QPalette avant = edit.palette();
  edit.CoulOrigine = Qt::green;  // any recolouring would show

  QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(edit.text(), "?");
  edit.Annuler();
  edit.Verifs();
  EXPECT_EQ(edit.text(), "?");
  taper(&edit, "1");
  EXPECT_EQ(edit.text(), "?1");
  EXPECT_EQ(edit.palette(), avant);
  EXPECT_EQ(edit.Valeur, nullptr);
}

TEST(EditProprietes, ColoursAreQtPropertiesAndUsed) {
  TMorvaneEdit edit;
  EXPECT_EQ(edit.property("CoulOrigine").value<QColor>(), clBlack);
  EXPECT_EQ(edit.property("CoulModif").value<QColor>(), clRed);
  ASSERT_TRUE(edit.setProperty("CoulModif", QColor(Qt::blue)));
  ASSERT_TRUE(edit.setProperty("CoulOrigine", QColor(Qt::darkGreen)));

  const std::string defaut = "1";
  std::string courant = "2";
  edit.init(&defaut, &courant);
  EXPECT_EQ(texteDe(edit), QColor(Qt::blue));
  QTest::keyClick(&edit, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(texteDe(edit), QColor(Qt::darkGreen));
}

}  // namespace
