// A dump read of 2 KiB of RAM, as the memory dump window and vovorctl dump
// make it (64 requests of 32 bytes, progress reported after each), over a
// pseudo-terminal against the simulated modem paced at real line speeds:
// the total time against the time the requests and answers need on the wire.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "modem/memory_dump.h"
#include "paced_modem.h"

int main(int argc, char **argv) {
  int repeats = 3;
  for (int i = 1; i + 1 < argc; ++i)
    if (std::strcmp(argv[i], "--repeat") == 0) repeats = std::max(1, std::atoi(argv[i + 1]));
  const modem::TDumpRequest request{modem::TDumpMemory::PureMemory, false, 0, 0x800};
  bool allOk = true;
  for (uint32_t baud : {19200u, 115200u}) {
    bench::PacedModem paced(baud);
    bench::Transfer sum;
    size_t progressCalls = 0;
    for (int r = 0; r < repeats; ++r) {
      const auto step = paced.Measure([&](modem::ZIZ2400 &node) {
        node.OnTransferProgress = [&](size_t, size_t) { ++progressCalls; };
        const auto read = modem::ReadDump(node, request);
        node.OnTransferProgress = nullptr;
        return read.ok && read.bytes.size() == 0x800;
      });
      sum = {sum.seconds + step.seconds, sum.bytes + step.bytes, sum.ok && step.ok};
    }
    const double wire = paced.WireSeconds(sum.bytes);
    std::printf("%6u baud  %d x 2048 bytes of RAM: %.3f s total, %.3f s on the wire (%zu bytes), ratio %.3f, "
                "%zu progress reports%s\n",
                baud, repeats, sum.seconds, wire, sum.bytes, sum.seconds / wire, progressCalls,
                sum.ok ? "" : ", FAILED");
    allOk = allOk && sum.ok;
  }
  return allOk ? 0 : 1;
}
