// version and send: the first words any modem understands.
#include "cli/command_registry.h"
#include "cli/session.h"
#include "modem/frame_codec.h"
#include "util/hex.h"

namespace cli {

namespace {

bool IsHexCommand(const std::string &text) {
  if (text.empty() || text.size() % 2 != 0) return false;
  for (char c : text)
    if (util::HexDigitValue(c) < 0) return false;
  return true;
}

std::string Upper(std::string text) {
  for (char &c : text)
    if (c >= 'a' && c <= 'f') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

int RunVersion(Session &s, const std::vector<std::string> &args) {
  if (!args.empty()) return s.UsageError("version takes no arguments");
  modem::TVersion version;
  if (!s.Node().ReadVersion(version)) return s.Fail();
  s.Field("version", version.VersionStr);
  return 0;
}

int RunSend(Session &s, const std::vector<std::string> &args) {
  if (args.size() != 1 || !IsHexCommand(args[0]))
    return s.UsageError("send takes one command in hex, two digits a byte (for example 1501)");
  if (args[0].size() / 2 > modem::kMaxCommandBytes)
    return s.UsageError("send: the command holds " + std::to_string(args[0].size() / 2) + " bytes; a frame carries " +
                        std::to_string(modem::kMaxCommandBytes) + " at most");
  auto &node = s.Node();
  node.Execute(Upper(args[0]), 1, node.Transactions);
  if (node.ResultCode().Code != 0) return s.Fail();
  std::string data = node.AnswerData();
  s.Field("status", data.substr(0, 2));
  s.Field("data", data.size() > 2 ? data.substr(2) : "");
  return 0;
}

const CommandRegistration version{{"version", "version", "ask the modem for its version text (command 1501)", RunVersion}};
const CommandRegistration send{
    {"send", "send HEX", "send any command given in hex and print the answer's status and data", RunSend}};

}  // namespace
}  // namespace cli
