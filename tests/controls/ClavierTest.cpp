#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <vector>

#include "Morvanecheckbox.h"
#include "Morvanecombobox.h"
#include "Morvaneedit.h"

namespace {

// Records the key presses its children let through, the modifier keys themselves aside.
class Parent : public QWidget {
 public:
  std::vector<int> recues;

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    switch (e->key()) {
      case Qt::Key_Control:
      case Qt::Key_Shift:
      case Qt::Key_Alt:
      case Qt::Key_Meta:
        return;
      default:
        recues.push_back(e->key());
    }
  }
};

template <class T>
class Clavier : public ::testing::Test {};

using Controles = ::testing::Types<TMorvaneEdit, TMorvaneCheckBox, TMorvaneComboBox>;
TYPED_TEST_SUITE(Clavier, Controles);

TYPED_TEST(Clavier, CtrlZIsHandledAndNeverPassedOn) {
  Parent parent;
  auto* controle = new TypeParam(&parent);
  parent.show();

  QTest::keyClick(controle, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(controle, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_TRUE(parent.recues.empty());

  // A key none of the controls wants still reaches the parent.
  QTest::keyClick(controle, Qt::Key_F5);
  EXPECT_EQ(parent.recues, std::vector<int>{Qt::Key_F5});
}

}  // namespace
