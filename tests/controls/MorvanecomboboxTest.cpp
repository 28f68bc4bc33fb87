#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QTest>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "Aides.h"
#include "Morvanecombobox.h"

namespace {

// The anim group labels in item order and the group number each stands for.
struct Groupe {
  const char* libelle;
  std::int32_t numero;
};
constexpr std::array<Groupe, 30> kGroupes{{{"AEROGLISSEUR", 23},
                                           {"BF INJECTION", 25},
                                           {"BUS", 16},
                                           {"CAMION", 2},
                                           {"CAMIONETTE", 13},
                                           {"CHOPPER", 11},
                                           {"COACH", 15},
                                           {"CONVERTIBLE", 19},
                                           {"DEUX ROUES STANDARD", 3},
                                           {"DOZER", 17},
                                           {"HARLEY", 6},
                                           {"HARRIER", 27},
                                           {"KART", 18},
                                           {"LEAR", 26},
                                           {"MOTO CROSSE", 7},
                                           {"MOTO SPORTIVE", 4},
                                           {"MTB BIKE", 10},
                                           {"MTTRUCK", 20},
                                           {"NEVADA", 29},
                                           {"QUAD", 12},
                                           {"STD BUT UPRIGHT", 28},
                                           {"TANK", 24},
                                           {"TRAIN CARRIAGE", 21},
                                           {"VEHICULE LENT", 1},
                                           {"VEHICULE STANDARD", 0},
                                           {"VELO BMX", 9},
                                           {"VESPA", 5},
                                           {"VOITURE SPORTIVE", 22},
                                           {"WAYFARER", 8},
                                           {"rustler", 14}}};

QColor texteDe(const TMorvaneComboBox& c) {
  EXPECT_EQ(couleur(c, QPalette::Text), couleur(c, QPalette::ButtonText));
  return couleur(c, QPalette::Text);
}

class Combo : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const Groupe& g : kGroupes) {
      combo.addItem(g.libelle);
      table.push_back(g.numero);
    }
    combo.show();
  }

  int indexDe(const char* libelle) const { return combo.findText(libelle, Qt::MatchExactly); }

  TMorvaneComboBox combo;
  std::vector<std::int32_t> table;  // exactly one entry per item
};

// ---- Binding ----------------------------------------------------------------------------------

struct Liaison {
  const char* nom;
  std::int32_t defaut, courant;
  int index;
  const char* montre;
  QColor attendue;
};

class ComboLiaison : public Combo, public ::testing::WithParamInterface<Liaison> {};

TEST_P(ComboLiaison, ShowsTheItemOfTheNumberWithoutChangingIt) {
  const Liaison& l = GetParam();
  // Start from a shown item and the opposite colour, so binding must change both.
  std::int32_t avant = 5;
  combo.init(l.attendue == clBlack ? 0 : 5, &avant, table.data());
  ASSERT_EQ(combo.currentText(), "VESPA");
  ASSERT_NE(texteDe(combo), l.attendue);

  std::int32_t courant = l.courant;
  combo.init(l.defaut, &courant, table.data());

  EXPECT_EQ(courant, l.courant);
  EXPECT_EQ(avant, 5);
  EXPECT_EQ(combo.currentIndex(), l.index);
  EXPECT_EQ(combo.currentText(), l.montre);
  EXPECT_EQ(texteDe(combo), l.attendue);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ComboLiaison,
    ::testing::Values(Liaison{"Rustler", 14, 14, 29, "rustler", clBlack},
                      Liaison{"Standard", 0, 0, 24, "VEHICULE STANDARD", clBlack},
                      Liaison{"Camion", 2, 2, 3, "CAMION", clBlack},
                      Liaison{"DifferentFromDefault", 2, 0, 24, "VEHICULE STANDARD", clRed},
                      Liaison{"NoItemForThirty", 30, 30, -1, "", clBlack},
                      Liaison{"NoItemForThirtyDefaultZero", 0, 30, -1, "", clRed},
                      Liaison{"NoItemForMinusOne", 0, -1, -1, "", clRed},
                      Liaison{"NoItemForMinusOneAtDefault", -1, -1, -1, "", clBlack}),
    [](const auto& info) { return std::string(info.param.nom); });

// ---- Picking ----------------------------------------------------------------------------------

enum class Choix { SourisDansLaListe, ClavierDansLaListe, FlecheSansOuvrir };

struct Pick {
  const char* nom;
  std::int32_t defaut, courant;
  Choix choix;
  const char* libelle;  // the item picked
  std::int32_t stocke;
  QColor attendue;
};

class ComboChoix : public Combo, public ::testing::WithParamInterface<Pick> {
 protected:
  void choisir(Choix choix, const char* libelle) {
    const int cible = indexDe(libelle);
    ASSERT_GE(cible, 0);
    QAbstractItemView* vue = combo.view();
    switch (choix) {
      case Choix::SourisDansLaListe: {
        combo.showPopup();
        vue->scrollTo(vue->model()->index(cible, 0));
        const QPoint centre = vue->visualRect(vue->model()->index(cible, 0)).center();
        QTest::mouseClick(vue->viewport(), Qt::LeftButton, {}, centre);
        break;
      }
      case Choix::ClavierDansLaListe: {
        combo.showPopup();
        const int depart = vue->currentIndex().row();
        const Qt::Key fleche = cible > depart ? Qt::Key_Down : Qt::Key_Up;
        for (int i = 0; i < std::abs(cible - depart); ++i) QTest::keyClick(vue, fleche);
        QTest::keyClick(vue, Qt::Key_Return);
        break;
      }
      case Choix::FlecheSansOuvrir: {
        const int depart = combo.currentIndex();
        ASSERT_EQ(std::abs(cible - depart), 1) << "one arrow press away";
        QTest::keyClick(&combo, cible > depart ? Qt::Key_Down : Qt::Key_Up);
        break;
      }
    }
  }
};

