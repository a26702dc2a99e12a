#pragma once
// Restores a window's stored rectangle where the user can see it, on the
// screens there are now (see window_placement_logic.h for the rules).
#include <QRect>

class QWidget;

// The stored rectangle made visible on the current screens.
QRect VisibleOnScreens(const QRect &stored);
// Gives `window` the stored rectangle made visible.
void RestoreWindowGeometry(QWidget *window, const QRect &stored);
