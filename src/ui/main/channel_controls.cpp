#include "ui/main/channel_controls.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

#include "log/log_intf.h"
#include "modem/route.h"
#include "modem/ziz2400.h"
#include "ui/main/vcomm_tab_logic.h"
#include "ui/widgets/spin_edit.h"

using namespace vcomm_tab;

namespace channel_controls {

const char kCloseTimeoutHint[] =
    "Тайм-аут принудительного разрыва канала\r\n1 слоник - 5 мсек, т.е. 200 слоников - 1 сек.\r\nЕсли 0 слоников - "
    "тайм-аут отключается.";

QComboBox *SpeedList(const char *name) {
  auto *c = new QComboBox;
  c->setObjectName(name);
  for (int i = 0; i < kSpeedItemCount; ++i) c->addItem(QString::fromUtf8(SpeedItems()[i]));
  c->setCurrentIndex(0);
  return c;
}

QComboBox *FormatList(const char *name) {
  auto *c = new QComboBox;
  c->setObjectName(name);
  c->addItems({"8N1", "8E1", "8O1"});
  c->setCurrentIndex(0);
  return c;
}

TSpinEdit *Spin(const char *name, int min, int max, int step, int value) {
  auto *s = new TSpinEdit(min, max, step, value);
  s->setObjectName(name);
  return s;
}

QLineEdit *RouteEdit(const char *name) {
  auto *e = new QLineEdit;
  e->setObjectName(name);
  e->setAccessibleName(QStringLiteral("Маршрут"));
  // The same node list as the configuration page and vovorctl take; the
  // grouped form "001 005 009" still reads, as blanks separate nodes too.
  e->setPlaceholderText(QStringLiteral("1-5-9"));
  e->setToolTip(QStringLiteral("Узлы маршрута по порядку, через дефис: 1-5-9 (от 2 до 24 узлов)"));
  e->setMinimumWidth(560);
  return e;
}

QPushButton *Button(const char *name, const QString &caption) {
  auto *b = new QPushButton(caption);
  b->setObjectName(name);
  return b;
}

void Run(ui::IPageHost &host, bool longer, const std::function<void(modem::ZIZ2400 &)> &request) {
  modem::ZIZ2400 *node = host.CurrentNode();
  if (!node) return;
  host.RunOperation([&] {
    const int normal = node->GetTimeOutMs();
    if (longer) node->SetTimeOutMs(normal * 4);
    request(*node);
    if (longer) node->SetTimeOutMs(normal);
  });
}

bool Route(ui::IPageHost &host, QLineEdit *field, std::string *route) {
  const modem::ParsedRoute r = modem::ParseRouteText(field->text().toStdString(), modem::kChannelRouteNodes);
  if (!r.route) {
    if (auto logger = host.Logger())
      logger->AddMessageAs("Маршрут не отправлен: " + modem::RouteProblemText(r.problem), lsWarning);
    return false;
  }
  *route = r.route->Hex();
  return true;
}

}  // namespace channel_controls
