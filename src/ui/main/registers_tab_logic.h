#pragma once
// The register page without its widgets: the current and previous register
// images, the selected register, the comparison reference and every text
// the table, the comparison line and the status line show.
#include <string>
#include <vector>

#include "modem/register_transfer.h"
#include "modem/transceiver_registers.h"

namespace registers_tab {

// The table's columns: the twelve of the register table, then the value of
// the comparison reference where it differs.
enum Column {
  colRegister = 0,
  colHex = 1,
  colDec = 2,
  colBit0 = 3,  // b.0 .. b.7 follow
  colComment = 11,
  colReference = 12,
  kColumnCount = 13,
};
std::string ColumnCaption(int column);
int ColumnWidth(int column);

// Odd addresses get this background, RGB(231, 243, 228).
inline constexpr unsigned kShadedRowRgb = 0xE7F3E4;

enum class ReferenceKind { Previous, Defaults, File };

class RegisterPage {
 public:
  // "Read registers": previous := current, then the two bulk reads. A failed
  // first read leaves every row 0, a failed second one rows 0x20 and up.
  bool ReadAll(modem::ZIZ2400 &node);
  // A double-click: the row alone is read again; 0 when the read fails.
  bool ReadRow(modem::ZIZ2400 &node, int row);
  // A row got the focus: it becomes the selected register; returns its value.
  uint8_t Focus(int row);
  int Selected() const { return selected_; }
  // "Write register": false, and nothing sent, before a row was focused.
  bool WriteSelected(modem::ZIZ2400 &node, uint8_t value);

  std::string CellText(int row, int column) const;
  bool Bold(int row) const { return current_[row] != previous_[row]; }
  static bool Shaded(int row) { return row % 2 == 1; }
  bool DiffersFromReference(int row) const;

  // The comparison reference; a file keeps its values and name until another one is loaded.
  void SetReference(ReferenceKind kind) { kind_ = kind; }
  ReferenceKind Reference() const { return kind_; }
  void SetFileReference(const modem::RegisterSnapshot &file, const std::string &name);
  bool HasFile() const { return fileValues_.Count() > 0; }
  const std::string &FileName() const { return fileName_; }
  modem::RegisterComparison Compare() const;
  std::string ComparisonLine() const;

  const modem::TRegisterImage &Current() const { return current_; }
  // The rows the last reads delivered; rows of failed reads are absent.
  const modem::RegisterSnapshot &ReadValues() const { return read_; }
  bool ConfigurationRead() const;

  // Writing the loaded file: what changes against the last read, the
  // confirmation's list of it, then the write with its read-back, which
  // becomes the current image.
  std::vector<modem::RegisterDifference> FileWritePlan() const;
  modem::RegisterWriteOutcome WriteFile(modem::ZIZ2400 &node, const std::vector<modem::RegisterDifference> &plan,
                                        const std::function<void(int, int)> &progress);

 private:
  const modem::RegisterSnapshot &ReferenceValues() const;

  modem::TRegisterImage current_{};
  modem::TRegisterImage previous_{};
  modem::RegisterSnapshot read_;
  modem::RegisterSnapshot previousRead_;
  int selected_ = -1;
  ReferenceKind kind_ = ReferenceKind::Previous;
  modem::RegisterSnapshot defaults_ = modem::RegisterSnapshot::Defaults();
  modem::RegisterSnapshot fileValues_;
  std::string fileName_;
};

// Texts of the page's status line and dialogs.
std::string PlanText(const std::vector<modem::RegisterDifference> &plan);
std::string ReadFailureText(const modem::RegisterSnapshot &read, const std::string &reason);
std::string WriteOutcomeText(const modem::RegisterWriteOutcome &outcome,
                             const std::vector<modem::RegisterDifference> &plan, const std::string &reason);

}  // namespace registers_tab
