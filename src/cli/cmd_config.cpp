// config: show, export, import and set the node's configuration.
#include "cli/command_registry.h"
#include "modem/config_text.h"
#include "cli/session.h"
#include "modem/ziz2400.h"
#include "ruvezivevo/fe_root_section.h"
#include "util/file_read.h"
#include "util/file_write.h"

namespace cli {

namespace {

using modem::ApplySetting;
using modem::ConfigSettings;
using modem::ExportConfigText;
using modem::FirstUnnamedSetting;
using modem::ImportConfigText;

constexpr char kSynopsis[] =
    "config show | config export FILE [--raw] | config import FILE [--raw] [--verify] | "
    "config set NAME=VALUE... [--verify]";

// Far more than any configuration text or image; a file beyond it is no
// configuration (or /dev/zero) and is refused unread.
constexpr size_t kMaxImportBytes = 1 << 20;

// Pulls the flags it knows out of args; false on an unknown one.
bool TakeFlags(std::vector<std::string> &args, bool *raw, bool *verify, std::string *unknown) {
  std::vector<std::string> rest;
  for (const auto &a : args) {
    if (raw && a == "--raw") *raw = true;
    else if (verify && a == "--verify") *verify = true;
    else if (a.rfind("--", 0) == 0) {
      *unknown = a;
      return false;
    } else rest.push_back(a);
  }
  args = rest;
  return true;
}

// With verify, reads the image back and compares it with what was written.
int Verified(Session &s, const std::string &image, bool verify) {
  auto &node = s.Node();
  s.Field("written", std::to_string(image.size()) + " bytes");
  if (!verify) return 0;
  std::string back;
  if (!node.ReadConfigImage(back)) return s.Fail();
  if (back != image) {
    size_t at = 0;
    while (at < back.size() && at < image.size() && back[at] == image[at]) ++at;
    s.Err() << "error: verify failed: the configuration read back (" << back.size()
            << " bytes) differs from the one written (" << image.size() << " bytes) from byte " << at << "\n";
    return 1;
  }
  s.Field("verified", std::to_string(back.size()) + " bytes");
  return 0;
}

// A write that changed the modem's image and did not finish leaves a mix of
// old and new settings; say so, and how to mend it.
int FailedWrite(Session &s) {
  const int status = s.Fail();
  if (s.Node().ConfigWriteIncomplete())
    s.Err() << "error: the modem's configuration is incomplete: the write stopped part way and the modem now "
               "holds a mix of old and new settings; write the whole configuration again (vovorctl config "
               "import FILE) to repair it\n";
  return status;
}

int WriteImage(Session &s, const std::string &image, bool verify) {
  if (image.empty() || image.size() > 0xFFFF) return s.Fail({10, "the image must hold 1 to 65535 bytes"});
  // Bytes that are no whole image would leave the modem a damaged configuration.
  ruvezivevo::TFELoadReport report;
  ruvezivevo::LoadRootSection(image, report);
  if (!report.Whole()) return s.Fail({10, "the file is no configuration image: " + report.Describe()});
  if (!s.Node().WriteConfigImage(image, static_cast<uint16_t>(image.size()))) return FailedWrite(s);
  return Verified(s, image, verify);
}

int WriteConfiguration(Session &s, const std::shared_ptr<config::IZTConfig> &config, bool verify) {
  if (!s.Node().WriteConfig(config)) return FailedWrite(s);
  return Verified(s, config->SaveToString(), verify);
}

int Show(Session &s) {
  std::shared_ptr<config::IZTConfig> config;
  if (!s.Node().ReadConfig(config)) return s.Fail();
  for (const auto &setting : ConfigSettings()) s.Field(setting.name, setting.get(*config));
  return 0;
}

int Export(Session &s, std::vector<std::string> args) {
  bool raw = false;
  std::string unknown;
  if (!TakeFlags(args, &raw, nullptr, &unknown)) return s.UsageError("config export: unknown option " + unknown);
  if (args.size() != 1) return s.UsageError("config export takes one file name");
  std::string bytes;
  bool damaged = false;
  if (raw) {
    // The bytes are exported as the modem holds them, damaged or not: they
    // are what a repair starts from; the damage is still reported.
    if (!s.Node().ReadConfigImage(bytes)) return s.Fail();
    ruvezivevo::TFELoadReport report;
    ruvezivevo::LoadRootSection(bytes, report);
    if (!report.Whole()) {
      s.Err() << "warning: " << modem::DamagedImageResult(report).Msg << "\n";
      damaged = true;
    }
  } else {
    std::shared_ptr<config::IZTConfig> config;
    if (!s.Node().ReadConfig(config)) return s.Fail();
    bytes = ExportConfigText(*config);
  }
  std::string error;
  if (!util::WriteFileAtomically(args[0], bytes, &error)) return s.Fail({1, error});
  s.Field("exported", args[0]);
  return damaged ? 1 : 0;
}

int Import(Session &s, std::vector<std::string> args) {
  bool raw = false, verify = false;
  std::string unknown;
  if (!TakeFlags(args, &raw, &verify, &unknown)) return s.UsageError("config import: unknown option " + unknown);
  if (args.size() != 1) return s.UsageError("config import takes one file name");
  std::string bytes, error;
  if (!util::ReadRegularFile(args[0], kMaxImportBytes, &bytes, &error)) return s.Fail({1, error});
  if (raw) return WriteImage(s, bytes, verify);
  // Settings the file does not name keep the node's values. A damaged image
  // has none to keep, so then only a file naming every setting is written.
  std::shared_ptr<config::IZTConfig> config;
  ruvezivevo::TFELoadReport report;
  if (!s.Node().ReadConfig(config, report)) return s.Fail();
  if (!ImportConfigText(*config, bytes, &error)) return s.UsageError(args[0] + ": " + error);
  if (!report.Whole()) {
    const std::string missing = FirstUnnamedSetting(bytes);
    if (!missing.empty())
      return s.Fail({modem::DamagedImageResult(report).Code,
                     modem::DamagedImageResult(report).Msg + "; the file does not name " + missing +
                         ": import a file naming every setting (as config export writes it) or an image with --raw"});
    s.Err() << "warning: " << report.Describe() << "; every setting is taken from " << args[0] << "\n";
  }
  return WriteConfiguration(s, config, verify);
}

int Set(Session &s, std::vector<std::string> args) {
  bool verify = false;
  std::string unknown;
  if (!TakeFlags(args, nullptr, &verify, &unknown)) return s.UsageError("config set: unknown option " + unknown);
  if (args.empty()) return s.UsageError("config set takes one or more NAME=VALUE");
  // Every assignment is checked before anything is read or written.
  auto probe = config::CreateConfig(nullptr);
  std::string error;
  for (const auto &a : args)
    if (!ApplySetting(*probe, a, &error)) return s.UsageError("config set: " + error);
  std::shared_ptr<config::IZTConfig> config;
  if (!s.Node().ReadConfig(config)) return s.Fail();
  for (const auto &a : args) ApplySetting(*config, a, &error);
  return WriteConfiguration(s, config, verify);
}

int RunConfig(Session &s, const std::vector<std::string> &args) {
  if (args.empty()) return s.UsageError(std::string("usage: ") + kSynopsis);
  const std::string &what = args[0];
  std::vector<std::string> rest(args.begin() + 1, args.end());
  if (what == "show") return rest.empty() ? Show(s) : s.UsageError("config show takes no arguments");
  if (what == "export") return Export(s, rest);
  if (what == "import") return Import(s, rest);
  if (what == "set") return Set(s, rest);
  return s.UsageError("config: unknown action \"" + what + "\"; " + kSynopsis);
}

const CommandRegistration configCommand{
    {"config", kSynopsis,
     "read the node's configuration and show, export (as name=value text, or --raw image bytes), import or "
     "change it; --verify reads the image back after writing",
     RunConfig}};

}  // namespace
}  // namespace cli
