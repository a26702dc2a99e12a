#include <gtest/gtest.h>

#include <algorithm>
#include <condition_variable>
#include <cstdint>
#include <mutex>

#include "port/device_name.h"
#include "port/port.h"
#include "util/tick.h"

using namespace port;

namespace {

// A line whose events the test makes: bytes "arrive", status bits change.
struct StubState {
  std::mutex m;
  std::condition_variable cv;
  std::string incoming;
  std::string written;
  unsigned bits = 0;
  bool dtr = true;
  bool hasStatus = true;
  bool woken = false;
  bool hangUp = false;  // the far end goes away; taken by the next wait
  bool openFails = false;
  size_t writeRoom = SIZE_MAX;  // bytes the line takes before a write stalls
  int opens = 0;
};

class StubLine : public ISerialLine {
 public:
  explicit StubLine(std::shared_ptr<StubState> s) : s_(std::move(s)) {}
  bool Open(const std::string &, const TPortSettings &, TPortError *error) override {
    std::lock_guard l(s_->m);
    if (s_->openFails) {
      if (error) *error = {TPortErrorKind::peBusy, "no such line"};
      return false;
    }
    ++s_->opens;
    open_ = true;
    return true;
  }
  bool Adopt(int) override { return open_ = true; }
  bool IsOpen() const override { return open_; }
  int Handle() const override { return open_ ? 42 : -1; }
  bool Close() override {
    open_ = false;
    return true;
  }
  LineEvents WaitEvents(int timeoutMs) override {
    std::unique_lock l(s_->m);
    auto ready = [&] { return s_->woken || s_->hangUp || !s_->incoming.empty(); };
    if (timeoutMs < 0)
      s_->cv.wait(l, ready);
    else
      s_->cv.wait_for(l, std::chrono::milliseconds(timeoutMs), ready);
    LineEvents ev;
    ev.woken = s_->woken;
    s_->woken = false;
    ev.readable = !s_->incoming.empty();
    ev.hangUp = s_->hangUp;
    s_->hangUp = false;
    return ev;
  }
  void Wake() override {
    std::lock_guard l(s_->m);
    s_->woken = true;
    s_->cv.notify_all();
  }
  size_t BytesWaiting() override {
    std::lock_guard l(s_->m);
    return s_->incoming.size();
  }
  std::string Read(size_t n) override {
    std::lock_guard l(s_->m);
    std::string out = s_->incoming.substr(0, n);
    s_->incoming.erase(0, n);
    return out;
  }
  bool Write(std::string_view data, uint32_t, TPortError *error) override {
    std::lock_guard l(s_->m);
    const size_t taken = std::min(data.size(), s_->writeRoom);
    s_->written += data.substr(0, taken);
    s_->writeRoom -= taken;
    if (taken == data.size()) return true;
    *error = {TPortErrorKind::peIO, "stalled after " + std::to_string(taken) + " bytes"};
    return false;
  }
  bool Flush() override { return true; }
  bool ModemStatus(unsigned *bits, bool *dtr) override {
    std::lock_guard l(s_->m);
    if (!s_->hasStatus) return false;
    *bits = s_->bits;
    *dtr = s_->dtr;
    return true;
  }

 private:
  std::shared_ptr<StubState> s_;
  bool open_ = false;
};

struct RecordingLink : TPortLink {
  std::mutex m;
  std::vector<std::string> events;
  RecordingLink() {
    OnOpen = [this](TPort &) { Add("open"); };
    OnClose = [this](TPort &) { Add("close"); };
    OnSendData = [this](const std::string &d) { Add("send:" + d); };
    OnReceiveData = [this](const std::string &d) { Add("recv:" + d); };
    OnChangeStatus = [this](TPort &, const TPortStatus &s) {
      Add(std::string("status:") + (s.CTS ? "C" : "") + (s.DSR ? "D" : "") + (s.Ring ? "R" : "") + (s.RLSD ? "L" : "") +
          (s.DTR ? "T" : ""));
    };
  }
  void Add(std::string e) {
    std::lock_guard l(m);
    events.push_back(std::move(e));
  }
  std::vector<std::string> Events() {
    std::lock_guard l(m);
    return events;
  }
  bool WaitFor(const std::string &e) {
    for (int i = 0; i < 200; ++i) {
      auto ev = Events();
      if (std::find(ev.begin(), ev.end(), e) != ev.end()) return true;
      util::SleepMs(10);
    }
    return false;
  }
};

struct PortWithStub : ::testing::Test {
  std::shared_ptr<StubState> state = std::make_shared<StubState>();
  TPort port{[s = state] { return std::make_unique<StubLine>(s); }};
  RecordingLink link;
  PortWithStub() { link.SetPort(&port); }
  void Arrive(const std::string &bytes) {
    std::lock_guard l(state->m);
    state->incoming += bytes;
    state->cv.notify_all();
  }
  void HangUp() {
    std::lock_guard l(state->m);
    state->hangUp = true;
    state->cv.notify_all();
  }
  void SetBits(unsigned bits) {
    std::lock_guard l(state->m);
    state->bits = bits;
  }
};

}  // namespace

