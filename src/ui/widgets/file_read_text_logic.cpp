#include "ui/widgets/file_read_text_logic.h"

namespace ui {

std::string FileReadProblemText(const util::FileRead &read) {
  switch (read.status) {
    case util::FileReadStatus::Ok: return {};
    case util::FileReadStatus::CannotOpen: return read.systemReason;
    case util::FileReadStatus::Folder: return "это папка";
    case util::FileReadStatus::NotRegular: return "это не обычный файл";
    case util::FileReadStatus::TooLarge: return "файл больше " + std::to_string(read.limit) + " байт";
    case util::FileReadStatus::ReadFailed: return "ошибка чтения: " + read.systemReason;
  }
  return {};
}

}  // namespace ui
