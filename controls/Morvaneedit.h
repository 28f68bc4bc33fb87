#pragma once
#include <QColor>
#include <QLineEdit>
#include <string>

#include "Couleurs.h"

// An edit bound to one text field of a record: shows the current value, writes every change of
// its text straight back, draws it in CoulModif while it differs from the reference and returns
// to the reference on Ctrl+Z. Owns neither value it points to.
class TMorvaneEdit : public QLineEdit {
  Q_OBJECT
  Q_PROPERTY(QColor CoulOrigine MEMBER CoulOrigine)
  Q_PROPERTY(QColor CoulModif MEMBER CoulModif)

 public:
  explicit TMorvaneEdit(QWidget* owner = nullptr);

  std::string* Valeur = nullptr;  // bound current value; null while unbound
  std::string ValOrigine;         // copy of the reference text
  QColor CoulOrigine = clBlack;
  QColor CoulModif = clRed;

  // Binds to the value and takes its present content as the reference.
  void init(std::string* valeur);
  // Binds to a field's current value with its default as the reference; an empty current value
  // takes the default.
  void init(const std::string* defaut, std::string* courant);
  void Verifs();
  void Annuler();

 protected:
  virtual void Change();
  virtual void KeyDown(quint16& key, Qt::KeyboardModifiers shift);
  // Ctrl+Z is handled by KeyDown and never reaches QLineEdit's own undo.
  void keyPressEvent(QKeyEvent* e) override;
};

namespace Morvaneedit {
void Register();
}
