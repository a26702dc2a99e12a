#pragma once
// The mesh behind the direct modem's tunnel: remote nodes with a command set
// of their own, and the requests in flight between a send and its fetch. A
// remote command stays unfinished for a number of status polls, then runs on
// its node; the host fetches the node's answer from the buffer.
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "sim/command_table.h"
#include "sim/node_state.h"

namespace sim {

struct NodeFaults {
  bool noAnswer = false;     // the node never answers: its commands stay unfinished
  bool emptyAnswer = false;  // the node answers nothing at all: an empty buffer
  int remoteStatus = -1;     // >= 0: commands finish with this remote status, nothing to fetch
  int answerStatus = -1;     // >= 0: the node's own answers carry this status and no data
};

struct RemoteNode {
  uint16_t address = 0;
  NodeState state;
  int pendingPolls = 1;  // status polls that still see the command unfinished
  int meshDelayMs = 0;   // the answer is ready this long after the request was sent
  NodeFaults faults;
  uint64_t commandsRun = 0;
};

struct TunnelCounters {
  uint64_t sends = 0;
  uint64_t polls = 0;
  uint64_t fetches = 0;
};

// The status poll's answer: S (0 = finished), RC (the remote status), BL
// (bytes waiting in the answer buffer).
struct RemoteStatus {
  uint8_t unfinished = 0;
  uint8_t remoteStatus = 0;
  uint8_t bufferLength = 0;
};

class Mesh {
 public:
  // Requests older than this many are forgotten, as the modem's table is small.
  static constexpr size_t kMaxRequests = 32;
  static constexpr uint16_t kDefaultNodes[] = {1, 2, 3};

  // nodeCommands: what every remote node understands; must outlive the mesh.
  explicit Mesh(const CommandTable *nodeCommands, int64_t nowMs);

  // Adds a powered-on node, or resets the one at that address.
  RemoteNode &AddNode(uint16_t address, int64_t nowMs);
  bool RemoveNode(uint16_t address);
  void ClearNodes();
  RemoteNode *FindNode(uint16_t address);
  std::vector<uint16_t> Addresses() const;
  // New nodes start with this many unfinished polls; existing nodes keep theirs.
  void SetDefaultPendingPolls(int polls) { defaultPolls_ = polls < 0 ? 0 : polls; }
  int DefaultPendingPolls() const { return defaultPolls_; }
  // New nodes start with this mesh delay; existing nodes keep theirs.
  void SetDefaultMeshDelayMs(int ms) { defaultDelayMs_ = ms < 0 ? 0 : ms; }
  int DefaultMeshDelayMs() const { return defaultDelayMs_; }

  // The tunnel commands. Send answers the request id; Poll the three status
  // bytes; Fetch the buffered answer of the remote node.
  CommandResult Send(std::string_view params, int64_t nowMs);
  CommandResult Poll(std::string_view params, int64_t nowMs);
  CommandResult Fetch(std::string_view params);

  // The direct modem restarted: the requests in flight are gone.
  void ForgetRequests() { requests_.clear(); }

  const TunnelCounters &Counters() const { return counters_; }
  // The address the last finished remote command went to; 0 before any.
  uint16_t LastAddress() const { return lastAddress_; }

 private:
  struct Request {
    uint8_t id = 0;
    uint16_t address = 0;
    std::string command;
    int pollsLeft = 0;
    int64_t readyAtMs = 0;  // polls before this time see it unfinished
    bool finished = false;
    RemoteStatus status;
    std::string answer;  // the node's status byte and data
  };

  Request *FindRequest(uint8_t id);
  void Finish(Request &request, int64_t nowMs);

  const CommandTable *nodeCommands_;
  std::map<uint16_t, RemoteNode> nodes_;
  std::deque<Request> requests_;
  int defaultPolls_ = 1;
  int defaultDelayMs_ = 0;
  uint8_t nextId_ = 1;
  TunnelCounters counters_;
  uint16_t lastAddress_ = 0;
};

}  // namespace sim
