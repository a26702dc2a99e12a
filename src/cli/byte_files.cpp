#include "cli/byte_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace cli {

bool ReadByteFile(const std::string &path, std::string *bytes, std::string *error) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    *error = "cannot read " + path + ": " + std::strerror(errno);
    return false;
  }
  std::ostringstream all;
  all << in.rdbuf();
  if (in.bad()) {
    *error = "cannot read " + path;
    return false;
  }
  *bytes = all.str();
  return true;
}

bool WriteByteFile(const std::string &path, const std::string &bytes, std::string *error) {
  const std::string temporary = path + ".part";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (!out) {
      *error = "cannot write " + path + ": " + std::strerror(errno);
      return false;
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      *error = "cannot write " + path;
      std::remove(temporary.c_str());
      return false;
    }
  }
  if (std::rename(temporary.c_str(), path.c_str()) != 0) {
    *error = "cannot write " + path + ": " + std::strerror(errno);
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace cli
