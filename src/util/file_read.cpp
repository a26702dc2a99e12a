#include "util/file_read.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace util {

FileRead ReadBoundedFile(const std::string &path, size_t maxBytes) {
  FileRead result;
  result.limit = maxBytes;
  auto fail = [&](FileReadStatus status, bool withErrno) {
    result.status = status;
    if (withErrno) result.systemReason = std::strerror(errno);
    result.bytes.clear();
    return result;
  };
  // O_NONBLOCK: opening a FIFO must not wait for a writer.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return fail(FileReadStatus::CannotOpen, true);
  struct stat st {};
  FileReadStatus status = FileReadStatus::Ok;
  bool withErrno = false;
  if (::fstat(fd, &st) != 0) {
    status = FileReadStatus::CannotOpen;
    withErrno = true;
  } else if (S_ISDIR(st.st_mode)) {
    status = FileReadStatus::Folder;
  } else if (!S_ISREG(st.st_mode)) {
    status = FileReadStatus::NotRegular;
  } else if (static_cast<uint64_t>(st.st_size) > maxBytes) {
    status = FileReadStatus::TooLarge;
  } else {
    // Room for one byte past what the file holds now, in case it grows meanwhile.
    result.bytes.resize(std::min(static_cast<size_t>(st.st_size), maxBytes) + 1);
    size_t got = 0;
    for (;;) {
      if (got == result.bytes.size()) {
        if (got > maxBytes) break;
        result.bytes.resize(std::min(got * 2, maxBytes + 1));
      }
      const ssize_t n = ::read(fd, result.bytes.data() + got, result.bytes.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        status = FileReadStatus::ReadFailed;
        withErrno = true;
        break;
      }
      if (n == 0) break;
      got += static_cast<size_t>(n);
    }
    result.bytes.resize(got);
    if (status == FileReadStatus::Ok && got > maxBytes) status = FileReadStatus::TooLarge;
  }
  if (status != FileReadStatus::Ok) fail(status, withErrno);
  ::close(fd);
  return result;
}

bool ReadRegularFile(const std::string &path, size_t maxBytes, std::string *bytes, std::string *error) {
  FileRead read = ReadBoundedFile(path, maxBytes);
  std::string why;
  switch (read.status) {
    case FileReadStatus::Ok:
      *bytes = std::move(read.bytes);
      return true;
    case FileReadStatus::CannotOpen:
    case FileReadStatus::ReadFailed: why = read.systemReason; break;
    case FileReadStatus::Folder: why = "it is a folder"; break;
    case FileReadStatus::NotRegular: why = "it is not a regular file"; break;
    case FileReadStatus::TooLarge: why = "more than the " + std::to_string(maxBytes) + " bytes accepted"; break;
  }
  if (error) *error = "cannot read " + path + ": " + why;
  return false;
}

}  // namespace util
