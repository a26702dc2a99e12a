#pragma once
// Faults the simulated modem can be told to show, for the tests and for
// engineers trying the program's error handling without hardware.
#include <cstddef>
#include <cstdint>
#include <string>

namespace sim {

struct Faults {
  int dropNextAnswers = 0;      // the next N requests addressed to us get no answer
  bool corruptCheck = false;    // every answer's check byte (BIN) or check pair (ASCII) is wrong
  std::string noiseBefore;      // bytes sent before every answer frame
  bool splitAnswer = false;     // an answer leaves one byte per write
  int busyNextAnswers = 0;      // the next N requests are answered with status 15 (busy), no data
  int statusOverride = -1;      // >= 0: every request is answered with this status and no data
  int answerFromAddress = -1;   // >= 0: answers carry this source address instead of our own
  size_t floodNextBytes = 0;    // > 0: the next request gets this many frame-less bytes instead of an answer
  uint32_t delayMs = 0;         // wait this long before answering
  uint32_t baud = 0;            // 0: unpaced; else requests and answers take their wire time at this rate
  int hangUpAfterAnswers = -1;  // >= 0: the line drops once this many more answers have gone out (0: at once),
                                // as when the adapter is pulled out
};

}  // namespace sim
