#include "support/sim_fixture.h"

namespace testing_support {

void SimLineTest::SetUp() {
  std::string why;
  ASSERT_TRUE(server.Start(&why)) << why;
  port.Settings().SetPortName(server.DevicePath());
  port.Settings().SetBaudRate(115200);
  port.SetActive(true);
  ASSERT_TRUE(port.GetActive()) << port.LastError();
  node.SetPort(&port);
  node.SetProtocol(modem::kProtocolBin);
  node.SetDeviceId(255);
  node.SetTimeOutMs(500);
  node.Transactions = 2;
}

void SimLineTest::TearDown() {
  node.SetPort(nullptr);
  port.SetActive(false);
  server.Stop();
}

}  // namespace testing_support
