#pragma once
#include <QLabel>
#include <QPixmap>
#include <functional>

// A tool picture: shows its pressed picture while a mouse button is held on it, runs its
// command when the left button is released over it, and shows its normal picture again once
// the command has ended (so it stays pressed during a modal question).
class ImageOutil : public QLabel {
 public:
  ImageOutil(QWidget* parent, QPixmap normale, QPixmap enfoncee);
  std::function<void()> Click;
  bool enfoncee() const { return enfoncee_; }

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  void MouseDown();
  void MouseUp();
  QPixmap normale_, enfoncee_pix_;
  bool enfoncee_ = false;
};
