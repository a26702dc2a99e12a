#include "log/log_node.h"

#include <utility>

#include "log/logger.h"

TLogNode *TLogContainer::ChildAt(int row) const {
  if (!Children) return nullptr;
  // Only log nodes are ever put into a container's list.
  return static_cast<TLogNode *>(static_cast<ILogNode *>(Children->At(row).get()));
}

std::shared_ptr<TLogNode> TLogContainer::SharedChildAt(int row) const {
  if (!Children) return nullptr;
  return std::static_pointer_cast<TLogNode>(std::static_pointer_cast<ILogNode>(Children->At(row)));
}

int TLogContainer::AppendChild(std::shared_ptr<TLogNode> node) {
  if (!Children) Children = std::make_unique<TSimpleInterfaceList>();
  return Children->Add(std::static_pointer_cast<ILogNode>(std::move(node)));
}

TLogNode::TLogNode(TLogger *logger, TLogNode *parent, int row, std::string text)
    : Text(std::move(text)), Parent(parent), Row(row) {
  Logger = logger;
}

std::shared_ptr<ILogNode> TLogNode::GetParent() const {
  if (!Parent) return nullptr;
  const TLogContainer *grandParent = Parent->Parent ? static_cast<const TLogContainer *>(Parent->Parent)
                                                    : static_cast<const TLogContainer *>(Parent->Logger);
  if (!grandParent) return nullptr;
  return grandParent->SharedChildAt(Parent->Row);
}

uint32_t TLogNode::GetElapsed() const {
  // Unsigned difference: a finish after the 32-bit tick has wrapped still
  // gives the true duration.
  return Finished ? EndTick - StartTick : 0;
}

void TLogNode::Repaint() {
  if (Logger) Logger->RepaintNode(*this);
}

void TLogNode::SetText(const std::string &value) {
  Text = value;
  Repaint();
}

void TLogNode::SetNote(const std::string &value) {
  Note = value;
  Repaint();
}

void TLogNode::SetDetail(const std::string &value) {
  Detail = value;
  Repaint();
}

void TLogNode::SetResult(const std::string &value) {
  Result = value;
  Repaint();
}

void TLogNode::SetExpanded(bool value) {
  if (Logger) {
    Logger->SetNodeExpanded(*this, value);
  } else {
    Expanded = value;
  }
}

void TLogNode::AddFrame(TLogFrame frame) {
  if (!Frames) Frames = std::make_unique<std::vector<TLogFrame>>();
  Frames->push_back(std::move(frame));
}

std::vector<TLogFrame> TLogNode::GetFrames() const { return Frames ? *Frames : std::vector<TLogFrame>{}; }
