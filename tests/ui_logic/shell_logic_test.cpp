#include <gtest/gtest.h>

#include "ui/main/shell_logic.h"

using namespace shell;

TEST(ShellLogic, PortMessagesAndNotes) {
  port::TPortSettings s;
  EXPECT_EQ(PortReadyMessage(s), "Порт настроен: COM1, 19200, 8N1");
  EXPECT_EQ(PortFailedMessage("COM9"), "Порт COM9не открывается!");
  EXPECT_EQ(PortLostMessage("COM9"), "Порт COM9 отключён");
  EXPECT_EQ(PortNotOpenMessage("COM9"),
            "Порт COM9 не открыт: операция не выполнена. Выберите порт на странице «Наст».");
  EXPECT_EQ(PortLostRefusedMessage("COM9"),
            "Порт COM9 отключён: операция не выполнена. Подключите устройство снова: порт откроется сам.");
  EXPECT_EQ(PortStateText(TPortState::psOpen, s, "COM1"), "Порт открыт: COM1, 19200, 8N1");
  EXPECT_EQ(PortStateText(TPortState::psClosed, s, "COM9"), "Порт COM9 не открыт");
  EXPECT_EQ(PortStateText(TPortState::psLost, s, "COM9"), "Порт COM9 отключён, ждём возвращения устройства");
  EXPECT_EQ(PortBackMessage("COM9"), "Порт COM9 снова подключён");
  EXPECT_EQ(ParityForDataFormat(1), port::TParitys::Even);
  EXPECT_EQ(ParityForDataFormat(2), port::TParitys::Odd);
  EXPECT_EQ(ParityForDataFormat(-1), port::TParitys::None);
  EXPECT_EQ(DeviceIdFromRemoteAddress(300), 44);
  EXPECT_EQ(ActionCaption("12:00:01", "Чтение RTC"), "12:00:01  Чтение RTC");
  EXPECT_EQ(RepeatNote(1), "RC:2");
  EXPECT_EQ(WaitNote(0, 1), "RC:0/1");
}

TEST(ShellLogic, SettingNumbers) {
  EXPECT_EQ(FormatSettingNumber(255, ','), "255");
  EXPECT_EQ(FormatSettingNumber(2.5, ','), "2,5");
  EXPECT_EQ(FormatSettingNumber(26481010.125, '.'), "26481010.125");
  EXPECT_EQ(ParseSettingNumber("2,5", ','), 2.5);
  EXPECT_EQ(ParseSettingNumber("12", '.'), 12.0);
  EXPECT_FALSE(ParseSettingNumber("banana", '.'));
  EXPECT_FALSE(ParseSettingNumber("", '.'));
  EXPECT_EQ(ParseSettingInteger("-1"), -1);
  EXPECT_FALSE(ParseSettingInteger("1x"));
}

TEST(ShellLogic, FirstStartTakesTheOnlyUsbAdapterOrTheSimulatedModem) {
  struct Case {
    std::vector<PortCandidate> ports;
    const char *port;
    const char *message;
  } cases[] = {
      {{{"/dev/ttyS0", false}, {"/dev/ttyUSB0", true}}, "/dev/ttyUSB0",
       "Первый запуск: выбран единственный USB-адаптер /dev/ttyUSB0"},
      {{{"/dev/ttyS0", false}}, kSimulatedModemCaption, "Первый запуск: USB-адаптер не найден, выбран имитатор модема"},
      {{{"/dev/ttyUSB0", true}, {"/dev/ttyACM0", true}}, kSimulatedModemCaption,
       "Первый запуск: USB-адаптеров 2, выбран имитатор модема; выберите порт на странице «Наст»"},
  };
  for (const auto &c : cases) {
    FirstStartChoice choice = FirstStartPort(c.ports);
    EXPECT_EQ(choice.portText, c.port);
    EXPECT_EQ(choice.message, c.message);
  }
}