TEST(DeviceNames, WindowsPrefixFromTenAndPosixPaths) {
  EXPECT_EQ(WindowsDeviceName("COM9"), "COM9");
  EXPECT_EQ(WindowsDeviceName("COM10"), "\\\\.\\COM10");
  EXPECT_EQ(WindowsDeviceName("COMX1"), "COMX1");
  EXPECT_EQ(PosixDeviceName("COM1"), "/dev/ttyS0");
  EXPECT_EQ(PosixDeviceName("COM12"), "/dev/ttyS11");
  EXPECT_EQ(PosixDeviceName("/dev/ttyUSB0"), "/dev/ttyUSB0");
  EXPECT_EQ(PosixDeviceName("COM0"), "COM0");
}

TEST(WriteTimeout, MultiplierPerByte) {
  const std::pair<int, uint32_t> cases[] = {{19200, 1}, {9600, 2}, {10000, 2}, {20000, 1}, {1200, 9}, {115200, 1}};
  for (auto [baud, m] : cases) EXPECT_EQ(WriteTimeoutPerByte(baud), m) << baud;
}

TEST(PortSettings, DefaultsAndDescription) {
  TPortSettings s;
  EXPECT_EQ(s.GetPortName(), "COM1");
  EXPECT_EQ(s.GetBaudRate(), 19200);
  EXPECT_EQ(s.GetDataBits(), 8);
  EXPECT_EQ(s.GetStopBits(), TStopBits::One);
  EXPECT_EQ(s.GetParity(), TParitys::None);
  EXPECT_EQ(s.GetDTRControl(), TDTRControl::DTR_ENABLE);
  EXPECT_EQ(s.GetRTSControl(), TRTSControl::RTS_DISABLE);
  EXPECT_EQ(s.Dcb().DCBlength, 28u);
  EXPECT_EQ(s.Dcb().Flags, dcb::fBinary | dcb::fParity | (1u << dcb::fDtrControlShift));
  EXPECT_EQ(s.GetLinePause(), 0u);

  s.SetPortName("COM3");
  s.SetParity(TParitys::Odd);
  EXPECT_EQ(s.GetDescription(true, true, true, true, true, true), "COM3, 19200, 8O1");
  EXPECT_EQ(s.GetDescription(true, false, false, false, false, true), "COM3");
  EXPECT_EQ(s.GetDescription(false, true, false, false, false, true), "19200");
  s.SetParity(TParitys::Space);
  s.SetStopBits(TStopBits::OneAndHalf);
  EXPECT_EQ(s.GetDescription(false, true, true, true, true, false), "19200, 8Single1.5");

  TPortSettings copy;
  s.SetLinePause(50);
  copy.Assign(s);
  EXPECT_EQ(copy.GetPortName(), "COM3");
  EXPECT_EQ(copy.GetParity(), TParitys::Space);
  EXPECT_EQ(copy.GetLinePause(), 0u);  // the pause is not part of the line state
}

TEST(PoolSwitch, OnlyACapitalYEnablesIt) {
  EXPECT_TRUE(PoolReaderEnabledBy("Yes"));
  EXPECT_TRUE(PoolReaderEnabledBy("Y"));
  EXPECT_FALSE(PoolReaderEnabledBy("yes"));
  EXPECT_FALSE(PoolReaderEnabledBy(""));
  EXPECT_FALSE(PoolReaderEnabledBy(nullptr));
}

