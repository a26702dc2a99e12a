#pragma once
// A bare pseudo-terminal for tests of the line itself: the test holds the
// master side and plays the far end.
#include <string>

namespace testing_support {

class PtyPair {
 public:
  PtyPair();
  ~PtyPair();
  bool ok() const { return master_ >= 0; }
  const std::string &SlavePath() const { return path_; }
  void Write(const std::string &bytes);
  // Everything that arrives within `ms`, or until `want` bytes arrived.
  std::string Read(size_t want, int ms);
  void CloseMaster();

 private:
  int master_ = -1;
  int keptSlave_ = -1;
  std::string path_;
};

}  // namespace testing_support
