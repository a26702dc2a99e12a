#pragma once
// The simulated modem on a pseudo-terminal, a real TPort on its line and a
// ZIZ2400 on the port: the whole road a user's command takes.
#include <gtest/gtest.h>

#include <memory>

#include "modem/frame_codec.h"
#include "modem/ziz2400.h"
#include "port/port.h"
#include "sim/pty_server.h"

namespace testing_support {

class SimLineTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Applies faults to the simulator (the rest of its state stays).
  void SetFaults(const sim::Faults &faults) { server.SetFaults(faults); }

  sim::PtyServer server;
  port::TPort port;
  modem::ZIZ2400 node;
};

}  // namespace testing_support
