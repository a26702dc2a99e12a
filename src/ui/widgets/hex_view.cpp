#include "ui/widgets/hex_view.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDateTime>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QSaveFile>
#include <QScrollBar>
#include <QToolButton>
#include <QToolTip>

#include "ui/widgets/hex_view_accessible.h"
#include "util/hex.h"

using namespace ui::hexview;

namespace {

const QColor kOddColumn(0, 0, 255);        // blue
const QColor kEvenColumn(0, 0, 128);       // navy
const QColor kChangedText(128, 0, 0);      // maroon
const QColor kChangedBack(255, 255, 168);  // light yellow

QString TimeText(int64_t ms) { return QDateTime::fromMSecsSinceEpoch(ms).toString("HH:mm:ss.zzz"); }

}  // namespace

THexView::THexView(QWidget *parent) : QAbstractScrollArea(parent) {
  InstallHexViewAccessibility();
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName("Байты");
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  viewport()->setBackgroundRole(QPalette::Base);
  viewport()->setMouseTracking(true);
  toEndButton_ = new QToolButton(viewport());
  toEndButton_->setAccessibleName("К концу");
  toEndButton_->setToolTip("Прокрутка стоит: новые байты добавляются в конец. Нажмите, чтобы снова следить за концом.");
  toEndButton_->hide();
  connect(toEndButton_, &QToolButton::clicked, this, &THexView::ScrollToEnd);
  SetFontPixelSize(13);

  copyAction_ = new QAction("Копировать", this);
  copyAction_->setShortcut(QKeySequence::Copy);
  connect(copyAction_, &QAction::triggered, this, [this] { CopySelection(); });
  selectAllAction_ = new QAction("Выделить всё", this);
  selectAllAction_->setShortcut(QKeySequence::SelectAll);
  connect(selectAllAction_, &QAction::triggered, this, &THexView::SelectAll);
  saveAction_ = new QAction("Сохранить…", this);
  connect(saveAction_, &QAction::triggered, this, &THexView::AskAndSave);

  connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this] {
    bool atEnd = verticalScrollBar()->value() >= verticalScrollBar()->maximum();
    if (atEnd != following_) {
      following_ = atEnd;
      if (atEnd) unseen_ = 0;
      UpdateToEndButton();
      emit FollowingChanged(atEnd);
    }
  });
}

void THexView::SetFontPixelSize(int pixels) {
  QFont f("Courier New");
  f.setStyleHint(QFont::Monospace);
  f.setFixedPitch(true);
  f.setPixelSize(pixels);
  if (!QFontInfo(f).fixedPitch()) {
    f = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    f.setPixelSize(pixels);
  }
  setFont(f);
  UpdateMetrics();
}

void THexView::UpdateMetrics() {
  QFontMetrics fm(font());
  charWidth_ = std::max(1, fm.horizontalAdvance('0'));
  rowHeight_ = std::max(1, fm.height());
  offsetChars_ = OffsetColumnChars(format_, model_.Size());
  UpdateScrollRange();
  viewport()->update();
}

QSize THexView::sizeHint() const {
  const int row = CharX(layout_.BytesPerRow()) + charWidth_;
  return {row + 2 * frameWidth() + verticalScrollBar()->sizeHint().width(), QAbstractScrollArea::sizeHint().height()};
}

int THexView::OffsetWidth() const { return static_cast<int>(offsetChars_ + 2) * charWidth_; }
int THexView::HexX(int column) const { return OffsetWidth() + charWidth_ + column * 3 * charWidth_; }
int THexView::CharX(int column) const { return HexX(layout_.BytesPerRow()) + charWidth_ + column * charWidth_; }

size_t THexView::VisibleRows() const {
  int h = viewport()->height() - rowHeight_;  // the ruler takes the first line
  return static_cast<size_t>(std::max(1, h / rowHeight_));
}

size_t THexView::TopRow() const { return static_cast<size_t>(verticalScrollBar()->value()); }

bool THexView::FollowsEnd() const { return following_; }

