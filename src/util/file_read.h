#pragma once
// The one way the programs read a file a user names: a regular file of
// bounded size, never a folder, a FIFO or a device, so a read can neither
// block waiting for a writer nor go on without end.
#include <cstddef>
#include <string>

namespace util {

enum class FileReadStatus { Ok, CannotOpen, Folder, NotRegular, TooLarge, ReadFailed };

struct FileRead {
  FileReadStatus status = FileReadStatus::Ok;
  std::string bytes;         // the whole file when Ok
  std::string systemReason;  // the system's words for CannotOpen and ReadFailed
  size_t limit = 0;          // the most bytes accepted
};

FileRead ReadBoundedFile(const std::string &path, size_t maxBytes);

// The same, with the reason in English for the command line ("cannot read
// PATH: it is a folder"); *bytes is left as it was on failure.
bool ReadRegularFile(const std::string &path, size_t maxBytes, std::string *bytes, std::string *error = nullptr);

}  // namespace util
