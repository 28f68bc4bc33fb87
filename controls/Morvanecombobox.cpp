#include "Morvanecombobox.h"

#include <QKeyEvent>
#include <QPalette>

#include "Palette.h"
#include "Touches.h"

TMorvaneComboBox::TMorvaneComboBox(QWidget* owner) : QComboBox(owner) {
  setEditable(false);
  connect(this, &QComboBox::activated, this, [this] { Select(); });
}

int TMorvaneComboBox::correspInv(std::int32_t nombre) const {
  if (!Corresp) return -1;
  for (int i = 0; i < count(); ++i)
    if (Corresp[i] == nombre) return i;
  return -1;
}

void TMorvaneComboBox::init(std::int32_t defaut, std::int32_t* courant, const std::int32_t* table) {
  Corresp = table;
  ValOrigine = defaut;
  Valeur = courant;
  setCurrentIndex(correspInv(*Valeur));
  Verifs();
}

void TMorvaneComboBox::Verifs() {
  if (!Valeur) return;
  const QColor& couleur = *Valeur == ValOrigine ? CoulOrigine : CoulModif;
  Colorer(*this, couleur, {QPalette::Text, QPalette::ButtonText});
}

void TMorvaneComboBox::reinit() {
  if (!Valeur) return;
  *Valeur = ValOrigine;
  setCurrentIndex(correspInv(*Valeur));
  Verifs();
}

void TMorvaneComboBox::Select() {
  if (!Valeur) return;
  if (currentIndex() != -1 && Corresp) *Valeur = Corresp[currentIndex()];
  Verifs();
}

void TMorvaneComboBox::KeyDown(quint16& key, Qt::KeyboardModifiers shift) {
  if (controls::EstCtrlZ(key, shift)) reinit();
}

void TMorvaneComboBox::keyPressEvent(QKeyEvent* e) {
  quint16 key = controls::CodeTouche(*e);
  KeyDown(key, e->modifiers());
  if (controls::EstCtrlZ(controls::CodeTouche(*e), e->modifiers())) {
    e->accept();
    return;
  }
  QComboBox::keyPressEvent(e);
}

namespace Morvanecombobox {
void Register() {
  controls::RegisterComponents("Additional",
                               {{{}, "TMorvaneComboBox", [](QWidget* owner) -> QWidget* {
                                   return new TMorvaneComboBox(owner);
                                 }}});
}
}  // namespace Morvanecombobox