TEST_F(PortWithStub, CloseOfNeverOpenedPortStillTellsLinks) {
  EXPECT_TRUE(port.Close());
  EXPECT_EQ(link.Events(), std::vector<std::string>{"close"});
  EXPECT_FALSE(port.GetActive());
}

TEST_F(PortWithStub, ActiveOnOpenPortReopensIt) {
  port.SetActive(true);
  ASSERT_TRUE(port.GetActive());
  port.SetActive(true);
  EXPECT_TRUE(port.GetActive());
  EXPECT_EQ(state->opens, 2);
  auto ev = link.Events();
  // The first status report comes with the first open (DTR is on).
  EXPECT_EQ(ev, (std::vector<std::string>{"open", "status:T", "close", "open"}));
  port.SetActive(false);
  EXPECT_FALSE(port.GetActive());
}

TEST_F(PortWithStub, FailedOpenLeavesPortClosed) {
  state->openFails = true;
  EXPECT_EQ(port.Open(), -1);
  EXPECT_FALSE(port.GetActive());
  EXPECT_EQ(port.LastError(), "no such line");
  EXPECT_EQ(port.OpenError().Kind, TPortErrorKind::peBusy);
  EXPECT_TRUE(link.Events().empty());
}

TEST_F(PortWithStub, AShortWriteIsReportedWithWhatWasWritten) {
  std::vector<std::string> reported;
  port.OnWriteError = [&](TPort &p, const TPortError &e) {
    EXPECT_EQ(&p, &port);
    reported.push_back(std::string(PortErrorKindName(e.Kind)) + ": " + e.Text);
  };
  port.SetActive(true);
  state->writeRoom = 5;
  port.SendData("abc");
  EXPECT_TRUE(reported.empty()) << "a write that fits is no failure";
  EXPECT_FALSE(port.LastWriteError().Failed());
  port.SendData("defgh");
  EXPECT_EQ(state->written, "abcde");
  EXPECT_EQ(reported, std::vector<std::string>{"I/O error: stalled after 2 bytes"});
  EXPECT_EQ(port.LastWriteError().Text, "stalled after 2 bytes");
  // Reopening starts afresh.
  state->writeRoom = SIZE_MAX;
  port.SetActive(true);
  EXPECT_FALSE(port.LastWriteError().Failed());
}

TEST_F(PortWithStub, ReceivedBlocksReachEveryLinkInOrder) {
  RecordingLink second;
  second.SetPort(&port);
  std::string seenByPort;
  port.OnReceiveData = [&](const std::string &d) { seenByPort += d; };
  port.SetActive(true);
  Arrive("abc");
  ASSERT_TRUE(link.WaitFor("recv:abc"));
  ASSERT_TRUE(second.WaitFor("recv:abc"));
  EXPECT_EQ(seenByPort, "abc");
  EXPECT_NE(port.LastReceiveTick(), 0u);
}

TEST_F(PortWithStub, StatusIsReportedOnlyWhenItChanges) {
  port.SetActive(true);
  ASSERT_TRUE(link.WaitFor("status:T"));
  SetBits(kStatusCts | kStatusRlsd);
  ASSERT_TRUE(link.WaitFor("status:CLT"));
  util::SleepMs(3 * TPort::kStatusPollMs);
  SetBits(kStatusCts | kStatusRlsd | kStatusDsr | kStatusRing);
  ASSERT_TRUE(link.WaitFor("status:CDRLT"));
  port.SetActive(false);
  auto ev = link.Events();
  EXPECT_EQ(std::count_if(ev.begin(), ev.end(), [](const std::string &e) { return e.rfind("status:", 0) == 0; }), 3);
  EXPECT_TRUE(port.Status().DSR);
}

TEST_F(PortWithStub, LineWithoutStatusNeverReportsIt) {
  state->hasStatus = false;
  port.SetActive(true);
  Arrive("x");
  ASSERT_TRUE(link.WaitFor("recv:x"));
  port.SetActive(false);
  for (const auto &e : link.Events()) EXPECT_NE(e.rfind("status:", 0), 0u) << e;
}

