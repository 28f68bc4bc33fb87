#include "ImageOutil.h"

#include <QMouseEvent>

ImageOutil::ImageOutil(QWidget* parent, QPixmap normale, QPixmap enfoncee)
    : QLabel(parent), normale_(std::move(normale)), enfoncee_pix_(std::move(enfoncee)) {
  setScaledContents(true);
  setPixmap(normale_);
}

void ImageOutil::MouseDown() {
  enfoncee_ = true;
  setPixmap(enfoncee_pix_);
  repaint();
}

void ImageOutil::MouseUp() {
  enfoncee_ = false;
  setPixmap(normale_);
  repaint();
}

void ImageOutil::mousePressEvent(QMouseEvent* e) {
  MouseDown();
  e->accept();
}

void ImageOutil::mouseReleaseEvent(QMouseEvent* e) {
  // Only a left button released over the picture is a click.
  const bool clic = e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
  if (clic && Click) Click();
  MouseUp();
  e->accept();
}
