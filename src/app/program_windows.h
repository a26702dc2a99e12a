#pragma once
// The main window's two companions, made after it and gone before it: the
// terminal (made on request) and the memory dump window (one for the
// program's life, a window of its own, never modal). Each keeps its own
// settings file beside the main one ("…2" and "…3").
#include <string>

#include "ui/dump/dump_form.h"
#include "ui/terminal/terminal_opener.h"

class TForm1;

class TProgramWindows {
 public:
  TProgramWindows(TForm1 &form, const std::string &mainSettingsPath);
  TProgramWindows(const TProgramWindows &) = delete;
  TProgramWindows &operator=(const TProgramWindows &) = delete;

  TTerminalOpener terminal;
  TDumpForm dump;
};
