#pragma once
#include <QColor>
#include <QPalette>
#include <QWidget>
#include <initializer_list>

// The two colours every bound control draws its text in.
inline const QColor clBlack{0, 0, 0};
inline const QColor clRed{255, 0, 0};

// Draws the widget's text in `couleur` for the given roles. setPalette resolves the palette and
// sends change events even when nothing changes, and every binding of a vehicle recolours about
// a hundred controls, so nothing is set when the colour is already there.
inline void Colorer(QWidget& w, const QColor& couleur,
                    std::initializer_list<QPalette::ColorRole> roles) {
  QPalette pal = w.palette();
  bool change = false;
  for (QPalette::ColorRole role : roles)
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
      change = change || pal.color(g, role) != couleur;
  if (!change) return;
  for (QPalette::ColorRole role : roles) pal.setColor(role, couleur);
  w.setPalette(pal);
}
