#pragma once
// Why a file the user chose could not be read, in the window's words.
#include <string>

#include "util/file_read.h"

namespace ui {

// "это папка", "это не обычный файл", "файл больше 1048576 байт", or the
// system's reason; empty when the file was read.
std::string FileReadProblemText(const util::FileRead &read);

}  // namespace ui
