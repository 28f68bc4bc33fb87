#include "Morvanecheckbox.h"

#include <QKeyEvent>
#include <QPalette>
#include <cctype>
#include <utility>

#include "Palette.h"
#include "Touches.h"

TMorvaneCheckBox::TMorvaneCheckBox(QWidget* owner) : QCheckBox(owner) {
  connect(this, &QCheckBox::toggled, this, [this] { Click(); });
}

std::int16_t TMorvaneCheckBox::hex(char c) {
  if (c >= '0' && c <= '9') return static_cast<std::int16_t>(c - '0');
  // Only ASCII letters have a lower-case form here; every other byte keeps its own code.
  const unsigned char octet = static_cast<unsigned char>(c);
  const int minuscule = (octet >= 'A' && octet <= 'Z') ? octet - 'A' + 'a' : octet;
  return static_cast<std::int16_t>(minuscule - 87);
}

void TMorvaneCheckBox::init(std::string defaut, std::string* courant, std::int32_t position,
                            std::int16_t masque) {
  ModeEntier = false;
  Actif = false;
  Texte = courant;
  Position = position;
  Masque = masque;
  EtatOrigine = (hex(defaut.at(Position)) & Masque) != 0;
  // Still inactive: the toggle this may raise must not write into the record.
  setChecked((hex(Texte->at(Position)) & Masque) != 0);
  Actif = true;
  Verifs();
}

void TMorvaneCheckBox::init(std::int32_t defaut, std::int32_t* courant, std::int32_t masque) {
  ModeEntier = true;
  Actif = false;
  Entier = courant;
  Masque = static_cast<std::int16_t>(masque);
  EtatOrigine = (defaut & Masque) != 0;
  setChecked((*Entier & Masque) != 0);
  Actif = true;
  Verifs();
}

void TMorvaneCheckBox::Verifs() {
  if (!Actif) return;
  const QColor& couleur = isChecked() == EtatOrigine ? CoulOrigine : CoulModif;
  Colorer(*this, couleur, {QPalette::WindowText, QPalette::ButtonText});
}

void TMorvaneCheckBox::ApplyLink() {
  if (!Actif) return;
  if (ModeEntier) {
    if (isChecked())
      *Entier |= Masque;
    else
      *Entier &= ~static_cast<std::int32_t>(Masque);
  } else {
    char& chiffre = Texte->at(Position);
    int v = hex(chiffre);
    v = isChecked() ? (v | Masque) : (v & ~Masque);
    chiffre = static_cast<char>(v < 10 ? 48 + v : 87 + v);
  }
  Verifs();
}

void TMorvaneCheckBox::reinit() {
  setChecked(EtatOrigine);
  ApplyLink();
}

void TMorvaneCheckBox::Click() {
  ApplyLink();
}

void TMorvaneCheckBox::KeyDown(quint16& key, Qt::KeyboardModifiers shift) {
  if (controls::EstCtrlZ(key, shift)) reinit();
}

void TMorvaneCheckBox::keyPressEvent(QKeyEvent* e) {
  quint16 key = controls::CodeTouche(*e);
  KeyDown(key, e->modifiers());
  if (controls::EstCtrlZ(controls::CodeTouche(*e), e->modifiers())) {
    e->accept();
    return;
  }
  QCheckBox::keyPressEvent(e);
}

namespace Morvanecheckbox {
void Register() {
  controls::RegisterComponents("Additional",
                               {{{}, "TMorvaneCheckBox", [](QWidget* owner) -> QWidget* {
                                   return new TMorvaneCheckBox(owner);
                                 }}});
}
}  // namespace Morvanecheckbox