TEST_F(PortWithStub, EmptyAndClosedSendsAreStillReported) {
  std::vector<std::string> portSends;
  port.OnSendData = [&](const std::string &d) { portSends.push_back(d); };
  port.SendData("");
  port.SendData("closed");
  port.SetActive(true);
  port.SendData("open");
  EXPECT_EQ(portSends, (std::vector<std::string>{"", "closed", "open"}));
  EXPECT_EQ(state->written, "open");
  auto ev = link.Events();
  EXPECT_EQ(ev[0], "send:");
  EXPECT_EQ(ev[1], "send:closed");
}

TEST_F(PortWithStub, ASendIsReportedBeforeItIsWritten) {
  // A listener that shows traffic in order must see the request before any
  // answer the reader could deliver once the bytes are on the line.
  std::string writtenWhenReported = "?";
  port.OnSendData = [&](const std::string &) {
    std::lock_guard l(state->m);
    writtenWhenReported = state->written;
  };
  port.SetActive(true);
  port.SendData("req");
  EXPECT_EQ(writtenWhenReported, "");
  EXPECT_EQ(state->written, "req");
}

TEST_F(PortWithStub, LinePauseDelaysASendAfterReceivedBytes) {
  port.Settings().SetLinePause(150);
  port.SetActive(true);
  Arrive("x");
  ASSERT_TRUE(link.WaitFor("recv:x"));
  port.SendData("y");
  // The write went out no sooner than the pause after the received block.
  EXPECT_GE(util::TicksSince(port.LastReceiveTick()), 148u);
  uint32_t start;

  port.Settings().SetLinePause(0);
  Arrive("z");
  ASSERT_TRUE(link.WaitFor("recv:z"));
  start = util::TickMs();
  port.SendData("w");
  EXPECT_LT(util::TicksSince(start), 140u);  // well short of the old 150 ms pause
}

TEST_F(PortWithStub, LinkMovedBetweenPortsIsInTheSecondOnly) {
  TPort other{[s = state] { return std::make_unique<StubLine>(s); }};
  link.SetPort(&other);
  EXPECT_TRUE(port.Links().empty());
  ASSERT_EQ(other.Links().size(), 1u);
  link.SetPort(&other);
  EXPECT_EQ(other.Links().size(), 1u);
}

TEST(PortLifetime, DestroyedPortDetachesItsLinks) {
  RecordingLink a, b;
  {
    TPort p;
    a.SetPort(&p);
    b.SetPort(&p);
  }
  EXPECT_EQ(a.GetPort(), nullptr);
  EXPECT_EQ(b.GetPort(), nullptr);
}

TEST_F(PortWithStub, PoolReaderWhenSwitchedOn) {
  SetPoolReaderEnabledForTesting(true);
  port.SetActive(true);
  EXPECT_TRUE(port.PoolReader());
  Arrive("p");
  EXPECT_TRUE(link.WaitFor("recv:p"));
  port.SetActive(false);
  EXPECT_FALSE(port.PoolReader());
  SetPoolReaderEnabledForTesting(false);
  port.SetActive(true);
  EXPECT_FALSE(port.PoolReader());
  port.SetActive(false);
}

TEST_F(PortWithStub, ActiveOnlyStoredWhileLoading) {
  port.BeginLoading();
  port.SetActive(true);
  EXPECT_TRUE(port.GetActive());
  EXPECT_EQ(state->opens, 0);
  port.Loaded();
  EXPECT_EQ(state->opens, 1);
  EXPECT_TRUE(port.GetActive());
}

TEST_F(PortWithStub, HandleAdoptedAfterAHangUpGetsANewReader) {
  // The reader of a hung-up line has ended, so a descriptor handed over
  // afterwards is adopted and read, for a thread reader and a pool reader.
  for (bool pool : {false, true}) {
    SetPoolReaderEnabledForTesting(pool);
    port.SetActive(true);
    ASSERT_TRUE(port.GetActive());
    HangUp();
    for (int i = 0; i < 300 && port.GetActive(); ++i) util::SleepMs(10);
    ASSERT_FALSE(port.GetActive());
    port.SetHandle(7);
    EXPECT_TRUE(port.GetActive()) << pool;
    const std::string bytes = pool ? "pool" : "thread";
    Arrive(bytes);
    EXPECT_TRUE(link.WaitFor("recv:" + bytes)) << pool;
    port.SetHandle(-1);
    EXPECT_FALSE(port.GetActive()) << pool;
  }
  SetPoolReaderEnabledForTesting(false);
}
