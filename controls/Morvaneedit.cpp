#include "Morvaneedit.h"

#include <QKeyEvent>
#include <QPalette>
#include <algorithm>

#include "Palette.h"
#include "Texte.h"
#include "Touches.h"

TMorvaneEdit::TMorvaneEdit(QWidget* owner) : QLineEdit(owner) {
  connect(this, &QLineEdit::textChanged, this, [this] { Change(); });
}

void TMorvaneEdit::init(std::string* valeur) {
  ValOrigine = *valeur;
  Valeur = valeur;
  setText(platform::VersQString(ValOrigine));
}

void TMorvaneEdit::init(const std::string* defaut, std::string* courant) {
  ValOrigine = *defaut;
  // Bind before the text changes: the change notification must write into the new record,
  // never into the one bound before.
  Valeur = courant;
  if (courant->empty()) *courant = *defaut;
  Verifs();
  setText(platform::VersQString(*courant));
}

void TMorvaneEdit::Change() {
  if (!Valeur) return;
  *Valeur = platform::DepuisQString(text());
  const QString montre = platform::VersQString(*Valeur);
  if (montre != text()) {
    // A character Windows-1252 lacks was stored as '?': show what will be saved. The nested
    // change this raises finds nothing more to fix and recolours.
    const int curseur = cursorPosition();
    setText(montre);
    setCursorPosition(std::min<int>(curseur, static_cast<int>(montre.size())));
    return;
  }
  Verifs();
}

void TMorvaneEdit::Verifs() {
  if (!Valeur) return;
  Colorer(*this, *Valeur == ValOrigine ? CoulOrigine : CoulModif, {QPalette::Text});
}

void TMorvaneEdit::Annuler() {
  if (!Valeur) return;
  *Valeur = ValOrigine;
  setText(platform::VersQString(ValOrigine));
  Verifs();
}

void TMorvaneEdit::KeyDown(quint16& key, Qt::KeyboardModifiers shift) {
  if (controls::EstCtrlZ(key, shift)) Annuler();
}

void TMorvaneEdit::keyPressEvent(QKeyEvent* e) {
  quint16 key = controls::CodeTouche(*e);
  KeyDown(key, e->modifiers());
  if (controls::EstCtrlZ(controls::CodeTouche(*e), e->modifiers())) {
    e->accept();  // ours alone: QLineEdit's own undo must not run after it
    return;
  }
  QLineEdit::keyPressEvent(e);
}

namespace Morvaneedit {
void Register() {
  controls::RegisterComponents(
      "Additional",
      {{{}, "TMorvaneEdit", [](QWidget* owner) -> QWidget* { return new TMorvaneEdit(owner); }}});
}
}  // namespace Morvaneedit
