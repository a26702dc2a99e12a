#include "sim/mesh.h"

#include "sim/record_bytes.h"

namespace sim {

Mesh::Mesh(const CommandTable *nodeCommands, int64_t nowMs) : nodeCommands_(nodeCommands) {
  for (uint16_t address : kDefaultNodes) AddNode(address, nowMs);
}

RemoteNode &Mesh::AddNode(uint16_t address, int64_t nowMs) {
  RemoteNode node;
  node.address = address;
  node.state = PoweredOnRemoteNode(address, nowMs);
  node.pendingPolls = defaultPolls_;
  node.meshDelayMs = defaultDelayMs_;
  return nodes_[address] = std::move(node);
}

bool Mesh::RemoveNode(uint16_t address) { return nodes_.erase(address) > 0; }

void Mesh::ClearNodes() { nodes_.clear(); }

RemoteNode *Mesh::FindNode(uint16_t address) {
  auto it = nodes_.find(address);
  return it == nodes_.end() ? nullptr : &it->second;
}

std::vector<uint16_t> Mesh::Addresses() const {
  std::vector<uint16_t> out;
  for (const auto &[address, node] : nodes_) out.push_back(address);
  return out;
}

Mesh::Request *Mesh::FindRequest(uint8_t id) {
  for (Request &request : requests_) {
    if (request.id == id) return &request;
  }
  return nullptr;
}

CommandResult Mesh::Send(std::string_view params, int64_t nowMs) {
  // Two address bytes and at least the command code.
  if (params.size() < 3) return Failed(status::kBadParams);
  ++counters_.sends;
  Request request;
  request.id = nextId_;
  nextId_ = nextId_ == 255 ? 1 : static_cast<uint8_t>(nextId_ + 1);
  request.address = util::LeU16(params, 0);
  request.command = std::string(params.substr(2));
  const RemoteNode *node = FindNode(request.address);
  request.pollsLeft = node != nullptr ? node->pendingPolls : 0;
  request.readyAtMs = nowMs + (node != nullptr ? node->meshDelayMs : 0);
  if (requests_.size() >= kMaxRequests) requests_.pop_front();
  requests_.push_back(std::move(request));
  return Answered(std::string(1, static_cast<char>(requests_.back().id)));
}

void Mesh::Finish(Request &request, int64_t nowMs) {
  request.finished = true;
  request.status = RemoteStatus{};
  lastAddress_ = request.address;
  RemoteNode *node = FindNode(request.address);
  if (node == nullptr) {
    request.status.remoteStatus = status::kNoSuchNode;
    return;
  }
  if (node->faults.remoteStatus >= 0) {
    request.status.remoteStatus = static_cast<uint8_t>(node->faults.remoteStatus);
    return;
  }
  if (IsSilent(node->state, nowMs)) {
    request.status.remoteStatus = status::kNodeOffline;
    return;
  }
  CommandContext context{node->state, nowMs, nullptr};
  const CommandResult result = nodeCommands_->Run(context, request.command);
  ++node->commandsRun;
  if (node->faults.emptyAnswer) {
    request.answer.clear();
  } else if (node->faults.answerStatus >= 0) {
    request.answer = std::string(1, static_cast<char>(node->faults.answerStatus));
  } else {
    request.answer = std::string(1, static_cast<char>(result.status)) + result.data;
  }
  // The status byte counts the buffer in one byte; longer answers are cut.
  if (request.answer.size() > 255) request.answer.resize(255);
  request.status.bufferLength = static_cast<uint8_t>(request.answer.size());
}

CommandResult Mesh::Poll(std::string_view params, int64_t nowMs) {
  if (params.size() != 1) return Failed(status::kBadParams);
  ++counters_.polls;
  Request *request = FindRequest(ByteAt(params, 0));
  if (request == nullptr) return Failed(status::kNoSuchTask);
  if (!request->finished) {
    const RemoteNode *node = FindNode(request->address);
    const bool waiting =
        node != nullptr && (node->faults.noAnswer || request->pollsLeft > 0 || nowMs < request->readyAtMs);
    if (waiting) {
      if (request->pollsLeft > 0) --request->pollsLeft;
      request->status = RemoteStatus{1, 0, 0};
    } else {
      Finish(*request, nowMs);
    }
  }
  std::string out;
  PutU8(out, request->status.unfinished);
  PutU8(out, request->status.remoteStatus);
  PutU8(out, request->status.bufferLength);
  return Answered(out);
}

CommandResult Mesh::Fetch(std::string_view params) {
  if (params.size() != 1) return Failed(status::kBadParams);
  ++counters_.fetches;
  Request *request = FindRequest(ByteAt(params, 0));
  if (request == nullptr) return Failed(status::kNoSuchTask);
  if (!request->finished) return Failed(status::kTempUnable);
  return Answered(request->answer);
}

}  // namespace sim