TEST_P(ComboChoix, StoresTheNumberOfThePickedItem) {
  const Pick& p = GetParam();
  std::int32_t courant = p.courant;
  combo.init(p.defaut, &courant, table.data());

  choisir(p.choix, p.libelle);

  EXPECT_EQ(combo.currentText(), p.libelle);
  EXPECT_EQ(courant, p.stocke);
  EXPECT_EQ(texteDe(combo), p.attendue);
  EXPECT_FALSE(combo.view()->isVisible());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ComboChoix,
    ::testing::Values(
        Pick{"CamionByMouse", 0, 0, Choix::SourisDansLaListe, "CAMION", 2, clRed},
        Pick{"CamionByKeys", 0, 0, Choix::ClavierDansLaListe, "CAMION", 2, clRed},
        Pick{"CamionWhenDefaultIsTwo", 2, 0, Choix::SourisDansLaListe, "CAMION", 2, clBlack},
        Pick{"DefaultItemBack", 14, 2, Choix::ClavierDansLaListe, "rustler", 14, clBlack},
        // From "CAMION" one step down is "CAMIONETTE", 13.
        Pick{"ArrowOnClosedList", 2, 2, Choix::FlecheSansOuvrir, "CAMIONETTE", 13, clRed},
        Pick{"FromNoItem", 30, 30, Choix::SourisDansLaListe, "QUAD", 12, clRed}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST_F(Combo, ItemSetByTheProgramWritesNothing) {
  std::int32_t courant = 14;
  combo.init(14, &courant, table.data());
  combo.setCurrentIndex(indexDe("CAMION"));
  EXPECT_EQ(courant, 14);
  EXPECT_EQ(texteDe(combo), clBlack);
}

TEST_F(Combo, PickWhileUnboundChangesOnlyTheList) {
  const QPalette avant = combo.palette();
  combo.CoulOrigine = Qt::green;  // any recolouring would show
  combo.CoulModif = Qt::green;
  QTest::keyClick(&combo, Qt::Key_Down);
  EXPECT_EQ(combo.currentIndex(), 1);
  QTest::keyClick(&combo, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(combo.currentIndex(), 1);
  EXPECT_EQ(combo.palette(), avant);
}

// ---- Ctrl+Z -----------------------------------------------------------------------------------

struct Annulation {
  const char* nom;
  std::int32_t defaut, courant;
  Qt::KeyboardModifiers mods;
  int index;
};

class ComboAnnulation : public Combo, public ::testing::WithParamInterface<Annulation> {};

TEST_P(ComboAnnulation, StoresAndShowsTheDefault) {
  const Annulation& a = GetParam();
  std::int32_t courant = a.courant;
  combo.init(a.defaut, &courant, table.data());

  QTest::keyClick(&combo, Qt::Key_Z, a.mods);

  EXPECT_EQ(courant, a.defaut);
  EXPECT_EQ(combo.currentIndex(), a.index);
  EXPECT_EQ(texteDe(combo), clBlack);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ComboAnnulation,
    ::testing::Values(Annulation{"AwayFromDefault", 14, 2, Qt::ControlModifier, 29},
                      Annulation{"AtDefault", 0, 0, Qt::ControlModifier, 24},
                      Annulation{"CtrlShift", 2, 30, Qt::ControlModifier | Qt::ShiftModifier, 3},
                      Annulation{"DefaultWithoutItem", 30, 2, Qt::ControlModifier, -1}),
    [](const auto& info) { return std::string(info.param.nom); });

// ---- correspInv -------------------------------------------------------------------------------

TEST(ComboCorrespInv, LooksOnlyAtTheEntriesOfExistingItems) {
  TMorvaneComboBox combo;
  EXPECT_EQ(combo.correspInv(0), -1) << "no table";

  combo.addItem("A");
  combo.addItem("B");
  // One entry more than there are items: its number must not be found.
  const std::int32_t table[] = {7, 7, 9};
  std::int32_t courant = 9;
  combo.init(9, &courant, table);
  struct Cas {
    std::int32_t nombre;
    int index;
  };
  for (Cas c : {Cas{7, 0}, Cas{9, -1}, Cas{8, -1}}) EXPECT_EQ(combo.correspInv(c.nombre), c.index);
  EXPECT_EQ(combo.currentIndex(), -1);

  // A table of exactly one entry per item, on the heap so a sanitizer sees any read past it.
  auto exacte = std::make_unique<std::int32_t[]>(2);
  exacte[0] = 3;
  exacte[1] = 4;
  combo.init(4, &courant, exacte.get());
  EXPECT_EQ(combo.correspInv(4), 1);
  EXPECT_EQ(combo.correspInv(5), -1);
}

TEST(ComboConstruction, IsADropDownListWithTheDesignedDefaults) {
  TMorvaneComboBox combo;
  EXPECT_FALSE(combo.isEditable());
  EXPECT_EQ(combo.Valeur, nullptr);
  EXPECT_EQ(combo.ValOrigine, -1);
  EXPECT_EQ(combo.property("CoulOrigine").value<QColor>(), clBlack);
  EXPECT_EQ(combo.property("CoulModif").value<QColor>(), clRed);
}

}  // namespace
