#pragma once
// The pages of the main window, in tab order. To add a page, give its
// entry a maker: `MakePage<TMyTab>`, where TMyTab is constructed from the
// page host and its sheet (`TMyTab(ui::IPageHost &, QWidget *sheet)`).
#include <QObject>
#include <vector>

#include "ui/main/page_host.h"

struct TPageEntry {
  const char *caption;
  bool shown;  // tab shown; the others only with "Сервисные страницы"
  // Builds the page into its sheet; the sheet owns it. None: the window's
  // own page ("Наст") or a page still to come (an empty sheet).
  QObject *(*make)(ui::IPageHost &host, QWidget *sheet);
};

template <typename Page>
QObject *MakePage(ui::IPageHost &host, QWidget *sheet) {
  return new Page(host, sheet);
}

const std::vector<TPageEntry> &MainWindowPages();
