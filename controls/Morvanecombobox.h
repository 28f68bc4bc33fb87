#pragma once
#include <QColor>
#include <QComboBox>
#include <cstdint>

#include "Couleurs.h"

// A drop-down list bound to one number of a record; item i stands for the number Corresp[i].
// A pick writes the number straight into the record. Owns neither the number nor the table.
class TMorvaneComboBox : public QComboBox {
  Q_OBJECT
  Q_PROPERTY(QColor CoulOrigine MEMBER CoulOrigine)
  Q_PROPERTY(QColor CoulModif MEMBER CoulModif)

 public:
  explicit TMorvaneComboBox(QWidget* owner = nullptr);

  std::int32_t* Valeur = nullptr;  // bound current number; null while unbound
  std::int32_t ValOrigine = -1;
  const std::int32_t* Corresp = nullptr;  // at least count() entries
  QColor CoulOrigine = clBlack;
  QColor CoulModif = clRed;

  // First item standing for the number, -1 for none; reads only entries 0 to count()-1.
  int correspInv(std::int32_t nombre) const;
  // Shows the current number without changing it.
  void init(std::int32_t defaut, std::int32_t* courant, const std::int32_t* table);
  void Verifs();
  void reinit();

 protected:
  virtual void Select();  // a pick by the user, never a change made by the program
  virtual void KeyDown(quint16& key, Qt::KeyboardModifiers shift);
  void keyPressEvent(QKeyEvent* e) override;
};

namespace Morvanecombobox {
void Register();
}
