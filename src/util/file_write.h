#pragma once
// The one way the programs write a file: the bytes go to a fresh temporary
// in the target's folder (created exclusively, never through a symbolic
// link), are synced to disk, take the old file's permissions and then
// replace the target by rename. A crash or a full disk never leaves half a
// file, and a link planted beside the target is never followed.
#include <string>
#include <string_view>

namespace util {

// False, with the reason in *error ("cannot write PATH: why"), when the file
// could not be written whole; the target is then left as it was.
bool WriteFileAtomically(const std::string &path, std::string_view bytes, std::string *error = nullptr);

}  // namespace util
