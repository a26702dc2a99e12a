#pragma once
// What the two channel pages share: their lists and fields, and how a
// channel request runs on the current node.
#include <QString>
#include <functional>
#include <string>

#include "ui/main/page_host.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class TSpinEdit;

namespace channel_controls {

extern const char kCloseTimeoutHint[];

QComboBox *SpeedList(const char *name);
QComboBox *FormatList(const char *name);
TSpinEdit *Spin(const char *name, int min, int max, int step, int value);
QLineEdit *RouteEdit(const char *name);
QPushButton *Button(const char *name, const QString &caption);

// One channel request on the current node; `longer` gives it four times
// the node's answer time-out, as opening a channel through the mesh takes.
void Run(ui::IPageHost &host, bool longer, const std::function<void(modem::ZIZ2400 &)> &request);
// The route of a route field, or none with the reason in the log.
bool Route(ui::IPageHost &host, QLineEdit *field, std::string *route);

}  // namespace channel_controls
