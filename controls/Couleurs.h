#pragma once
#include <QColor>

// The two colours every bound control draws its text in.
inline const QColor clBlack{0, 0, 0};
inline const QColor clRed{255, 0, 0};
