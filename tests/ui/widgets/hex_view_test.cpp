#include "ui/widgets/hex_view.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

// A view of a known size, shown, so rows and the scroll range are real.
struct HexViewRig {
  THexView view;
  HexViewRig() {
    view.resize(640, 200);
    view.show();
    QApplication::processEvents();
  }
  QPoint CellCentre(size_t offset) {
    // Finds the point by asking the view, so the test does not copy its metrics.
    for (int y = 0; y < view.viewport()->height(); y += 2)
      for (int x = 0; x < view.viewport()->width(); x += 2)
        if (view.CellAt({x, y}) == offset) return {x + 3, y + 3};
    return {-1, -1};
  }
};

}  // namespace

TEST(HexView, FollowsTheEndOnlyWhileScrolledToIt) {
  HexViewRig rig;
  rig.view.Append(std::string(16 * 100, 'a'));
  EXPECT_TRUE(rig.view.FollowsEnd());
  EXPECT_EQ(rig.view.verticalScrollBar()->value(), rig.view.verticalScrollBar()->maximum());
  EXPECT_GT(rig.view.verticalScrollBar()->maximum(), 50);

  rig.view.verticalScrollBar()->setValue(10);  // the engineer scrolls up to read
  EXPECT_FALSE(rig.view.FollowsEnd());
  rig.view.Append(std::string(16 * 10, 'b'));
  EXPECT_EQ(rig.view.verticalScrollBar()->value(), 10);
  EXPECT_EQ(rig.view.UnseenBytes(), 160u);
  QApplication::processEvents();
  ASSERT_TRUE(rig.view.ToEndButton()->isVisible());
  EXPECT_TRUE(rig.view.ToEndButton()->text().contains("+160"));

  QTest::mouseClick(rig.view.ToEndButton(), Qt::LeftButton);
  EXPECT_TRUE(rig.view.FollowsEnd());
  EXPECT_FALSE(rig.view.ToEndButton()->isVisible());
  rig.view.Append(std::string(16 * 10, 'c'));
  EXPECT_EQ(rig.view.verticalScrollBar()->value(), rig.view.verticalScrollBar()->maximum());
  EXPECT_EQ(rig.view.TopRow() + rig.view.VisibleRows(), 120u);
}

TEST(HexView, SelectsWithMouseAndKeysAndCopiesHex) {
  HexViewRig rig;
  rig.view.SetBytes(std::string("\x00\x01\x02\x03\x04\x05\x06\x07\x08\x09\x0A\x0B\x0C\x0D\x0E\x0F\x10\x11", 18));
  QPoint from = rig.CellCentre(2);
  QPoint to = rig.CellCentre(17);
  ASSERT_NE(from.x(), -1);
  QTest::mousePress(rig.view.viewport(), Qt::LeftButton, {}, from);
  QTest::mouseMove(rig.view.viewport(), to);
  QMouseEvent move(QEvent::MouseMove, to, rig.view.viewport()->mapToGlobal(to), Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(rig.view.viewport(), &move);
  QTest::mouseRelease(rig.view.viewport(), Qt::LeftButton, {}, to);
  EXPECT_EQ(rig.view.Selection().From(), 2u);
  EXPECT_EQ(rig.view.Selection().To(), 18u);

  rig.view.setFocus();
  QTest::keyClick(&rig.view, Qt::Key_Up, Qt::ShiftModifier);  // cursor 17 -> 1, the anchor stays at 2
  EXPECT_EQ(rig.view.SelectedBytes(), std::string("\x01\x02", 2));
  QTest::keyClick(&rig.view, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "01 02");
  EXPECT_EQ(QApplication::clipboard()->mimeData()->data("application/octet-stream"), QByteArray("\x01\x02", 2));

  QTest::keyClick(&rig.view, Qt::Key_Right);  // a plain move drops the selection
  EXPECT_FALSE(rig.view.Selection().active);
  EXPECT_EQ(rig.view.SelectedBytes(), "");
}

TEST(HexView, PartialBlockLeavesLeadingCellsEmptyAndSavesOnlyBytes) {
  HexViewRig rig;
  rig.view.SetOffsetFormat(ui::hexview::TOffsetFormat::HexFiveDigits());
  rig.view.SetBytes("\xAA\xBB", 0x10);
  EXPECT_EQ(rig.view.Size(), 0x12u);
  QTemporaryDir dir;
  QString error;
  ASSERT_TRUE(rig.view.SaveToFile(dir.filePath("d.bin"), &error)) << error.toStdString();
  ASSERT_TRUE(rig.view.SaveToFile(dir.filePath("d.txt"), &error));
  QFile bin(dir.filePath("d.bin")), txt(dir.filePath("d.txt"));
  ASSERT_TRUE(bin.open(QIODevice::ReadOnly) && txt.open(QIODevice::ReadOnly));
  EXPECT_EQ(bin.readAll(), QByteArray("\xAA\xBB"));
  EXPECT_TRUE(txt.readAll().startsWith("0x00000\n0x00010  AA BB"));
  EXPECT_FALSE(rig.view.SaveToFile(dir.filePath("missing/d.bin"), &error));
  EXPECT_FALSE(error.isEmpty());
}

TEST(HexView, PaintsChangedBytesOnLightYellow) {
  HexViewRig rig;
  rig.view.Append(std::string(64, '\x55'));
  rig.view.MarkChanged(32, 48);
  QImage shot = rig.view.viewport()->grab().toImage();
  QPoint changed = rig.CellCentre(40);
  QPoint normal = rig.CellCentre(8);
  // The cell's corner holds background, not a glyph.
  EXPECT_EQ(shot.pixelColor(changed - QPoint(2, 2)), QColor(255, 255, 168));
  EXPECT_NE(shot.pixelColor(normal - QPoint(2, 2)), QColor(255, 255, 168));
}

TEST(HexView, HoldsAMegabyteAndShowsItThroughTheAccessibilityTree) {
  HexViewRig rig;
  std::string block(4096, '\0');
  for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i);
  for (int i = 0; i < 256; ++i) rig.view.Append(block);
  EXPECT_EQ(rig.view.Size(), 1u << 20);
  EXPECT_TRUE(rig.view.FollowsEnd());
  QAccessibleInterface *a = QAccessible::queryAccessibleInterface(&rig.view);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->text(QAccessible::Name), "Байты");
  EXPECT_TRUE(a->text(QAccessible::Description).startsWith("1048576 байт"));
  // The last row on screen is the megabyte's last row.
  EXPECT_TRUE(a->text(QAccessible::Value).endsWith("0xFFFF0  F0 F1 F2 F3 F4 F5 F6 F7 F8 F9 FA FB FC FD FE FF  ................\n"))
      << a->text(QAccessible::Value).right(120).toStdString();
  rig.view.Clear();
  EXPECT_EQ(rig.view.Size(), 0u);
  EXPECT_EQ(rig.view.verticalScrollBar()->maximum(), 0);
}
