#include "sim/sim_modem.h"

#include <chrono>

#include "sim/channel_commands.h"
#include "sim/clock_commands.h"
#include "sim/control_commands.h"
#include "sim/memory_commands.h"
#include "sim/mesh_layout.h"
#include "sim/orva_commands.h"
#include "sim/transceiver_commands.h"
#include "sim/tunnel_commands.h"

namespace sim {

namespace {

int64_t SteadyMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

void AddNodeCommands(CommandTable &table) {
  AddControlCommands(table);
  AddClockCommands(table);
  AddTransceiverCommands(table);
  AddMemoryCommands(table);
  AddOrvaCommands(table);
  AddChannelCommands(table);
}

}  // namespace

SimModem::SimModem(Clock clock)
    : clock_(clock ? std::move(clock) : Clock(SteadyMs)),
      node_(PoweredOnDirectModem(clock_())),
      mesh_(&nodeCommands_, clock_()) {
  AddNodeCommands(nodeCommands_);
  AddNodeCommands(directCommands_);
  AddTunnelCommands(directCommands_);
}

CommandResult SimModem::Execute(const std::string &command) {
  CommandContext context{node_, clock_(), &mesh_};
  return directCommands_.Run(context, command);
}

std::string SimModem::NodeTable() const { return DirectNodeTable(mesh_, node_.memory.nodeTable); }

std::string SimModem::Flood(size_t count) const {
  // Bytes that can never start or end a frame of either protocol.
  static constexpr char kPattern[] = "\x55\xAA\x00\xFF" "0123456789ABCDEF";
  std::string out(count, '\0');
  for (size_t k = 0; k < count; ++k) out[k] = kPattern[k % (sizeof(kPattern) - 1)];
  return out;
}

std::optional<Reply> SimModem::Answer(const RequestFrame &request) {
  if (request.destination != address_ && request.destination != kAnyAddress) return std::nullopt;
  // Restarting: the modem hears nothing for a while.
  if (IsSilent(node_, clock_())) return std::nullopt;
  if (logCommands_) commandLog_.push_back(request.command);

  Reply reply;
  reply.split = faults_.splitAnswer;
  reply.delayMs = faults_.delayMs;
  if (faults_.floodNextBytes > 0) {
    reply.bytes = Flood(faults_.floodNextBytes);
    faults_.floodNextBytes = 0;
    return reply;
  }

  CommandResult result;
  if (faults_.busyNextAnswers > 0) {
    --faults_.busyNextAnswers;
    result = Failed(status::kBusy);
  } else if (faults_.statusOverride >= 0) {
    result = Failed(static_cast<uint8_t>(faults_.statusOverride));
  } else {
    result = Execute(request.command);
  }
  // A dropped answer is lost on the line: the command has already run.
  if (faults_.dropNextAnswers > 0) {
    --faults_.dropNextAnswers;
    return std::nullopt;
  }

  AnswerHeader header;
  header.destination = request.source;
  header.source = faults_.answerFromAddress >= 0 ? static_cast<uint8_t>(faults_.answerFromAddress) : address_;
  header.status = result.status;
  AnswerStyle style = style_;
  style.corruptCheck = faults_.corruptCheck;
  reply.bytes = faults_.noiseBefore + EncodeAnswer(request.protocol, header, result.data, style);
  reply.answerFrame = true;
  return reply;
}

}  // namespace sim
