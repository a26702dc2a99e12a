#pragma once
// The frame that shows the action log: the tree view VST, two columns of
// 344 and 200 pixels with no captions, and a context menu to copy the
// selected rows, show an action's frames, save the whole log as text or
// JSON and clear it.
#include <QFrame>
#include <QString>
#include <QTreeView>

class QAction;
class TLogger;
class TLogNode;
class TLogTreeModel;

class TActionLog_Frame final : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kColumn0Width = 344;
  static constexpr int kColumn1Width = 200;

  explicit TActionLog_Frame(QWidget *parent = nullptr);

  // Gives the columns their designed widths; needed again after a model is
  // installed, which resets the header.
  void ApplyColumnLayout();
  // Widens the first column to its widest text, so a log at its default
  // size is readable; a width the user chose by hand is left alone.
  void FitFirstColumn();
  // A width kept from an earlier run.
  void RestoreColumnWidth(int column, int width);

  // The context menu's commands; false when there is nothing to do or the
  // log refuses (an open action), with `error` saying why when a file failed.
  bool CopySelection();
  bool SaveLogToFile(const QString &path, QString *error = nullptr);
  bool ClearLog();
  // Fills the menu's entries with what is possible right now.
  void UpdateActions();

  QTreeView *VST;
  QAction *ActCopy;
  QAction *ActFrames;
  QAction *ActSave;
  QAction *ActClear;

 private:
  TLogTreeModel *LogModel() const;
  TLogger *ActiveLogger() const;
  const TLogNode *SelectedNode() const;
  void ShowFrames();
  void VSTContextMenu(const QPoint &pos);
  void SaveLogAs();
  bool userSized_ = false;
  bool fitting_ = false;
};
