#pragma once
// Whole files as byte strings, for dumps and configuration files.
#include <string>

namespace cli {

// False with the reason in *error.
bool ReadByteFile(const std::string &path, std::string *bytes, std::string *error);
// Writes through a temporary file renamed into place, so a failed write
// never leaves half a file under the name.
bool WriteByteFile(const std::string &path, const std::string &bytes, std::string *error);

}  // namespace cli
