#pragma once
// What the configuration page shows and takes, free of Qt: the field ranges,
// the values between the form and the six modules, the route text.
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/zt_config.h"

namespace config_tab {

struct Range {
  int min, max;
};

inline constexpr Range kNetAddress{1, 254};
inline constexpr Range kNetId{1, 254};
inline constexpr Range kNodeId{1, 254};
inline constexpr Range kByteTimeout{1, 255};
inline constexpr Range kPacketTimeout{100, 32767};
inline constexpr Range kPtpTimeout{40, 1000};
inline constexpr Range kPingPeriod{1000, 32000};
inline constexpr Range kRetries{1, 10};
inline constexpr int kNodeNameMaxLength = 42;

// A value put into a number field: the nearest bound when outside.
int Clamp(long long value, Range r);
// Text typed into a number field and left: a whole number is clamped; text
// that is no number becomes the minimum.
int ValueFromText(const std::string &text, Range r);

// The form's values: the module values exactly as the configuration holds
// them, even where they lie outside a field's typing range or a list.
struct Form {
  int netAddress = 1;
  int baudRateIndex = 0;
  int dataFormat = 0;
  int netId = 1;
  int nodeId = 1;
  int byteTimeout = 10;
  int packetTimeout = 300;
  std::string nodeName;
  std::string route = "1-2";
  int ptpTimeout = 100;
  int pingPeriod = 1000;
  int retries = 3;
  bool ptpEnabled = false;
};

Form ShowConfig(config::IZTConfig &config);

// The fields of the form, in the documented order of writing.
enum class Field {
  NetAddress, BaudRate, DataFormat, NetId, NodeId, ByteTimeout, PacketTimeout, NodeName, PtpEnabled, PtpTimeout,
  PingPeriod, Retries, Route
};
inline constexpr int kFieldCount = 13;
std::vector<Field> ChangedFields(const Form &shown, const Form &now);

// Puts the fields of `now` into the configuration, in the documented order:
// only those that differ from `shown` (what the page showed after the last
// read), so an untouched value goes back byte for byte; every field when
// `shown` is none.
void WriteForm(config::IZTConfig &config, const Form &now, const Form *shown = nullptr);

// Why the form is not written at all, or none: a changed PTP route that is
// no node list of 2..29 nodes (a part that is no node number is named, never
// left out, so a shorter route than typed never reaches the modem).
std::optional<std::string> WriteRefusal(const Form &now, const Form *shown);

// The form as vovorctl's configuration text: the configuration on show with
// the form's changes put in, as "Записать" would send it. Empty with the
// reason in *refusal when the form could not be written either.
std::string FormText(const config::IZTConfig &current, const Form &now, const Form *shown, std::string *refusal);
// A configuration text loaded over `base` (none: a new configuration):
// settings the text does not name keep base's values, and base itself is
// never changed. None with the reason in *why.
std::shared_ptr<config::IZTConfig> LoadedConfig(const config::IZTConfig *base, const std::string &text,
                                                std::string *why);
// What the page says after saving or loading.
std::string SavedText(const std::string &file);
std::string SaveFailedText(const std::string &file, const std::string &why);
std::string LoadedText(const std::string &file);
std::string LoadFailedText(const std::string &file, const std::string &why);
// The largest configuration text taken; a real one is about 400 bytes.
inline constexpr size_t kMaxConfigTextBytes = 1 << 20;

// The line above the page's buttons when a read or a write did not succeed.
std::string ReadFailedText(const std::string &why);
std::string WriteEndedEarlyText(const std::string &why);
inline constexpr char kNothingToWrite[] =
    "Записывать нечего: конфигурации нет. Нажмите «Новая» или «Прочитать».";

}  // namespace config_tab
