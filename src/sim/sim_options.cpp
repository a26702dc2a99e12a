#include "sim/sim_options.h"

#include "sim/sim_modem.h"
#include "util/hex.h"
#include "util/number_text.h"

namespace sim {

namespace {

bool ParseNumber(const std::string &text, uint64_t max, uint64_t *value) {
  auto v = util::ParseInteger(text, 0, static_cast<int64_t>(max));
  if (v) *value = static_cast<uint64_t>(*v);
  return v.has_value();
}

bool ParseHexBytes(const std::string &text, std::string *bytes) {
  std::string digits;
  for (char c : text) {
    if (c == ' ' || c == ':') continue;
    if (util::HexDigitValue(c) < 0) return false;
    digits.push_back(c);
  }
  if (digits.size() % 2 != 0) return false;
  *bytes = util::HexToBytes(digits, static_cast<uint16_t>(digits.size() / 2), false);
  return true;
}

// "1,2,0x10"
bool ParseAddressList(const std::string &text, std::vector<uint16_t> *addresses) {
  size_t start = 0;
  while (start <= text.size()) {
    const size_t comma = text.find(',', start);
    const std::string item = text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
    uint64_t v = 0;
    if (!ParseNumber(item, 0xFFFF, &v)) return false;
    addresses->push_back(static_cast<uint16_t>(v));
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return true;
}

// "ADDR[:polls=N][:delay=MS][:no-answer][:empty-answer][:remote-status=N][:answer-status=N]"
bool ParseNodeSetup(const std::string &text, NodeSetup *node, std::string *error) {
  std::vector<std::string> parts;
  size_t start = 0;
  for (size_t colon; (colon = text.find(':', start)) != std::string::npos; start = colon + 1) {
    parts.push_back(text.substr(start, colon - start));
  }
  parts.push_back(text.substr(start));
  uint64_t v = 0;
  if (!ParseNumber(parts[0], 0xFFFF, &v)) {
    *error = "--node: " + parts[0] + " is not a node address from 0 to 65535";
    return false;
  }
  node->address = static_cast<uint16_t>(v);
  for (size_t k = 1; k < parts.size(); ++k) {
    const std::string &part = parts[k];
    const size_t eq = part.find('=');
    const std::string key = part.substr(0, eq);
    const std::string value = eq == std::string::npos ? std::string() : part.substr(eq + 1);
    const bool hasValue = eq != std::string::npos;
    if (key == "no-answer" && !hasValue) {
      node->faults.noAnswer = true;
    } else if (key == "empty-answer" && !hasValue) {
      node->faults.emptyAnswer = true;
    } else if (key == "polls" && ParseNumber(value, 1000000, &v)) {
      node->pendingPolls = static_cast<int>(v);
    } else if (key == "delay" && ParseNumber(value, 3600000, &v)) {
      node->meshDelayMs = static_cast<int>(v);
    } else if (key == "remote-status" && ParseNumber(value, 255, &v)) {
      node->faults.remoteStatus = static_cast<int>(v);
    } else if (key == "answer-status" && ParseNumber(value, 255, &v)) {
      node->faults.answerStatus = static_cast<int>(v);
    } else {
      *error = "--node: " + part + " is not a node setting";
      return false;
    }
  }
  return true;
}

struct Parser {
  const std::vector<std::string> &args;
  SimOptions &options;
  std::string &error;
  size_t index = 0;

  bool Value(const std::string &option, std::string *value) {
    if (index + 1 >= args.size()) {
      error = option + " needs a value";
      return false;
    }
    *value = args[++index];
    return true;
  }

  template <typename T>
  bool Number(const std::string &option, uint64_t max, T *target) {
    std::string text;
    if (!Value(option, &text)) return false;
    uint64_t v = 0;
    if (!ParseNumber(text, max, &v)) {
      error = option + ": " + text + " is not a number from 0 to " + std::to_string(max);
      return false;
    }
    *target = static_cast<T>(v);
    return true;
  }

  bool One(const std::string &arg) {
    Faults &f = options.faults;
    auto flag = [](bool &target, bool value) {
      target = value;
      return true;
    };
    if (arg == "--help" || arg == "-h") return flag(options.help, true);
    if (arg == "--version") return flag(options.version, true);
    if (arg == "--ascii-lowercase") return flag(options.asciiLowercase, true);
    if (arg == "--no-zero-runs") return flag(options.zeroRuns, false);
    if (arg == "--exit-on-stdin-eof") return flag(options.exitOnStdinEof, true);
    if (arg == "--corrupt-check") return flag(f.corruptCheck, true);
    if (arg == "--split") return flag(f.splitAnswer, true);
    if (arg == "--address") return Number(arg, 255, &options.address);
    if (arg == "--baud") return Number(arg, 4000000, &f.baud);
    if (arg == "--drop") return Number(arg, 1000000, &f.dropNextAnswers);
    if (arg == "--busy") return Number(arg, 1000000, &f.busyNextAnswers);
    if (arg == "--status") return Number(arg, 255, &f.statusOverride);
    if (arg == "--from-address") return Number(arg, 255, &f.answerFromAddress);
    if (arg == "--flood") return Number(arg, 10000000, &f.floodNextBytes);
    if (arg == "--delay") return Number(arg, 3600000, &f.delayMs);
    if (arg == "--hang-up-after") return Number(arg, 1000000, &f.hangUpAfterAnswers);
    if (arg == "--restart-silence") return Number(arg, 3600000, &options.restartSilenceMs);
    if (arg == "--polls") return Number(arg, 1000000, &options.defaultPendingPolls);
    if (arg == "--mesh-delay") return Number(arg, 3600000, &options.defaultMeshDelayMs);
    if (arg == "--nodes") {
      std::string text;
      if (!Value(arg, &text)) return false;
      std::vector<uint16_t> addresses;
      if (!ParseAddressList(text, &addresses)) {
        error = "--nodes: " + text + " is not a list of node addresses such as 1,2,3";
        return false;
      }
      options.replaceNodes = true;
      options.nodes.clear();
      for (uint16_t address : addresses) options.nodes.push_back(NodeSetup{address, -1, -1, {}});
      return true;
    }
    if (arg == "--no-nodes") {
      options.replaceNodes = true;
      options.nodes.clear();
      return true;
    }
    if (arg == "--node") {
      std::string text;
      if (!Value(arg, &text)) return false;
      NodeSetup node;
      if (!ParseNodeSetup(text, &node, &error)) return false;
      options.nodes.push_back(node);
      return true;
    }
    if (arg == "--noise") {
      std::string text;
      if (!Value(arg, &text)) return false;
      if (!ParseHexBytes(text, &f.noiseBefore)) {
        error = "--noise: " + text + " is not a sequence of hex bytes";
        return false;
      }
      return true;
    }
    error = "unknown option " + arg;
    return false;
  }
};

}  // namespace

bool ParseSimOptions(const std::vector<std::string> &args, SimOptions *options, std::string *error) {
  SimOptions parsed;
  std::string message;
  Parser parser{args, parsed, message};
  for (; parser.index < args.size(); ++parser.index) {
    if (!parser.One(args[parser.index])) {
      if (error) *error = message;
      return false;
    }
  }
  *options = parsed;
  return true;
}

std::string SimUsage() {
  return "Usage: vovor-modem-sim [options]\n"
         "Serves a simulated ORVA modem on a pseudo-terminal. The first line of\n"
         "standard output is the device path to open; the simulator then serves\n"
         "until SIGINT, SIGTERM or SIGHUP (or, with --exit-on-stdin-eof, until\n"
         "standard input closes).\n"
         "\n"
         "Line and modem:\n"
         "  --address N          the modem's own address (default 1); it also answers 255\n"
         "  --baud N             pace requests and answers at N baud (default: unpaced)\n"
         "  --ascii-lowercase    ASCII answers in lower-case hex\n"
         "  --no-zero-runs       BIN answers write zero bytes as they are, not as ESC n\n"
         "  --exit-on-stdin-eof  stop when standard input reaches its end\n"
         "Faults:\n"
         "  --drop N             the next N answers are lost\n"
         "  --corrupt-check      every answer has a wrong check byte\n"
         "  --noise HEX          send these bytes before every answer (e.g. 55AA00)\n"
         "  --split              write answers one byte at a time\n"
         "  --busy N             answer the next N requests with status 15 (busy)\n"
         "  --status N           answer every request with status N and no data\n"
         "  --from-address N     answers carry source address N\n"
         "  --flood N            answer the next request with N bytes and no frame\n"
         "  --delay MS           wait MS milliseconds before each answer\n"
         "  --hang-up-after N    drop the line after N answers, as a pulled adapter does\n"
         "  --restart-silence MS after a restart the modem hears nothing for MS ms (default 300)\n"
         "Mesh behind the tunnel (default: nodes 1, 2 and 3, one unfinished poll each):\n"
         "  --nodes LIST         the remote nodes, e.g. 1,2,0x10 (replaces the default nodes)\n"
         "  --no-nodes           no remote nodes at all\n"
         "  --polls N            status polls a remote command stays unfinished (default 1)\n"
         "  --mesh-delay MS      a remote command's answer is ready MS ms after it was sent\n"
         "                       (default 0; a command also waits out its polls)\n"
         "  --node ADDR[:SETTING...]  add or set up one node; settings: polls=N, delay=MS,\n"
         "                       no-answer, empty-answer, remote-status=N, answer-status=N\n"
         "                       e.g. --node 2:polls=3 --node 3:remote-status=0x13\n"
         "  --help               show this text\n"
         "  --version            show the version and build date\n"
         "Numbers are decimal or 0x-prefixed hex.\n";
}

void ConfigureModem(const SimOptions &options, SimModem &modem) {
  modem.SetAddress(options.address);
  modem.SetAsciiLowercase(options.asciiLowercase);
  modem.SetZeroRuns(options.zeroRuns);
  const int64_t now = modem.Now();
  if (options.restartSilenceMs >= 0) modem.State().restartSilenceMs = static_cast<uint32_t>(options.restartSilenceMs);
  Mesh &mesh = modem.GetMesh();
  if (options.defaultPendingPolls >= 0) {
    mesh.SetDefaultPendingPolls(options.defaultPendingPolls);
    for (uint16_t address : mesh.Addresses()) mesh.FindNode(address)->pendingPolls = options.defaultPendingPolls;
  }
  if (options.defaultMeshDelayMs >= 0) {
    mesh.SetDefaultMeshDelayMs(options.defaultMeshDelayMs);
    for (uint16_t address : mesh.Addresses()) mesh.FindNode(address)->meshDelayMs = options.defaultMeshDelayMs;
  }
  if (options.replaceNodes) mesh.ClearNodes();
  for (const NodeSetup &setup : options.nodes) {
    RemoteNode *node = mesh.FindNode(setup.address);
    if (node == nullptr) node = &mesh.AddNode(setup.address, now);
    if (setup.pendingPolls >= 0) node->pendingPolls = setup.pendingPolls;
    if (setup.meshDelayMs >= 0) node->meshDelayMs = setup.meshDelayMs;
    node->faults = setup.faults;
  }
}

}  // namespace sim
