#pragma once
// The action log as its callers see it: a tree of actions and messages. An
// action is opened with BeginAction and finished with one of the End
// operations; whatever is logged while it is open becomes its child.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "log/log_frame.h"
#include "log/simple_intf_list.h"

enum TLogNodeState : uint8_t {
  lsMessage = 0,  // a plain message
  lsRunning = 1,  // an action in progress
  lsOK = 2,
  lsError = 3,
  lsPartial = 4,  // finished partly
  lsWarning = 5,  // a message that something was refused or left undone
  lsFailure = 6,  // a message that something failed
};

// A detail made of this one character is replaced by the action's elapsed
// time when the action finishes.
inline constexpr char ElapsedMark[] = "\x01";

class ILogNode;

// Where a node sits in the view: its row under its parent (none at top level).
struct TLogTreeNode {
  const ILogNode *Parent = nullptr;
  int Row = -1;
  bool operator==(const TLogTreeNode &) const = default;
};

class ILogNode : public IInterface {
 public:
  // None for a top-level node, and for a node whose log has been cleared.
  virtual std::shared_ptr<ILogNode> GetParent() const = 0;
  virtual std::string GetText() const = 0;
  virtual TLogTreeNode GetTreeNode() const = 0;
  virtual std::string GetNote() const = 0;
  virtual std::string GetResult() const = 0;
  virtual std::string GetDetail() const = 0;
  virtual TLogNodeState GetState() const = 0;
  // Milliseconds from creation to finish; 0 until the node is finished.
  virtual uint32_t GetElapsed() const = 0;
  virtual bool GetExpanded() const = 0;
  virtual void SetText(const std::string &Text) = 0;
  virtual void SetNote(const std::string &Note) = 0;
  virtual void SetDetail(const std::string &Detail) = 0;
  virtual void SetResult(const std::string &Result) = 0;
  virtual void SetExpanded(bool Value) = 0;
  // The frames of the action this node stands for, in the order they passed.
  virtual void AddFrame(TLogFrame Frame) = 0;
  virtual std::vector<TLogFrame> GetFrames() const = 0;
};

// Every operation returns the node it touched, or none.
class ILogger : public IInterface {
 public:
  virtual std::shared_ptr<ILogNode> GetCurrentNode() = 0;
  virtual std::shared_ptr<ILogNode> AddMessage(const std::string &Text) = 0;
  // A message that says a request was refused (lsWarning) or failed
  // (lsFailure): it carries the warning or error picture, not the
  // information sign.
  virtual std::shared_ptr<ILogNode> AddMessageAs(const std::string &Text, TLogNodeState State) = 0;
  virtual std::shared_ptr<ILogNode> BeginAction(const std::string &Text) = 0;
  virtual std::shared_ptr<ILogNode> EndSuccess(const std::string &Detail) = 0;
  virtual std::shared_ptr<ILogNode> EndError(const std::string &Detail) = 0;
  virtual std::shared_ptr<ILogNode> EndPartial(const std::string &Detail) = 0;
  // Finishes the open action with the state, result and detail of its last child.
  virtual std::shared_ptr<ILogNode> EndAsLastChild() = 0;
  virtual void Clear() = 0;
};

// The logger the main window keeps; it owns the frame that shows the log.
class ISequentialActionLogger : public ILogger {};
