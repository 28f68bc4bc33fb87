#pragma once
#include <QKeyEvent>
#include <QtGlobal>

namespace controls {

// Key code handed to KeyDown: letters and digits keep their ASCII upper-case code (Qt::Key_Z is
// 90), keys Qt numbers above 16 bits have no such code and give 0.
inline quint16 CodeTouche(const QKeyEvent& e) {
  const int key = e.key();
  return (key >= 0 && key <= 0xFFFF) ? static_cast<quint16>(key) : 0;
}

// Ctrl+Z in any control returns its field to the default; other modifiers do not matter.
inline bool EstCtrlZ(quint16 key, Qt::KeyboardModifiers shift) {
  return key == Qt::Key_Z && shift.testFlag(Qt::ControlModifier);
}

}  // namespace controls
