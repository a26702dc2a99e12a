#include "cli/cli_options.h"

#include "cli/command_registry.h"
#include "modem/remote_node.h"
#include "util/number_text.h"

namespace cli {

bool ParseNumber(const std::string &text, long min, long max, long *value) {
  auto v = util::ParseInteger(text, min, max);
  if (v) *value = static_cast<long>(*v);
  return v.has_value();
}

bool ParseGlobalOptions(const std::vector<std::string> &args, GlobalOptions *o, std::string *error) {
  size_t i = 0;
  auto value = [&](const std::string &name, long min, long max, long *out) -> bool {
    if (i + 1 >= args.size()) {
      *error = name + " needs a value";
      return false;
    }
    const std::string &text = args[++i];
    if (!ParseNumber(text, min, max, out)) {
      *error = name + ": \"" + text + "\" is not a number from " + std::to_string(min) + " to " + std::to_string(max);
      return false;
    }
    return true;
  };
  for (; i < args.size(); ++i) {
    const std::string &a = args[i];
    long v = 0;
    if (a == "--help" || a == "-h") {
      o->help = true;
    } else if (a == "--version") {
      o->version = true;
    } else if (a == "--trace") {
      o->trace = true;
    } else if (a == "--json") {
      o->json = true;
    } else if (a == "--sim") {
      o->sim = true;
    } else if (a == "--ascii") {
      o->ascii = true;
    } else if (a == "--port") {
      if (i + 1 >= args.size()) {
        *error = "--port needs a device path";
        return false;
      }
      o->port = args[++i];
    } else if (a == "--address") {
      if (!value(a, 0, 255, &v)) return false;
      o->address = static_cast<int>(v);
    } else if (a == "--timeout") {
      if (!value(a, 1, 600000, &v)) return false;
      o->timeoutMs = static_cast<int>(v);
    } else if (a == "--attempts") {
      if (!value(a, 1, 255, &v)) return false;
      o->attempts = static_cast<int>(v);
    } else if (a == "--baud") {
      if (!value(a, 50, 4000000, &v)) return false;
      o->baud = static_cast<int>(v);
    } else if (a == "--remote") {
      if (!value(a, 0, 65534, &v)) return false;
      o->remote = static_cast<int>(v);
    } else if (a == "--remote-timeout") {
      if (!value(a, 0, 3600000, &v)) return false;
      o->remoteTimeoutMs = static_cast<int>(v);
    } else if (a.size() > 1 && a[0] == '-' && o->command.empty()) {
      *error = "unknown option " + a;
      return false;
    } else {
      o->command.assign(args.begin() + static_cast<long>(i), args.end());
      break;
    }
  }
  if (o->help || o->version) return true;
  if (o->command.empty()) {
    *error = "no command given";
    return false;
  }
  if (o->sim && !o->port.empty()) {
    *error = "--sim and --port exclude each other";
    return false;
  }
  const Command *command = FindCommand(o->command.front());
  if (command && !command->needsLine) return true;
  if (!o->sim && o->port.empty()) {
    *error = "name a line with --port PATH, or use --sim";
    return false;
  }
  return true;
}

std::string Usage() {
  std::string text =
      "usage: vovorctl (--port PATH | --sim) [options] COMMAND [ARGS]\n"
      "options:\n"
      "  --port PATH     the modem's serial line: a device path, COMn, a /dev/serial/by-id\n"
      "                  name or a USB serial number (see the ports command)\n"
      "  --sim           start the simulated modem on a pseudo-terminal and use it\n"
      "  --baud N        line speed (default 19200)\n"
      "  --ascii         ASCII frames instead of BIN\n"
      "  --address N     the modem's address, 0..255 (default 255: any)\n"
      "  --timeout MS    answer time-out per attempt (default 1000)\n"
      "  --attempts N    attempts per command (default 3)\n"
      "  --remote ADDR   run the command on a remote node through the modem (0..65534)\n"
      "  --remote-timeout MS\n"
      "                  the longest a remote command may take, polls included (default " +
      std::to_string(modem::ZIZ2400_RemoteNode::kDefaultCommandTimeoutMs) +
      "; 0: no limit)\n"
      "  --trace         print every frame sent and received, with its fields, on standard error\n"
      "  --json          print one JSON object: the decoded fields, result and exit status\n"
      "  --version       show the version and build date\n"
      "exit status: 0 success, 1 device error, 2 usage error, 3 port error\n"
      "commands:\n";
  for (const auto &c : Commands()) text += "  " + c.synopsis + "\n      " + c.summary + "\n";
  return text;
}

}  // namespace cli
