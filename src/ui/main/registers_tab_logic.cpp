#include "ui/main/registers_tab_logic.h"

#include "util/format.h"

namespace registers_tab {

using modem::RegisterDifference;
using modem::RegisterSnapshot;

namespace {

const char *const kFixedCaptions[] = {"Register", "Hex", "Dec"};

std::string Change(const RegisterDifference &d) {
  return modem::RegisterCaption(d.address) + ": " + modem::RegisterHexText(d.value) + " → " +
         modem::RegisterHexText(d.reference);
}

}  // namespace

std::string ColumnCaption(int column) {
  if (column < colBit0) return kFixedCaptions[column];
  if (column < colComment) return "b." + std::to_string(column - colBit0);
  return column == colComment ? "Comment" : "Эталон";
}

int ColumnWidth(int column) {
  switch (column) {
    case colRegister: return 150;
    case colHex: return 44;
    case colDec: return 40;
    case colComment: return 250;
    case colReference: return 70;
    default: return 30;
  }
}

bool RegisterPage::ReadAll(modem::ZIZ2400 &node) {
  previous_ = current_;
  previousRead_ = read_;
  return modem::ReadRegisterFile(node, current_, read_);
}

bool RegisterPage::ReadRow(modem::ZIZ2400 &node, int row) {
  previous_[row] = current_[row];
  previousRead_.values[row] = read_.values[row];
  modem::TRegisterImage buffer;
  const bool ok = node.ReadRegisters(static_cast<uint8_t>(row), 1, buffer);
  current_[row] = buffer[row];
  read_.values[row] = ok ? std::optional<uint8_t>(buffer[row]) : std::nullopt;
  return ok;
}

uint8_t RegisterPage::Focus(int row) {
  selected_ = row;
  return current_[row];
}

bool RegisterPage::WriteSelected(modem::ZIZ2400 &node, uint8_t value) {
  if (selected_ == -1) return false;
  return node.WriteRegister(static_cast<uint8_t>(selected_), value);
}

std::string RegisterPage::CellText(int row, int column) const {
  const uint8_t v = current_[row];
  switch (column) {
    case colRegister: return modem::RegisterCaption(row);
    case colHex: return modem::RegisterHexText(v);
    case colDec: return std::to_string(v);
    case colComment: return modem::RegisterComment(current_, row);
    case colReference: return DiffersFromReference(row) ? modem::RegisterHexText(*ReferenceValues().values[row]) : "";
    default: return modem::RegisterBitText(v, column - colBit0);
  }
}

const RegisterSnapshot &RegisterPage::ReferenceValues() const {
  switch (kind_) {
    case ReferenceKind::Defaults: return defaults_;
    case ReferenceKind::File: return fileValues_;
    default: return previousRead_;
  }
}

bool RegisterPage::DiffersFromReference(int row) const {
  const auto &reference = ReferenceValues();
  return read_.Has(row) && reference.Has(row) && read_.values[row] != reference.values[row];
}

void RegisterPage::SetFileReference(const RegisterSnapshot &file, const std::string &name) {
  fileValues_ = file;
  fileName_ = name;
  kind_ = ReferenceKind::File;
}

modem::RegisterComparison RegisterPage::Compare() const { return modem::CompareRegisters(read_, ReferenceValues()); }

std::string RegisterPage::ComparisonLine() const {
  std::string against;
  switch (kind_) {
    case ReferenceKind::Defaults: against = "со значениями после сброса"; break;
    case ReferenceKind::File: against = "с файлом «" + fileName_ + "»"; break;
    default: against = "с предыдущим чтением"; break;
  }
  const std::string head = "Сравнение " + against + ": ";
  if (kind_ == ReferenceKind::File && !HasFile()) return "Сравнение с файлом: загрузите файл регистров";
  if (read_.Count() == 0) return head + "регистры ещё не прочитаны";
  const auto result = Compare();
  if (result.compared == 0)
    return head + (kind_ == ReferenceKind::Previous ? "прочитайте регистры ещё раз" : "сравнивать нечего");
  if (result.differences.empty()) return head + util::Format("все %d совпадают", result.compared);
  return head + util::Format("отличаются %d из %d", static_cast<int>(result.differences.size()), result.compared);
}

bool RegisterPage::ConfigurationRead() const {
  for (int a = 0; a <= modem::kLastConfigurationRegister; ++a)
    if (!read_.Has(a)) return false;
  return true;
}

std::vector<RegisterDifference> RegisterPage::FileWritePlan() const {
  return modem::PlanRegisterWrite(read_, fileValues_);
}

modem::RegisterWriteOutcome RegisterPage::WriteFile(modem::ZIZ2400 &node, const std::vector<RegisterDifference> &plan,
                                                    const std::function<void(int, int)> &progress) {
  auto outcome = modem::WriteRegisterChanges(node, plan, progress);
  if (outcome.written > 0 && !outcome.writeFailed && !outcome.readBackFailed) {
    previous_ = current_;
    previousRead_ = read_;
    current_ = outcome.image;
    read_ = outcome.readBack;
  }
  return outcome;
}

std::string PlanText(const std::vector<RegisterDifference> &plan) {
  std::string text;
  for (const auto &d : plan) text += Change(d) + "\n";
  return text;
}

std::string ReadFailureText(const RegisterSnapshot &read, const std::string &reason) {
  const std::string what = read.Count() == 0 ? "Регистры не прочитаны" : "Прочитаны только регистры 0x00..0x1F";
  return what + ": " + reason + ". Проверьте связь с модемом и прочитайте регистры ещё раз.";
}

std::string WriteOutcomeText(const modem::RegisterWriteOutcome &outcome, const std::vector<RegisterDifference> &plan,
                             const std::string &reason) {
  const int total = static_cast<int>(plan.size());
  if (outcome.writeFailed)
    return util::Format("Запись прервана на регистре %s: записано %d из %d. ",
                        modem::RegisterCaption(plan[outcome.written].address), outcome.written, total) +
           reason + ". Прочитайте регистры, чтобы увидеть, что записано, и повторите запись.";
  if (outcome.readBackFailed)
    return util::Format("Записано %d из %d, но проверочное чтение не удалось: ", outcome.written, total) + reason +
           ". Прочитайте регистры, чтобы проверить запись.";
  if (!outcome.mismatches.empty()) {
    std::string text = util::Format("Записано %d из %d, но читаются иначе: ", outcome.written, total);
    for (size_t i = 0; i < outcome.mismatches.size(); ++i) {
      const auto &m = outcome.mismatches[i];
      text += (i ? ", " : "") + modem::RegisterCaption(m.address) + " " + modem::RegisterHexText(m.value) +
              " вместо " + modem::RegisterHexText(m.reference);
    }
    return text;
  }
  return util::Format("Записано регистров: %d; проверка чтением: все совпадают.", total);
}

}  // namespace registers_tab
