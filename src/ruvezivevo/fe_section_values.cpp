// Typed access to the parameters of a section by index.
#include <bit>

#include "ruvezivevo/fe_parameter.h"
#include "ruvezivevo/fe_section.h"
#include "util/little_endian.h"

namespace ruvezivevo {

namespace {

constexpr uint8_t kWidth1 = 1;

std::string_view BytesOf(const uint8_t *data, size_t size) { return {reinterpret_cast<const char *>(data), size}; }

template <typename T, typename Read>
bool TryRead(const TFEParameter *param, uint32_t minSize, T &value, Read read) {
  if (!param || param->GetValueSize() < minSize) return false;
  value = read(*param);
  return true;
}

template <typename T>
T Or(bool found, const T &value, const T &def) {
  return found ? value : def;
}

}  // namespace

bool TFESection::SetByteB(uint8_t index, uint8_t value) { return SetByte(index, value); }
bool TFESection::SetByteA(uint8_t index, uint8_t value) { return SetByte(index, value); }
bool TFESection::SetByte(uint8_t index, uint8_t value) {
  ParamAt(index, true, kFECodeByte)->SetByte(value);
  return true;
}
bool TFESection::SetWord(uint8_t index, uint16_t value) {
  ParamAt(index, true, kFECodeWord)->SetWord(value);
  return true;
}
bool TFESection::SetLongB(uint8_t index, uint32_t value) { return SetLong(index, value); }
bool TFESection::SetLong(uint8_t index, uint32_t value) {
  ParamAt(index, true, kFECodeLong)->SetLong(value);
  return true;
}
bool TFESection::SetString(uint8_t index, std::string_view value) {
  ParamAt(index, true, kFECodeBytes8)->SetString(value);
  return true;
}
bool TFESection::SetWideString(uint8_t index, std::u16string_view value) {
  ParamAt(index, true, kFECodeWords8)->SetWideString(value);
  return true;
}
bool TFESection::SetArray(uint8_t index, std::string_view data, uint16_t count, uint8_t widthCode) {
  ParamAt(index, true, kFECodeBytes8)->SetArray(data, count, widthCode);
  return true;
}

// Floating-point and 64-bit values go in as 8-bit arrays of their bytes.
bool TFESection::SetInt64(uint8_t index, int64_t value) {
  return SetArray(index, util::LeBytes(std::bit_cast<uint64_t>(value), 8), 8, kWidth1);
}
bool TFESection::SetSingle(uint8_t index, float value) {
  return SetArray(index, util::LeBytes(std::bit_cast<uint32_t>(value), 4), 4, kWidth1);
}
bool TFESection::SetDouble(uint8_t index, double value) { return SetInt64(index, std::bit_cast<int64_t>(value)); }
bool TFESection::SetExtended(uint8_t index, const TExtended &value) {
  return SetArray(index, BytesOf(value.Bytes.data(), value.Bytes.size()), static_cast<uint16_t>(value.Bytes.size()), kWidth1);
}

bool TFESection::TryGetByteB(uint8_t index, uint8_t &value) const { return TryGetByte(index, value); }
bool TFESection::TryGetByteA(uint8_t index, uint8_t &value) const { return TryGetByte(index, value); }
bool TFESection::TryGetByte(uint8_t index, uint8_t &value) const {
  return TryRead(FindParam(index), 1, value, [](const TFEParameter &p) { return p.AsByte(); });
}
bool TFESection::TryGetWord(uint8_t index, uint16_t &value) const {
  return TryRead(FindParam(index), 2, value, [](const TFEParameter &p) { return p.AsWord(); });
}
bool TFESection::TryGetLong(uint8_t index, uint32_t &value) const {
  return TryRead(FindParam(index), 4, value, [](const TFEParameter &p) { return p.AsLong(); });
}
bool TFESection::TryGetLongB(uint8_t index, uint32_t &value) const { return TryGetLong(index, value); }
bool TFESection::TryGetInt64(uint8_t index, int64_t &value) const {
  return TryRead(FindParam(index), 8, value, [](const TFEParameter &p) { return p.AsInt64(); });
}
bool TFESection::TryGetString(uint8_t index, std::string &value) const {
  value.clear();
  return TryRead(FindParam(index), 0, value, [](const TFEParameter &p) { return p.AsString(); });
}
bool TFESection::TryGetWideString(uint8_t index, std::u16string &value) const {
  value.clear();
  return TryRead(FindParam(index), 0, value, [](const TFEParameter &p) { return p.AsWideString(); });
}
bool TFESection::TryGetSingle(uint8_t index, float &value) const {
  return TryRead(FindParam(index), 4, value, [](const TFEParameter &p) { return p.AsSingle(); });
}
bool TFESection::TryGetDouble(uint8_t index, double &value) const {
  return TryRead(FindParam(index), 8, value, [](const TFEParameter &p) { return p.AsDouble(); });
}
bool TFESection::TryGetExtended(uint8_t index, TExtended &value) const {
  return TryRead(FindParam(index), 10, value, [](const TFEParameter &p) { return p.AsExtended(); });
}

uint8_t TFESection::GetByteBDef(uint8_t index, uint8_t def) const { return GetByteDef(index, def); }
uint8_t TFESection::GetByteADef(uint8_t index, uint8_t def) const { return GetByteDef(index, def); }
uint8_t TFESection::GetByteDef(uint8_t index, uint8_t def) const {
  uint8_t v = 0;
  return Or(TryGetByte(index, v), v, def);
}
uint16_t TFESection::GetWordDef(uint8_t index, uint16_t def) const {
  uint16_t v = 0;
  return Or(TryGetWord(index, v), v, def);
}
uint32_t TFESection::GetLongDef(uint8_t index, uint32_t def) const {
  uint32_t v = 0;
  return Or(TryGetLong(index, v), v, def);
}
uint32_t TFESection::GetLongBDef(uint8_t index, uint32_t def) const { return GetLongDef(index, def); }
int64_t TFESection::GetInt64Def(uint8_t index, int64_t def) const {
  int64_t v = 0;
  return Or(TryGetInt64(index, v), v, def);
}
std::string TFESection::GetStringDef(uint8_t index, std::string_view def) const {
  std::string v;
  return TryGetString(index, v) ? v : std::string(def);
}
std::u16string TFESection::GetWideStringDef(uint8_t index, std::u16string_view def) const {
  std::u16string v;
  return TryGetWideString(index, v) ? v : std::u16string(def);
}
float TFESection::GetSingleDef(uint8_t index, float def) const {
  float v = 0;
  return Or(TryGetSingle(index, v), v, def);
}
double TFESection::GetDoubleDef(uint8_t index, double def) const {
  double v = 0;
  return Or(TryGetDouble(index, v), v, def);
}
TExtended TFESection::GetExtendedDef(uint8_t index, const TExtended &def) const {
  TExtended v;
  return Or(TryGetExtended(index, v), v, def);
}

uint16_t TFESection::GetParamSize(uint8_t index) const {
  const TFEParameter *p = FindParam(index);
  return p ? p->GetSize() : 0;
}
bool TFESection::IsParamArray(uint8_t index) const {
  const TFEParameter *p = FindParam(index);
  return p && p->IsArray();
}
uint16_t TFESection::GetParamCount(uint8_t index) const {
  const TFEParameter *p = FindParam(index);
  return p && p->IsArray() ? p->GetCount() : 0;
}
bool TFESection::GetParamData(uint8_t index, std::string &dest) const {
  const TFEParameter *p = FindParam(index);
  if (!p) return false;
  p->GetData(dest);
  return true;
}

}  // namespace ruvezivevo
