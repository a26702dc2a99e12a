#pragma once
// The page "Команды": version, the 500-request link test with its
// round-trip statistics, restart, identification, the two modes, the memory
// window and the radio debug trace.
#include <QWidget>

class QLabel;
class QListWidget;
class QPushButton;
class QSpinBox;
class THistogramView;

namespace ui {
class IPageHost;
}

class TCommandsTab : public QWidget {
  Q_OBJECT
 public:
  // Builds the page into `sheet`, the host's sheet "Команды".
  TCommandsTab(ui::IPageHost &host, QWidget *sheet);

  void Button1Click();   // Version
  void Button2Click();   // Test 500 Vers
  void Button8Click();   // Restart
  void Button35Click();  // Identify
  void Button37Click();  // Технологич
  void Button38Click();  // Рабочий
  void Button46Click();  // Memory map
  void Button59Click();  // debug info

  QPushButton *Button1, *Button2, *Button5, *Button8, *Button35, *Button37, *Button38, *Button46, *Button59;
  QSpinBox *SE_debuginfaddr;
  QListWidget *RzListBox1;
  QLabel *L_LinkStats;
  THistogramView *LinkHistogram;

 private:
  ui::IPageHost &host_;
};
