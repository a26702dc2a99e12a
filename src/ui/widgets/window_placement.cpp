#include "ui/widgets/window_placement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "ui/widgets/window_placement_logic.h"

QRect VisibleOnScreens(const QRect &stored) {
  std::vector<placement::Rect> screens;
  auto add = [&](const QScreen *s) {
    const QRect a = s->availableGeometry();
    screens.push_back({a.x(), a.y(), a.width(), a.height()});
  };
  if (QScreen *primary = QGuiApplication::primaryScreen()) add(primary);
  for (const QScreen *s : QGuiApplication::screens())
    if (s != QGuiApplication::primaryScreen()) add(s);
  const placement::Rect r =
      placement::VisiblePlacement({stored.x(), stored.y(), stored.width(), stored.height()}, screens);
  return QRect(r.left, r.top, r.width, r.height);
}

void RestoreWindowGeometry(QWidget *window, const QRect &stored) { window->setGeometry(VisibleOnScreens(stored)); }