void THexView::UpdateScrollRange() {
  const bool wasAtEnd = following_;
  const size_t rows = layout_.RowCount(model_.Size());
  const size_t last = LastTopRow(rows, VisibleRows());
  QScrollBar *v = verticalScrollBar();
  {
    QSignalBlocker block(v);
    v->setRange(0, static_cast<int>(std::min<size_t>(last, INT32_MAX)));
    v->setPageStep(static_cast<int>(VisibleRows()));
    if (wasAtEnd) v->setValue(v->maximum());
  }
  // A view that shrank under a scrolled-up reader may now show its end.
  if (!following_ && v->value() >= v->maximum()) {
    following_ = true;
    unseen_ = 0;
    emit FollowingChanged(true);
  }
  QScrollBar *h = horizontalScrollBar();
  h->setRange(0, std::max(0, CharX(layout_.BytesPerRow()) + charWidth_ - viewport()->width()));
  h->setPageStep(viewport()->width());
  h->setSingleStep(charWidth_);
  UpdateToEndButton();
}

void THexView::UpdateToEndButton() {
  toEndButton_->setVisible(endButtonWanted_ && !following_);
  toEndButton_->setText(unseen_ ? QString("▼ К концу (+%1 байт)").arg(unseen_) : QString("▼ К концу"));
  toEndButton_->adjustSize();
  toEndButton_->move(viewport()->width() - toEndButton_->width() - 4,
                     viewport()->height() - toEndButton_->height() - 4);
}

void THexView::SetBytes(std::string_view bytes, size_t first) {
  model_.SetBytes(bytes, first);
  selection_ = {};
  unseen_ = 0;
  offsetChars_ = OffsetColumnChars(format_, model_.Size());
  UpdateScrollRange();
  verticalScrollBar()->setValue(0);
  viewport()->update();
  emit SelectionChanged();
}

void THexView::Append(std::string_view bytes, int64_t timeMs) {
  if (bytes.empty()) return;
  model_.Append(bytes, timeMs < 0 ? QDateTime::currentMSecsSinceEpoch() : timeMs);
  if (!following_) unseen_ += bytes.size();
  offsetChars_ = OffsetColumnChars(format_, model_.Size());
  UpdateScrollRange();
  viewport()->update();
}

void THexView::Clear() {
  model_.Clear();
  selection_ = {};
  unseen_ = 0;
  following_ = true;
  offsetChars_ = OffsetColumnChars(format_, 0);
  UpdateScrollRange();
  viewport()->update();
  emit SelectionChanged();
}

void THexView::MarkChanged(size_t from, size_t to) {
  model_.MarkChanged(from, to);
  viewport()->update();
}

void THexView::SetOffsetFormat(const TOffsetFormat &format) {
  format_ = format;
  UpdateMetrics();
}

void THexView::Select(size_t from, size_t to) {
  if (to > from) selection_ = {from, to - 1, true};
  else selection_ = {from, from, false};
  viewport()->update();
  emit SelectionChanged();
}

void THexView::SelectAll() {
  if (model_.Empty()) return;
  Select(0, model_.Size());
}

std::string THexView::SelectedBytes() const {
  if (!selection_.active) return {};
  return model_.Bytes(selection_.From(), selection_.To() - selection_.From());
}

