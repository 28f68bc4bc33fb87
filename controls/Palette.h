#pragma once
#include <QString>
#include <QWidget>
#include <functional>
#include <vector>

// Components known by class name, grouped in pages, so a form can be built from names.
namespace controls {

struct Composant {
  QString page;
  QString classe;
  std::function<QWidget*(QWidget* owner)> fabrique;  // the widget belongs to owner
};

// Adds each class to the page; a class already known is replaced, never listed twice.
void RegisterComponents(const QString& page, const std::vector<Composant>& composants);
const std::vector<Composant>& Composants();
// Nullptr when the class is unknown.
const Composant* TrouverComposant(const QString& classe);
QWidget* CreerComposant(const QString& classe, QWidget* owner);

}  // namespace controls
