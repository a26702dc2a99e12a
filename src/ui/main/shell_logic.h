#pragma once
// Texts and numbers of the main window's shell, free of Qt.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "port/port_error.h"
#include "port/port_settings.h"

namespace shell {

// The entry of the port list that starts the built-in simulated modem.
inline constexpr char kSimulatedModemCaption[] = "Имитатор модема";

// "Порт настроен: COM1, 19200, 8N1"
std::string PortReadyMessage(const port::TPortSettings &settings);
// "Порт COM9не открывается!" (the name and the next word run together)
std::string PortFailedMessage(const std::string &portText);
// "Порт COM9 отключён": the line went away under an open port (an adapter
// pulled out); the next operations fail until the port is opened again.
std::string PortLostMessage(const std::string &portText);
// "Порт COM9 снова подключён": the lost line's device came back and the port
// took it again by itself.
std::string PortBackMessage(const std::string &portText);

// An operation asked for while the port is closed: refused at once, not
// sent to wait for an answer that cannot come.
std::string PortNotOpenMessage(const std::string &portText);
// The same refusal while the line is lost and its device awaited.
std::string PortLostRefusedMessage(const std::string &portText);
// The port's state as "Наст" shows it: open with its settings, closed, or
// lost and waiting for its device to come back.
enum class TPortState { psClosed, psOpen, psLost };
std::string PortStateText(TPortState state, const port::TPortSettings &settings, const std::string &portText);

// A port failure as one row of the log: the message, the result column (the
// kind of failure in words with the system's text) and, in the detail,
// what the user can do about it.
struct FailureRow {
  std::string message;
  std::string result;
  std::string advice;
};
// "Порт COM9не открывается!" with why; `device` is the path that was opened.
FailureRow PortOpenFailure(const std::string &portText, const std::string &device, const port::TPortError &error);
// The same under the port's state on "Наст", where it is not cut short:
// why, then "Что делать: " and the remedy; empty when nothing failed.
std::string PortProblemText(const std::string &device, const port::TPortError &error);
// Bytes that did not reach the line whole (an error, or the line stalled).
FailureRow PortWriteFailure(const std::string &portText, const port::TPortError &error);
// The simulated modem could not be started (no pseudo-terminal to be had).
FailureRow SimulatorFailure(const std::string &why);
// The kind of a port failure in the window's words ("нет прав на порт").
std::string PortErrorKindText(port::TPortErrorKind kind);

// The port of a first start (no settings file): the only USB serial
// adapter present, else the simulated modem; and the log line that says
// which. A motherboard port is never taken on a guess.
struct PortCandidate {
  std::string path;
  bool usb = false;
};
struct FirstStartChoice {
  std::string portText;
  std::string message;
};
FirstStartChoice FirstStartPort(const std::vector<PortCandidate> &ports);

// Parity chosen by the data-format list: 1 Even, 2 Odd, anything else None.
port::TParitys ParityForDataFormat(int index);

// The remote-node address field sets only the low byte of the node's address.
inline uint8_t DeviceIdFromRemoteAddress(int value) { return static_cast<uint8_t>(value & 0xFF); }

// The caption of an operation's log action: the time of day, two blanks, the text.
std::string ActionCaption(const std::string &timeOfDay, const std::string &text);
// The attempt notes: "RC:%d" on a repeat, "RC:%d/%d" while waiting.
std::string RepeatNote(int tryNumber);
std::string WaitNote(int transaction, int transactionCount);

// The speeds of the speed list, in list order.
const std::vector<int> &PortSpeeds();

// Settings values: integers in decimal; numbers as general decimal text of
// up to 15 significant digits with the given decimal separator (255, 2.5).
std::string FormatSettingNumber(double value, char decimalSeparator);
std::optional<long long> ParseSettingInteger(const std::string &text);
std::optional<double> ParseSettingNumber(const std::string &text, char decimalSeparator);

// The settings file's keys of the window and its pages, in the order they
// are written; the window's placement follows them, then keys of our own.
const std::vector<std::string> &DocumentedSettingKeys();

// The order keys registered in any order are written in: `documented` holds
// the positions (into `keys`) of the documented ones in their documented
// order, `own` the others in the order they were registered.
struct SettingsOrder {
  std::vector<size_t> documented;
  std::vector<size_t> own;
};
SettingsOrder OrderSettings(const std::vector<std::string> &keys);

}  // namespace shell