// Pages register their keys in whatever order they are built; the file
// keeps the documented order, with keys of our own after it.
TEST(ShellLogic, SettingsKeysTakeTheirDocumentedPlaces) {
  const std::vector<std::string> registered{"CB_VerifyWrite.Checked", "SE_ORVARemCh.Value", "Panel1.Height",
                                            "SE_NetAddr.Value", "ServicePages.Visible", "CB_Port.Text"};
  SettingsOrder order = OrderSettings(registered);
  std::vector<std::string> documented, own;
  for (size_t i : order.documented) documented.push_back(registered[i]);
  for (size_t i : order.own) own.push_back(registered[i]);
  EXPECT_EQ(documented, (std::vector<std::string>{"Panel1.Height", "CB_Port.Text", "SE_NetAddr.Value",
                                                  "SE_ORVARemCh.Value"}));
  EXPECT_EQ(own, (std::vector<std::string>{"CB_VerifyWrite.Checked", "ServicePages.Visible"}));
  EXPECT_EQ(DocumentedSettingKeys().size(), 18u);
}

TEST(ShellLogic, APortThatWillNotOpenSaysWhyAndWhatToDo) {
  using K = port::TPortErrorKind;
  const struct {
    K kind;
    const char *result;
    const char *adviceHas;
  } cases[] = {
      {K::peNotFound, "порт не найден: /dev/ttyS8: No such file or directory", "имя порта"},
      {K::peBusy, "порт занят другой программой: /dev/ttyS8: in use by another program", "закройте программу"},
      {K::peNoPermission, "нет прав на порт: /dev/ttyS8: Permission denied",
       "группу dialout: sudo usermod -aG dialout $USER, затем войдите в систему заново"},
      {K::peNotASerialLine, "это не последовательный порт: /dev/ttyS8: not a serial line", "последовательный порт"},
      {K::peUnsupportedSetting, "порт не принимает настройки: /dev/ttyS8: speed 12345 refused", "скорость"},
      {K::peIO, "ошибка ввода-вывода: /dev/ttyS8: Input/output error", "откройте порт снова"},
  };
  for (const auto &c : cases) {
    const std::string text = std::string(c.result).substr(std::string(c.result).rfind(": ") + 2);
    FailureRow row = PortOpenFailure("COM9", "/dev/ttyS8", {c.kind, text});
    EXPECT_EQ(row.message, "Порт COM9не открывается!");  // the message itself is unchanged
    EXPECT_EQ(row.result, c.result);
    EXPECT_NE(row.advice.find(c.adviceHas), std::string::npos) << row.advice;
    EXPECT_EQ(row.advice.find("dialout") != std::string::npos, c.kind == K::peNoPermission) << row.advice;
  }
  EXPECT_EQ(PortProblemText("/dev/ttyUSB0", {K::peBusy, "in use by another program"}),
            "порт занят другой программой: /dev/ttyUSB0: in use by another program\n"
            "Что делать: закройте программу, которая держит порт, или выберите другой порт");
  EXPECT_EQ(PortProblemText("/dev/ttyUSB0", {}), "");
}

TEST(ShellLogic, WriteAndSimulatorFailuresNameWhatFailed) {
  FailureRow write = PortWriteFailure("/dev/ttyUSB0", {port::TPortErrorKind::peIO, "write timed out (wrote 3 of 10 bytes)"});
  EXPECT_EQ(write.message, "Порт /dev/ttyUSB0: данные не записаны");
  EXPECT_EQ(write.result, "ошибка ввода-вывода: write timed out (wrote 3 of 10 bytes)");
  EXPECT_FALSE(write.advice.empty());
  FailureRow sim = SimulatorFailure("posix_openpt: Too many open files");
  EXPECT_EQ(sim.message, "Имитатор модема не запускается");
  EXPECT_EQ(sim.result, "posix_openpt: Too many open files");
}
