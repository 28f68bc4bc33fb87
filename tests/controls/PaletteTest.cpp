#include <gtest/gtest.h>

#include <QWidget>
#include <algorithm>

#include "Morvanecheckbox.h"
#include "Morvanecombobox.h"
#include "Morvaneedit.h"
#include "Palette.h"

namespace {

void toutEnregistrer() {
  Morvaneedit::Register();
  Morvanecheckbox::Register();
  Morvanecombobox::Register();
}

template <class T>
bool estDeClasse(QWidget* w) {
  return qobject_cast<T*>(w) != nullptr;
}

struct Classe {
  const char* nom;
  bool (*verifier)(QWidget*);
};

class Palette : public ::testing::TestWithParam<Classe> {};

TEST_P(Palette, RegisteredClassIsBuiltByNameInAdditional) {
  toutEnregistrer();
  toutEnregistrer();  // registering again lists nothing twice

  const auto& tous = controls::Composants();
  EXPECT_EQ(std::count_if(tous.begin(), tous.end(),
                          [&](const auto& c) { return c.classe == GetParam().nom; }),
            1);
  const controls::Composant* c = controls::TrouverComposant(GetParam().nom);
  ASSERT_NE(c, nullptr);
  EXPECT_EQ(c->page, "Additional");

  QWidget owner;
  QWidget* w = controls::CreerComposant(GetParam().nom, &owner);
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(GetParam().verifier(w));
  EXPECT_EQ(w->parent(), &owner);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Palette,
    ::testing::Values(Classe{"TMorvaneEdit", estDeClasse<TMorvaneEdit>},
                      Classe{"TMorvaneCheckBox", estDeClasse<TMorvaneCheckBox>},
                      Classe{"TMorvaneComboBox", estDeClasse<TMorvaneComboBox>}),
    [](const auto& info) { return std::string(info.param.nom); });

TEST(PaletteInconnue, UnknownClassBuildsNothing) {
  toutEnregistrer();
  QWidget owner;
  EXPECT_EQ(controls::TrouverComposant("TEdit"), nullptr);
  EXPECT_EQ(controls::CreerComposant("TEdit", &owner), nullptr);
  EXPECT_TRUE(owner.children().isEmpty());
}

}  // namespace
