#include "ui/widgets/hex_view_accessible.h"

#include <QAccessibleWidget>

#include "ui/widgets/hex_view.h"

namespace {

class THexViewAccessible : public QAccessibleWidget {
 public:
  explicit THexViewAccessible(THexView *view) : QAccessibleWidget(view, QAccessible::StaticText) {}

  QString text(QAccessible::Text t) const override {
    auto *view = static_cast<THexView *>(widget());
    switch (t) {
      case QAccessible::Value:
        return QString::fromStdString(view->VisibleText());
      case QAccessible::Description: {
        QString d = QString("%1 байт").arg(view->Size());
        auto s = view->Selection();
        if (s.active) d += QString(", выделено %1 байт с %2").arg(s.To() - s.From()).arg(QString::fromStdString(view->OffsetFormat().Text(s.From())));
        if (!view->FollowsEnd()) d += ", прокрутка остановлена";
        return d;
      }
      default:
        return QAccessibleWidget::text(t);
    }
  }
};

QAccessibleInterface *HexViewFactory(const QString &className, QObject *object) {
  if (className == QLatin1String("THexView") && object && object->isWidgetType())
    return new THexViewAccessible(static_cast<THexView *>(object));
  return nullptr;
}

}  // namespace

void InstallHexViewAccessibility() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QAccessible::installFactory(HexViewFactory);
}
