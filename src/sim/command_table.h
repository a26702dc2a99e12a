#pragma once
// The commands a simulated node knows, looked up by their leading code bytes.
// Each group of commands (control, transceiver, tunnel) registers its own
// handlers; a command no handler claims is answered "unknown command".
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

struct NodeState;
class Mesh;

// Modem status bytes the simulator answers with.
namespace status {
inline constexpr uint8_t kOk = 0;
inline constexpr uint8_t kBadParams = 2;
inline constexpr uint8_t kNoSuchCommand = 3;
inline constexpr uint8_t kTempUnable = 4;
inline constexpr uint8_t kBusy = 15;
inline constexpr uint8_t kNoSuchTask = 16;
inline constexpr uint8_t kNoSuchNode = 18;
inline constexpr uint8_t kNodeOffline = 19;
}  // namespace status

struct CommandResult {
  uint8_t status = status::kOk;
  std::string data;  // bytes after the status
};

inline CommandResult Answered(std::string data = {}) { return {status::kOk, std::move(data)}; }
inline CommandResult Failed(uint8_t statusByte) { return {statusByte, {}}; }

struct CommandContext {
  NodeState &node;
  int64_t nowMs;          // monotonic milliseconds
  Mesh *mesh = nullptr;   // the mesh behind the tunnel; only the direct modem has one
};

// params: the command bytes after the code.
using CommandHandler = CommandResult (*)(CommandContext &context, std::string_view params);

class CommandTable {
 public:
  // For commands whose handler checks the parameters itself.
  static constexpr int kAnyLength = -1;

  // code: the command's leading bytes, such as "\x15\x01"; paramBytes: how
  // many bytes must follow it, else the modem answers "bad parameters".
  void Add(std::string code, CommandHandler handler, int paramBytes = 0);
  // Runs the handler with the longest code the command begins with.
  CommandResult Run(CommandContext &context, std::string_view command) const;

 private:
  struct Entry {
    std::string code;
    CommandHandler handler;
    int paramBytes;
  };
  std::vector<Entry> entries_;
};

}  // namespace sim
