#include "Forme.h"

#include <QPainter>

Forme::Forme(QWidget* parent, QColor fond, QColor trait, int rayon)
    : QWidget(parent), fond_(fond), trait_(trait), rayon_(rayon) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Forme::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing, rayon_ > 0);
  p.setPen(trait_);
  p.setBrush(fond_);
  const QRectF r = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  if (rayon_ > 0)
    p.drawRoundedRect(r, rayon_, rayon_);
  else
    p.drawRect(r);
}

QColor CouleurBGR(unsigned valeur) {
  return QColor(valeur & 0xFF, (valeur >> 8) & 0xFF, (valeur >> 16) & 0xFF);
}
