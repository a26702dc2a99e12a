#include "log/logger.h"

#include <utility>
#include <vector>

#include "log/log_elapsed.h"
#include "util/tick.h"

namespace {

constexpr char kResultOK[] = "OK";
constexpr char kResultError[] = "Ошибка";
constexpr char kResultPartial[] = "Выполнено частично";

// Picture of each state in the log's image list.
int StateImageIndex(TLogNodeState state) {
  switch (state) {
    case lsMessage: return 6;
    case lsRunning: return 0;
    case lsOK: return 3;
    case lsError: return 4;
    case lsPartial: return 5;
    case lsWarning: return 7;
    case lsFailure: return 4;
  }
  return -1;
}

constexpr int kBlankImageIndex = 2;

std::string InParentheses(const std::string &text) { return text.empty() ? std::string() : "(" + text + ")"; }

}  // namespace

TLogger::TLogger(ILogView *view, TLoggerOptions options) : view_(view), options_(std::move(options)) {
  Logger = this;
  if (view_) view_->AttachLogger(*this);
}

TLogger::~TLogger() {
  StopBlinking();
  Clear();
  if (view_) view_->DetachLogger();
  blinkTimer_.reset();
}

uint32_t TLogger::Now() const { return options_.Tick ? options_.Tick() : util::TickMs(); }

std::shared_ptr<TLogNode> TLogger::SharedOf(const TLogNode &node) const {
  const TLogContainer *owner = node.Parent ? static_cast<const TLogContainer *>(node.Parent) : this;
  return owner->SharedChildAt(node.Row);
}

std::shared_ptr<ILogNode> TLogger::GetCurrentNode() { return current_ ? SharedOf(*current_) : nullptr; }

std::shared_ptr<ILogNode> TLogger::AddMessage(const std::string &Text) { return AddNode(Text, lsMessage); }

std::shared_ptr<ILogNode> TLogger::AddMessageAs(const std::string &Text, TLogNodeState State) {
  // An open action or a running state is no message.
  return AddNode(Text, State == lsWarning || State == lsFailure ? State : lsMessage);
}

std::shared_ptr<ILogNode> TLogger::BeginAction(const std::string &Text) { return AddNode(Text, lsRunning); }

std::shared_ptr<ILogNode> TLogger::EndSuccess(const std::string &Detail) { return Finish(lsOK, kResultOK, Detail); }

std::shared_ptr<ILogNode> TLogger::EndError(const std::string &Detail) { return Finish(lsError, kResultError, Detail); }

std::shared_ptr<ILogNode> TLogger::EndPartial(const std::string &Detail) {
  return Finish(lsPartial, kResultPartial, Detail);
}

std::shared_ptr<ILogNode> TLogger::EndAsLastChild() {
  if (!current_) return nullptr;
  const TLogNode *last = current_->LastChild();
  if (!last) return Finish(lsMessage, std::string(), std::string());
  // A child that went well hands on "OK" with the parent's own duration.
  return Finish(last->State, last->Result, last->State == lsOK ? std::string(ElapsedMark) : last->Detail);
}

std::shared_ptr<ILogNode> TLogger::AddNode(const std::string &text, TLogNodeState state) {
  TLogContainer &owner = current_ ? static_cast<TLogContainer &>(*current_) : *this;
  const int row = owner.ChildCount();
  if (view_) view_->BeginAddRow(current_, row);
  auto node = std::make_shared<TLogNode>(this, current_, row, text);
  node->StartTick = Now();
  owner.AppendChild(node);
  if (view_) view_->EndAddRow();
  SetState(*node, state);
  if (state == lsRunning) current_ = node.get();
  Reveal(*node);
  return node;
}

std::shared_ptr<ILogNode> TLogger::Finish(TLogNodeState state, const std::string &result, const std::string &detail) {
  TLogNode *node = current_;
  if (!node) return nullptr;
  node->EndTick = Now();
  node->Finished = true;
  SetState(*node, state);
  node->Result = result;
  node->Detail = detail == ElapsedMark ? FormatElapsedDetail(node->GetElapsed(), options_.Numbers) : detail;
  if (node->ChildCount() > 0) {
    SetNodeExpanded(*node, false);
    Reveal(*node);
  }
  RepaintNode(*node);
  current_ = node->Parent;
  return SharedOf(*node);
}

void TLogger::SetState(TLogNode &node, TLogNodeState state) {
  if (node.State == state) return;
  const bool wasRunning = node.State == lsRunning;
  node.State = state;
  if (wasRunning) StopBlinking();
  if (state == lsRunning) StartBlinking();
  RepaintNode(node);
}

void TLogger::StartBlinking() {
  StopBlinking();
  if (!blinkTimer_ && options_.Timers) blinkTimer_ = options_.Timers([this] { BlinkTick(); });
  if (blinkTimer_) {
    blinkTimer_->SetInterval(kBlinkIntervalMs);
    blinkTimer_->SetEnabled(true);
  }
  blinking_ = true;
}

void TLogger::StopBlinking() {
  if (blinkTimer_) blinkTimer_->SetEnabled(false);
  blinking_ = false;
}

void TLogger::BlinkTick() {
  if (current_) RepaintNode(*current_);
  blinkPhase_ = !blinkPhase_;
}

void TLogger::Reveal(TLogNode &node) {
  for (TLogNode *ancestor = node.Parent; ancestor; ancestor = ancestor->Parent) {
    if (!ancestor->Expanded) SetNodeExpanded(*ancestor, true);
  }
  if (view_) view_->RevealRow(node);
}

void TLogger::RepaintNode(const TLogNode &node) {
  if (view_) view_->RepaintRow(node);
}

void TLogger::SetNodeExpanded(TLogNode &node, bool expanded) {
  node.Expanded = expanded;
  if (view_) view_->SetRowExpanded(node, expanded);
}

void TLogger::Clear() {
  // The open action goes with the rest; pointing at it afterwards would
  // point at a node no longer in the log.
  StopBlinking();
  current_ = nullptr;
  if (view_) view_->BeginClear();
  // Flatten the tree before letting it go: nodes held elsewhere must not keep
  // pointers into freed parents, and a deep tree must not be freed by deep
  // recursion.
  std::vector<std::shared_ptr<IInterface>> released;
  if (Children) released = Children->TakeAll();
  Children.reset();
  for (size_t i = 0; i < released.size(); ++i) {
    if (!released[i]) continue;
    auto *node = static_cast<TLogNode *>(static_cast<ILogNode *>(released[i].get()));
    node->Logger = nullptr;
    node->Parent = nullptr;
    if (node->Children) {
      for (auto &child : node->Children->TakeAll()) released.push_back(std::move(child));
      node->Children.reset();
    }
  }
  released.clear();
  if (view_) view_->EndClear();
}

std::string TLogger::GetCellText(const TLogNode &node, int column, TVSTTextType type) const {
  const bool normal = type == TVSTTextType::ttNormal;
  switch (column) {
    case 0: return normal ? node.Text : InParentheses(node.Note);
    case 1: return normal ? node.Result : InParentheses(node.Detail);
    default: return std::string();
  }
}

int TLogger::GetImageIndex(const TLogNode &node, TVTImageKind kind, int column) const {
  if (column != 0 || (kind != TVTImageKind::ikNormal && kind != TVTImageKind::ikSelected)) return -1;
  if (blinking_ && &node == current_ && blinkPhase_) return kBlankImageIndex;
  return StateImageIndex(node.State);
}
