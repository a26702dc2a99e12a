#include "app/program_windows.h"

#include "app/form1.h"
#include "ui/dump/dump_form_logic.h"
#include "ui/terminal/term_settings_logic.h"

TProgramWindows::TProgramWindows(TForm1 &form, const std::string &mainSettingsPath)
    : terminal(form, term::TerminalSettingsPath(mainSettingsPath)),
      dump(form, dump_form::DumpSettingsPath(mainSettingsPath)) {
  QObject::connect(&form, &TForm1::ShowTerminalRequested, &form, [this] { terminal.ShowTerminal(); });
  // Every request binds the window to the node chosen on "Наст" at that moment.
  QObject::connect(&form, &TForm1::ShowMemoryDumpRequested, &dump, [this] { dump.ShowForCurrentNode(); });
}
