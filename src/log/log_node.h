#pragma once
// The log's tree: the logger and its nodes share a child list; a node knows
// its parent and its row there, so a view finds any row without searching.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "log/log_intf.h"

class TLogger;
class TLogNode;

class TLogContainer {
 public:
  TLogContainer() = default;
  TLogContainer(const TLogContainer &) = delete;
  TLogContainer &operator=(const TLogContainer &) = delete;

  int ChildCount() const { return Children ? Children->Count() : 0; }
  // The child at `row`, or none (out of range).
  TLogNode *ChildAt(int row) const;
  std::shared_ptr<TLogNode> SharedChildAt(int row) const;
  TLogNode *LastChild() const { return ChildAt(ChildCount() - 1); }

 protected:
  ~TLogContainer() = default;
  // Creates the list on the first child; returns the new child's row.
  int AppendChild(std::shared_ptr<TLogNode> node);

  // Created on the first child.
  std::unique_ptr<TSimpleInterfaceList> Children;
  // The owning logger; none once the log has let the node go.
  TLogger *Logger = nullptr;

  friend class TLogger;
};

class TLogNode final : public TLogContainer, public ILogNode {
 public:
  TLogNode(TLogger *logger, TLogNode *parent, int row, std::string text);

  std::shared_ptr<ILogNode> GetParent() const override;
  std::string GetText() const override { return Text; }
  TLogTreeNode GetTreeNode() const override { return {Parent, Row}; }
  std::string GetNote() const override { return Note; }
  std::string GetResult() const override { return Result; }
  std::string GetDetail() const override { return Detail; }
  TLogNodeState GetState() const override { return State; }
  uint32_t GetElapsed() const override;
  bool GetExpanded() const override { return Expanded; }
  void SetText(const std::string &Text) override;
  void SetNote(const std::string &Note) override;
  void SetDetail(const std::string &Detail) override;
  void SetResult(const std::string &Result) override;
  void SetExpanded(bool Value) override;
  void AddFrame(TLogFrame Frame) override;
  std::vector<TLogFrame> GetFrames() const override;

  // Read without copying, for painting.
  const std::string &TextRef() const { return Text; }
  const std::string &NoteRef() const { return Note; }
  const std::string &ResultRef() const { return Result; }
  const std::string &DetailRef() const { return Detail; }
  TLogNode *ParentNode() const { return Parent; }
  int RowInParent() const { return Row; }

 private:
  void Repaint();

  std::string Text;
  TLogNode *Parent;
  int Row;
  std::string Note;
  std::string Result;
  std::string Detail;
  TLogNodeState State = lsMessage;
  bool Expanded = false;
  bool Finished = false;
  uint32_t StartTick = 0;
  uint32_t EndTick = 0;
  // Most nodes are messages without frames: they pay for one pointer.
  std::unique_ptr<std::vector<TLogFrame>> Frames;

  friend class TLogger;
};
