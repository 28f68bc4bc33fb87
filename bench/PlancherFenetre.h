#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QString>
#include <map>
#include <memory>
#include <vector>

// The floors of the window benchmarks: the same widgets with no catalogue and no binding.

// A main window's widget tree as plain data: widgets with the Qt class each derives from, their
// names, texts, pictures, fonts, palettes, layouts, menus and items. Described once from a live
// window, it can be built again as often as needed with plain Qt classes only.
struct ArbreFenetre;
std::shared_ptr<const ArbreFenetre> Decrire(const QMainWindow& modele);
std::unique_ptr<QMainWindow> Construire(const ArbreFenetre& arbre);

// How many widgets of each Qt class and layouts of each kind a window holds, its menus and their
// actions included: a copy that differs from its model here is not the same tree.
std::map<QString, int> Recensement(const QMainWindow& fenetre);

// What a click in the vehicle list shows, as plain values: the name, the text of every edit the
// kind binds (by object name), the tick of every flag box and the anim group item.
struct Affichage {
  QString nom;
  std::vector<std::pair<QString, QString>> textes;  // object name, text
  std::vector<std::pair<QString, bool>> coches;     // object name, ticked
  int groupe = -1;                                  // item of the anim group combo box
};

// Sets the same texts and ticks on the plain widgets of a built floor window.
class PlancherClic {
 public:
  PlancherClic(QMainWindow& fenetre, const Affichage& forme);
  void afficher(const Affichage& a);

 private:
  QLineEdit* nom_ = nullptr;
  QComboBox* groupe_ = nullptr;
  std::vector<QLineEdit*> edits_;
  std::vector<QCheckBox*> cases_;
};

// Fills a plain list with names already in order, and selects the first.
void RemplirListe(QListWidget& liste, const QStringList& noms);
