#pragma once
#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>

// Acts once on the next modal window, from inside its event loop, as a person at the screen
// would. Whatever is still modal a while after that is closed, and counted, so a dialog that
// ignores the person fails the test instead of hanging it.
class Personne {
 public:
  explicit Personne(std::function<void(QWidget&)> action) : action_(std::move(action)) {
    QObject::connect(&attente_, &QTimer::timeout, [this] { Agir(); });
    attente_.start(10);
  }

  bool aAgi() const { return aAgi_; }
  int fenetresFermeesDeForce() const { return fermeesDeForce_; }

 private:
  void Agir() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!aAgi_) {
      if (modal == nullptr) return;
      aAgi_ = true;
      action_(*modal);
      return;
    }
    if (modal == nullptr || ++tours_ < 100) return;
    for (int i = 0; i < 10 && (modal = QApplication::activeModalWidget()) != nullptr; ++i) {
      ++fermeesDeForce_;
      if (auto* dialogue = qobject_cast<QDialog*>(modal)) {
        dialogue->reject();
      } else {
        modal->close();
      }
    }
  }

  std::function<void(QWidget&)> action_;
  QTimer attente_;
  bool aAgi_ = false;
  int tours_ = 0;
  int fermeesDeForce_ = 0;
};
