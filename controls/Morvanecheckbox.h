#pragma once
#include <QCheckBox>
#include <QColor>
#include <cstdint>
#include <string>

#include "Couleurs.h"

// A check box bound to one bit of a record field: a bit value of one hexadecimal digit of a flags
// text (digit mode) or a bit value of a number (number mode). Every change of the tick is written
// into the field once bound; binding itself never writes. Owns nothing it points to.
class TMorvaneCheckBox : public QCheckBox {
  Q_OBJECT
  Q_PROPERTY(QColor CoulOrigine MEMBER CoulOrigine)
  Q_PROPERTY(QColor CoulModif MEMBER CoulModif)

 public:
  explicit TMorvaneCheckBox(QWidget* owner = nullptr);

  bool ModeEntier = false;   // number mode
  bool Actif = false;        // binding complete: ticks are written through
  bool EtatOrigine = false;  // the tick the default value gives
  std::string* Texte = nullptr;
  std::int32_t* Entier = nullptr;
  std::int16_t Masque = 0;
  std::int32_t Position = 0;  // index of the digit in Texte, 0 = leftmost
  QColor CoulOrigine = clBlack;
  QColor CoulModif = clRed;

  // '0'-'9' give 0-9, any other character its lower-case code minus 87 ('a'/'A' -> 10).
  static std::int16_t hex(char c);

  // Digit mode. Throws std::out_of_range when position is outside either text.
  void init(std::string defaut, std::string* courant, std::int32_t position, std::int16_t masque);
  // Number mode.
  void init(std::int32_t defaut, std::int32_t* courant, std::int32_t masque);
  void Verifs();
  // Writes the tick into the bound bit (digits are rewritten in lower case).
  void ApplyLink();
  // Tick and bound bit back to the default.
  void reinit();

 protected:
  virtual void Click();
  virtual void KeyDown(quint16& key, Qt::KeyboardModifiers shift);
  void keyPressEvent(QKeyEvent* e) override;
};

namespace Morvanecheckbox {
void Register();
}
