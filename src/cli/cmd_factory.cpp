// factory: the crystal calibration of the "Factory" page for production
// lines. calc prints the page's figures; measure, write and read do its
// three buttons.
#include <cmath>
#include <cstdlib>
#include <map>
#include <set>

#include "cli/cli_options.h"
#include "cli/command_registry.h"
#include "cli/session.h"
#include "modem/crystal_calibration.h"
#include "util/markup_text.h"
#include "util/format.h"

namespace cli {

namespace {

using namespace modem::crystal_calibration;

// "--name value" pairs and bare flags; false on anything else.
bool Options(const std::vector<std::string> &args, const std::set<std::string> &valued,
             const std::set<std::string> &flags, std::map<std::string, std::string> *out, std::string *error) {
  for (size_t i = 1; i < args.size(); ++i) {
    const std::string &a = args[i];
    if (flags.count(a)) {
      (*out)[a] = "";
    } else if (valued.count(a) && i + 1 < args.size()) {
      (*out)[a] = args[++i];
    } else {
      *error = valued.count(a) ? a + " needs a value" : "unknown argument " + a;
      return false;
    }
  }
  return true;
}

bool ParseReal(const std::string &text, double min, double max, double *value) {
  if (text.empty() || text.front() == ' ' || text.front() == '+') return false;
  char *end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (end != text.c_str() + text.size() || !std::isfinite(v) || v < min || v > max) return false;
  *value = v;
  return true;
}

// The calculation inputs from the options; an error text when one is missing or wrong.
std::string ReadInputs(const std::map<std::string, std::string> &o, bool needAverage, Inputs *in) {
  for (const char *key : {"--crystal", "--divisor", "--measured", "--room-temp"})
    if (!o.count(key)) return std::string(key) + " is missing";
  if (needAverage && !o.count("--avg-temp"))
    return "--avg-temp is missing: give the average that `factory measure` printed";
  double mhz = 0;
  if (!ParseReal(o.at("--crystal"), 0, 100, &mhz)) return "--crystal takes 26.48 or 26.208";
  in->crystal = -1;
  for (int k = 0; k < kCrystalCount; ++k)
    if (std::fabs(CrystalHz(k) / 1e6 - mhz) < 1e-9) in->crystal = k;
  if (in->crystal < 0) return "--crystal takes 26.48 or 26.208";
  const auto divisor = DivisorIndex(o.at("--divisor"));
  if (!divisor) return "--divisor takes XOSC/1, XOSC/1.5, XOSC/2 ... XOSC/192";
  in->divisor = *divisor;
  if (!ParseReal(o.at("--measured"), kMeasuredMin, kMeasuredMax, &in->measuredHz))
    return "--measured takes a frequency in Hz, 100000 to 40000000";
  long v = 0;
  if (!ParseNumber(o.at("--room-temp"), kRoomTempMin, kRoomTempMax, &v)) return "--room-temp takes -60 to 200";
  in->roomTemp = static_cast<int>(v);
  in->averageTemp = 0;
  if (o.count("--avg-temp")) {
    if (!ParseNumber(o.at("--avg-temp"), -32768, 32767, &v)) return "--avg-temp takes a whole number of degrees";
    in->averageTemp = static_cast<int>(v);
  }
  return {};
}

void PrintFigures(Session &s, const Inputs &in, const Calibration &c) {
  s.Out() << BaseFrequencyText(in) << "\n" << util::markup::ToPlainText(MeasuresMarkup(c.Current()))
          << ToWriteText(c.Multiplier(), c.TempOffset()) << "\n";
}

Calibration Calculated(const Inputs &in) {
  Calibration c;
  c.SetAverageTemperature(in.averageTemp);
  c.Recalculate(in);
  return c;
}

const std::set<std::string> kCalcOptions = {"--crystal", "--divisor", "--measured", "--room-temp", "--avg-temp"};

int Calc(Session &s, const std::vector<std::string> &args) {
  std::map<std::string, std::string> o;
  std::string error;
  Inputs in;
  if (!Options(args, kCalcOptions, {}, &o, &error) || !(error = ReadInputs(o, false, &in)).empty())
    return s.UsageError("factory calc: " + error);
  const Calibration c = Calculated(in);
  PrintFigures(s, in, c);
  if (const std::string refusal = c.WriteRefusal(); !refusal.empty()) {
    s.Err() << refusal << "\n";
    return 1;
  }
  return 0;
}

int Measure(Session &s, const std::vector<std::string> &args) {
  std::map<std::string, std::string> o;
  std::string error;
  if (!Options(args, {"--divisor"}, {}, &o, &error)) return s.UsageError("factory measure: " + error);
  int divisor = 0;
  if (o.count("--divisor")) {
    const auto d = DivisorIndex(o.at("--divisor"));
    if (!d) return s.UsageError("factory measure: --divisor takes XOSC/1, XOSC/1.5, XOSC/2 ... XOSC/192");
    divisor = *d;
  }
  const Measurement m = StartMeasurement(s.Node(), nullptr, divisor);
  if (!m.average) return s.Fail();
  s.Field("average temperature", std::to_string(*m.average));
  if (!m.clockOutput) return s.Fail();
  s.Field("GDO2", DivisorName(divisor));
  return 0;
}

int Read(Session &s, const std::vector<std::string> &args) {
  if (args.size() != 1) return s.UsageError("factory read takes no arguments");
  bool flag = false;
  const auto words = ReadWords(s.Node(), flag);
  if (!words) return s.Fail();
  s.Out() << ToWriteText(words->multiplier, words->tempOffset) << "\n";
  s.Field("record", flag ? "valid" : "not valid (its check word does not match)");
  return 0;
}

int Write(Session &s, const std::vector<std::string> &args) {
  std::map<std::string, std::string> o;
  std::string error;
  std::set<std::string> valued = kCalcOptions;
  valued.insert({"--multiplier", "--temp-offset"});
  if (!Options(args, valued, {"--verify"}, &o, &error)) return s.UsageError("factory write: " + error);
  ProductionWords words;
  if (o.count("--multiplier") || o.count("--temp-offset")) {
    long m = 0, t = 0;
    if (!o.count("--multiplier") || !o.count("--temp-offset") || !ParseNumber(o.at("--multiplier"), 0, 0xFFFF, &m) ||
        !ParseNumber(o.at("--temp-offset"), 0, 0xFFFF, &t))
      return s.UsageError("factory write: --multiplier and --temp-offset go together, each 0 to 65535");
    words = {static_cast<uint16_t>(m), static_cast<uint16_t>(t)};
  } else {
    Inputs in;
    if (!(error = ReadInputs(o, true, &in)).empty()) return s.UsageError("factory write: " + error);
    const Calibration c = Calculated(in);
    if (const std::string refusal = c.WriteRefusal(); !refusal.empty()) {
      s.Err() << refusal << "\n";
      return 1;
    }
    words = {c.Multiplier(), c.TempOffset()};
  }
  auto &node = s.Node();
  if (!WriteWords(node, words)) return s.Fail();
  s.Out() << ToWriteText(words.multiplier, words.tempOffset) << "\n";
  if (!o.count("--verify")) return 0;
  bool flag = false;
  const auto back = ReadWords(node, flag);
  if (!back) return s.Fail();
  if (!flag || back->multiplier != words.multiplier || back->tempOffset != words.tempOffset) {
    s.Err() << "read back: " << ToWriteText(back->multiplier, back->tempOffset)
            << (flag ? "" : ", record not valid") << ": the record differs from what was written\n";
    return 1;
  }
  s.Field("verified", "the record reads back as written");
  return 0;
}

int RunFactory(Session &s, const std::vector<std::string> &args) {
  const std::string sub = args.empty() ? "" : args[0];
  if (sub == "calc") return Calc(s, args);
  if (sub == "measure") return Measure(s, args);
  if (sub == "write") return Write(s, args);
  if (sub == "read") return Read(s, args);
  return s.UsageError("factory takes calc, measure, write or read");
}

const CommandRegistration factory{
    {"factory",
     "factory calc|write --crystal 26.48|26.208 --divisor XOSC/N --measured HZ --room-temp C [--avg-temp C] "
     "[--verify] | write --multiplier N --temp-offset N [--verify] | measure [--divisor XOSC/N] | read",
     "crystal calibration: the figures, the measurement start (ten temperature reads, clock out on GDO2), "
     "the production record written (write needs the average temperature) and read back",
     RunFactory}};

}  // namespace
}  // namespace cli