void THexView::CopySelection() const {
  std::string bytes = SelectedBytes();
  if (bytes.empty()) return;
  auto *mime = new QMimeData;
  mime->setText(QString::fromStdString(SpacedHex(bytes)));
  mime->setData("application/octet-stream", QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
  QApplication::clipboard()->setMimeData(mime);
}

void THexView::SetEndButtonWanted(bool wanted) {
  endButtonWanted_ = wanted;
  UpdateToEndButton();
}

void THexView::ScrollToOffset(size_t offset) {
  const size_t row = offset / layout_.BytesPerRow();
  verticalScrollBar()->setValue(static_cast<int>(std::min<size_t>(row, INT32_MAX)));
}

void THexView::ScrollToEnd() {
  unseen_ = 0;
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
  following_ = true;
  UpdateToEndButton();
}

std::string THexView::VisibleText() const {
  std::string out;
  const size_t rows = layout_.RowCount(model_.Size());
  for (size_t r = TopRow(); r < rows && r < TopRow() + VisibleRows(); ++r)
    out += layout_.RowText(model_, r, format_) + "\n";
  return out;
}

bool THexView::SaveToFile(const QString &path, QString *error) const {
  const std::string data = path.endsWith(".txt", Qt::CaseInsensitive) ? DumpText(model_, layout_, format_)
                                                                       : model_.AllBytes();
  QSaveFile file(path);
  bool saved = file.open(QIODevice::WriteOnly) &&
               file.write(data.data(), static_cast<qint64>(data.size())) == static_cast<qint64>(data.size()) &&
               file.commit();
  if (!saved && error) *error = file.errorString();
  return saved;
}

void THexView::AskAndSave() {
  QString path = QFileDialog::getSaveFileName(this, "Сохранить байты", QString(),
                                              "Байты (*.bin);;Текст с адресами (*.txt);;Все (*)");
  if (path.isEmpty()) return;
  QString error;
  if (!SaveToFile(path, &error))
    QMessageBox::warning(this, "Сохранить…",
                         QString("Не удалось записать файл %1: %2.\r\nВыберите другую папку или имя файла.")
                             .arg(path, error));
}

std::optional<size_t> THexView::CellAt(const QPoint &pos) const {
  const int x = pos.x() + horizontalScrollBar()->value();
  const int y = pos.y() - rowHeight_;
  if (y < 0) return std::nullopt;
  const size_t row = TopRow() + static_cast<size_t>(y / rowHeight_);
  int column = -1;
  const int perRow = layout_.BytesPerRow();
  if (x >= HexX(0) && x < HexX(perRow)) column = (x - HexX(0)) / (3 * charWidth_);
  else if (x >= CharX(0) && x < CharX(perRow)) column = (x - CharX(0)) / charWidth_;
  if (column < 0) return std::nullopt;
  size_t offset = layout_.OffsetOf({row, column});
  if (offset >= model_.Size()) return std::nullopt;
  return offset;
}

void THexView::SetCursor(size_t offset, bool extend) {
  if (extend) {
    if (!selection_.active) selection_.anchor = selection_.cursor;
    selection_.cursor = offset;
    selection_.active = true;
  } else {
    selection_ = {offset, offset, false};
  }
  EnsureVisible(offset);
  viewport()->update();
  emit SelectionChanged();
}

void THexView::EnsureVisible(size_t offset) {
  const size_t row = layout_.CellOf(offset).row;
  QScrollBar *v = verticalScrollBar();
  if (row < TopRow()) v->setValue(static_cast<int>(row));
  else if (row >= TopRow() + VisibleRows()) v->setValue(static_cast<int>(row - VisibleRows() + 1));
}

void THexView::resizeEvent(QResizeEvent *event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
}

void THexView::paintEvent(QPaintEvent *) {
  QPainter p(viewport());
  const QColor face = palette().color(QPalette::Button);
  const int w = viewport()->width();
  const int h = viewport()->height();
  const int dx = -horizontalScrollBar()->value();
  const int ascent = QFontMetrics(font()).ascent();
  p.setFont(font());
  p.fillRect(0, 0, w, h, palette().color(QPalette::Base));

  // The ruler and the offset column sit on the button face.
  p.fillRect(0, 0, w, rowHeight_, face);
  p.fillRect(0, 0, OffsetWidth() + dx, h, face);
  p.setPen(Qt::black);
  const int perRow = layout_.BytesPerRow();
  for (int c = 0; c < perRow; ++c) p.drawText(HexX(c) + dx, ascent, QString::fromStdString(util::HexByte(static_cast<uint8_t>(c))));

  const size_t rows = layout_.RowCount(model_.Size());
  const QColor highlight = palette().color(QPalette::Highlight);
  const QColor highlightText = palette().color(QPalette::HighlightedText);
  const size_t top = TopRow();
  for (size_t r = top; r < rows && r <= top + VisibleRows(); ++r) {
    const int y = rowHeight_ + static_cast<int>(r - top) * rowHeight_;
    p.setPen(Qt::black);
    const QString offset = QString::fromStdString(format_.Text(r * static_cast<size_t>(perRow)));
    p.drawText(QRect(dx, y, OffsetWidth() - charWidth_, rowHeight_), Qt::AlignRight | Qt::AlignVCenter, offset);
    for (int c = 0; c < perRow; ++c) {
      const size_t o = r * static_cast<size_t>(perRow) + static_cast<size_t>(c);
      if (!model_.HasByte(o)) continue;
      const uint8_t b = model_.At(o);
      QColor text = (c % 2) ? kOddColumn : kEvenColumn;
      QColor back;
      if (selection_.Contains(o)) {
        text = highlightText;
        back = highlight;
      } else if (model_.IsChanged(o)) {
        text = kChangedText;
        back = kChangedBack;
      }
      const int hx = HexX(c) + dx;
      const int cx = CharX(c) + dx;
      if (back.isValid()) {
        p.fillRect(hx, y, 3 * charWidth_ - (c + 1 == perRow ? charWidth_ : 0), rowHeight_, back);
        p.fillRect(cx, y, charWidth_, rowHeight_, back);
      }
      p.setPen(text);
      p.drawText(hx, y + ascent, QString::fromLatin1(util::HexByte(b).c_str(), 2));
      const QChar ch = (b >= 0x20 && b < 0x7F) ? QChar(b) : QChar('.');
      p.drawText(cx, y + ascent, QString(ch));
    }
  }
  if (hasFocus() && !model_.Empty()) {
    const TCell cell = layout_.CellOf(std::min(selection_.cursor, model_.Size() - 1));
    if (cell.row >= top && cell.row <= top + VisibleRows()) {
      const int y = rowHeight_ + static_cast<int>(cell.row - top) * rowHeight_;
      p.setPen(QPen(Qt::black, 1, Qt::DotLine));
      p.drawRect(HexX(cell.column) + dx - 1, y, 2 * charWidth_ + 1, rowHeight_ - 1);
    }
  }
}

void THexView::mousePressEvent(QMouseEvent *event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  if (auto cell = CellAt(event->position().toPoint())) SetCursor(*cell, event->modifiers() & Qt::ShiftModifier);
}

void THexView::mouseMoveEvent(QMouseEvent *event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  if (auto cell = CellAt(event->position().toPoint())) {
    if (*cell != selection_.cursor || !selection_.active) SetCursor(*cell, true);
  }
}

void THexView::keyPressEvent(QKeyEvent *event) {
  if (event->matches(QKeySequence::Copy)) return CopySelection();
  if (event->matches(QKeySequence::SelectAll)) return SelectAll();
  const bool ctrl = event->modifiers() & Qt::ControlModifier;
  TCursorMove move;
  switch (event->key()) {
    case Qt::Key_Left: move = TCursorMove::Left; break;
    case Qt::Key_Right: move = TCursorMove::Right; break;
    case Qt::Key_Up: move = TCursorMove::Up; break;
    case Qt::Key_Down: move = TCursorMove::Down; break;
    case Qt::Key_PageUp: move = TCursorMove::PageUp; break;
    case Qt::Key_PageDown: move = TCursorMove::PageDown; break;
    case Qt::Key_Home: move = ctrl ? TCursorMove::First : TCursorMove::RowStart; break;
    case Qt::Key_End: move = ctrl ? TCursorMove::Last : TCursorMove::RowEnd; break;
    default: return QAbstractScrollArea::keyPressEvent(event);
  }
  if (model_.Empty()) return;
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  SetCursor(MoveCursor(selection_.cursor, move, model_.Size(), layout_, VisibleRows()), shift);
  if (move == TCursorMove::Last && !shift) ScrollToEnd();
}

void THexView::contextMenuEvent(QContextMenuEvent *event) {
  QMenu menu(this);
  if (!ownerActions_.isEmpty()) {
    menu.addActions(ownerActions_);
    menu.addSeparator();
  }
  copyAction_->setEnabled(selection_.active);
  saveAction_->setEnabled(!model_.Empty());
  menu.addAction(copyAction_);
  menu.addAction(selectAllAction_);
  menu.addAction(saveAction_);
  menu.exec(event->globalPos());
}

QString THexView::ToolTipAt(size_t offset) const {
  QString text = QString("%1: %2 (%3)")
                     .arg(QString::fromStdString(format_.Text(offset)),
                          QString::fromStdString(util::HexByte(model_.At(offset))))
                     .arg(model_.At(offset));
  if (auto t = model_.TimeAt(offset)) text += "\nвремя " + TimeText(*t);
  if (ExtraToolTip) {
    std::string extra = ExtraToolTip(offset);
    if (!extra.empty()) text += "\n" + QString::fromStdString(extra);
  }
  return text;
}

bool THexView::viewportEvent(QEvent *event) {
  if (event->type() == QEvent::ToolTip) {
    auto *help = static_cast<QHelpEvent *>(event);
    auto cell = CellAt(help->pos());
    if (cell && model_.HasByte(*cell)) QToolTip::showText(help->globalPos(), ToolTipAt(*cell), viewport());
    else QToolTip::hideText();
    return true;
  }
  return QAbstractScrollArea::viewportEvent(event);
}
