#pragma once
#include <QColor>
#include <QWidget>

// A filled shape drawn behind other controls: a rectangle, or a rectangle with rounded corners.
class Forme : public QWidget {
 public:
  Forme(QWidget* parent, QColor fond, QColor trait, int rayon);

 protected:
  void paintEvent(QPaintEvent*) override;

 private:
  QColor fond_, trait_;
  int rayon_;
};

// A colour stored the form library's way: 0x00BBGGRR.
QColor CouleurBGR(unsigned valeur);
