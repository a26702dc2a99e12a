// Reading and writing the whole 476-byte configuration region over a
// pseudo-terminal against the simulated modem paced at real line speeds:
// the total time of each transfer against the time its bytes (requests and
// answers, framing included) need on the wire. 1.00 would be a line that
// never idles between a request and its answer.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "paced_modem.h"

namespace {

using bench::PacedModem;
using bench::Transfer;
constexpr uint16_t kRegionBytes = 476;

void Report(const char *what, uint32_t baud, int repeats, const Transfer &sum, const PacedModem &m) {
  const double wire = m.WireSeconds(sum.bytes);
  std::printf("%6u baud %-5s %d x 476 bytes: %.3f s total, %.3f s on the wire (%zu bytes), ratio %.3f%s\n", baud, what,
              repeats, sum.seconds, wire, sum.bytes, sum.seconds / wire, sum.ok ? "" : ", FAILED");
}

}  // namespace

int main(int argc, char **argv) {
  int repeats = 5;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--repeat") == 0) repeats = std::max(1, std::atoi(argv[i + 1]));
  bool allOk = true;
  for (uint32_t baud : {19200u, 115200u}) {
    PacedModem modem(baud);
    Transfer read, write, step;
    std::string region;
    for (int r = 0; r < repeats; ++r) {
      step = modem.Measure([&](modem::ZIZ2400 &n) { return n.ReadConfigBytes(0, kRegionBytes, region); });
      read = {read.seconds + step.seconds, read.bytes + step.bytes, read.ok && step.ok};
      step = modem.Measure([&](modem::ZIZ2400 &n) { return n.WriteConfigImage(region, kRegionBytes); });
      write = {write.seconds + step.seconds, write.bytes + step.bytes, write.ok && step.ok};
    }
    Report("read", baud, repeats, read, modem);
    Report("write", baud, repeats, write, modem);
    Report("both", baud, repeats, {read.seconds + write.seconds, read.bytes + write.bytes, read.ok && write.ok},
           modem);
    allOk = allOk && read.ok && write.ok;
  }
  return allOk ? 0 : 1;
}
