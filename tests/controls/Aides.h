#pragma once
#include <QColor>
#include <QPalette>
#include <QString>
#include <QTest>
#include <QWidget>

// What a person types, one key at a time; characters beyond ASCII arrive as text only, the way a
// keyboard layout or an input method delivers them.
inline void taper(QWidget* w, const QString& texte) {
  for (QChar c : texte) {
    if (c.unicode() < 0x80)
      QTest::keyClick(w, c.toLatin1());
    else
      QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
  }
}

inline QColor couleur(const QWidget& w, QPalette::ColorRole role) {
  return w.palette().color(role);
}
