#pragma once
// A read-only hex view for the terminal and the memory dump window.
//
//   THexView view;                        // 16 bytes a row, "Courier New" 13 px
//   view.SetOffsetFormat(TOffsetFormat::HexFiveDigits());
//   view.SetBytes(bytes, 0x10);           // a dump: cells before 0x10 stay empty
//   view.Append(block);                   // a terminal: adds at the end, keeps the time
//   view.MarkChanged(from, to);           // maroon on light yellow
//   view.SetOwnerActions({...});          // the owner's menu items, above the view's own
//   view.Model().AllBytes();              // what it holds (no empty cells)
//
// The bytes, the row maths and the texts live in hex_view_logic.h; this class
// paints only the rows on screen, so a megabyte scrolls as smoothly as a row.
// While scrolled to the bottom it follows new bytes; scrolled up, it stays
// put and shows a "К концу" button with the count of bytes that came since.
// The selection (mouse, Shift+keys, Ctrl+A) copies as spaced hex (Ctrl+C).
#include <QAbstractScrollArea>
#include <QList>
#include <functional>
#include <string>
#include <string_view>

#include "ui/widgets/hex_view_logic.h"

class QAction;
class QToolButton;

class THexView : public QAbstractScrollArea {
  Q_OBJECT
 public:
  explicit THexView(QWidget *parent = nullptr);
  // Wide enough for a whole row, offsets to characters, beside the scroll bar.
  QSize sizeHint() const override;

  const ui::hexview::THexByteModel &Model() const { return model_; }
  const ui::hexview::THexLayout &Layout() const { return layout_; }
  size_t Size() const { return model_.Size(); }

  // Replaces what the view holds and scrolls to the top.
  void SetBytes(std::string_view bytes, size_t first = 0);
  // Adds a block at the end, stamped with the current time unless given.
  void Append(std::string_view bytes, int64_t timeMs = -1);
  void Clear();
  void MarkChanged(size_t from, size_t to);

  void SetOffsetFormat(const ui::hexview::TOffsetFormat &format);
  const ui::hexview::TOffsetFormat &OffsetFormat() const { return format_; }
  // A fixed-pitch font of this pixel size ("Courier New" where installed).
  void SetFontPixelSize(int pixels);

  ui::hexview::TSelection Selection() const { return selection_; }
  // Selects cells [from, to); an empty range leaves only the cursor at `from`.
  void Select(size_t from, size_t to);
  void SelectAll();
  // The selected bytes (cells without a byte left out).
  std::string SelectedBytes() const;
  void CopySelection() const;

  // True while the view shows its last row and follows new bytes.
  bool FollowsEnd() const;
  void ScrollToEnd();
  size_t TopRow() const;
  size_t VisibleRows() const;
  // The text of the rows on screen, as a screen reader reads it.
  std::string VisibleText() const;
  // Bytes added since the view stopped following the end.
  size_t UnseenBytes() const { return unseen_; }

  // Writes the bytes raw, or for a name ending in ".txt" as a hex dump with
  // offsets; through a temporary file renamed into place.
  bool SaveToFile(const QString &path, QString *error) const;

  // Items of the owner's, shown above the view's own in the context menu.
  void SetOwnerActions(const QList<QAction *> &actions) { ownerActions_ = actions; }
  QAction *CopyAction() const { return copyAction_; }
  QAction *SelectAllAction() const { return selectAllAction_; }
  QAction *SaveAction() const { return saveAction_; }
  QToolButton *ToEndButton() const { return toEndButton_; }
  // A view of a fixed block (a memory dump) gets no new bytes: no "К концу".
  void SetEndButtonWanted(bool wanted);
  // Scrolls so that the row holding `offset` is on screen, at the top if it can be.
  void ScrollToOffset(size_t offset);
  // Extra lines for the tool tip of a cell (a decoded frame, for one).
  std::function<std::string(size_t offset)> ExtraToolTip;

  // The cell under a point of the viewport, if any.
  std::optional<size_t> CellAt(const QPoint &pos) const;

 signals:
  void SelectionChanged();
  void FollowingChanged(bool followsEnd);

 protected:
  void paintEvent(QPaintEvent *event) override;
  void resizeEvent(QResizeEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void contextMenuEvent(QContextMenuEvent *event) override;
  bool viewportEvent(QEvent *event) override;

 private:
  void UpdateMetrics();
  void UpdateScrollRange();
  void UpdateToEndButton();
  void SetCursor(size_t offset, bool extend);
  void EnsureVisible(size_t offset);
  void AskAndSave();
  QString ToolTipAt(size_t offset) const;
  int HexX(int column) const;
  int CharX(int column) const;
  int OffsetWidth() const;

  ui::hexview::THexByteModel model_;
  ui::hexview::THexLayout layout_{16};
  ui::hexview::TOffsetFormat format_;
  ui::hexview::TSelection selection_;
  int charWidth_ = 8;
  int rowHeight_ = 16;
  size_t offsetChars_ = 3;
  size_t unseen_ = 0;
  bool following_ = true;
  bool endButtonWanted_ = true;
  QList<QAction *> ownerActions_;
  QAction *copyAction_ = nullptr;
  QAction *selectAllAction_ = nullptr;
  QAction *saveAction_ = nullptr;
  QToolButton *toEndButton_ = nullptr;
};
