#include "analysis/variants.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <iterator>

#include "analysis/toml_input.h"

namespace gemi::analysis {

namespace {

[[noreturn]] void refuse(const std::string& message) { throw VariantOptionError(message); }

std::string_view trimmed(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool isAnswer(std::string_view name) {
  return name == kBladesName || name == kAreaRatioName || name == kEfficiencyName;
}

std::optional<double> readDouble(std::string_view text) {
  text = trimmed(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size() || !std::isfinite(v))
    return std::nullopt;
  return v;
}

std::vector<std::string_view> splitAt(std::string_view text, char sep) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t at = text.find(sep, start);
    parts.push_back(trimmed(text.substr(start, at == std::string_view::npos ? std::string_view::npos : at - start)));
    if (at == std::string_view::npos) return parts;
    start = at + 1;
  }
}

std::string unknownName(std::string_view name) {
  std::vector<std::string_view> names;
  for (const ValueInfo& i : valueTable()) names.push_back(i.name);
  names.insert(names.end(), {kBladesName, kAreaRatioName, kEfficiencyName});
  std::string msg = "bilinmeyen ad '" + std::string(name) + "'";
  const auto near = closestNames(name, names);
  if (!near.empty()) {
    msg += "; bunu mu demek istediniz: ";
    for (std::size_t k = 0; k < near.size(); ++k) msg += (k ? ", " : "") + std::string(near[k]);
    msg += "?";
  }
  return msg + "\nKullanilabilen adlar: " + nameList();
}

// The kind an axis value must have: input value by its table entry, or an answer.
struct AxisKind {
  bool integer = false;
  float lower = 0, upper = 0;  // answers only: lower < v <= upper (Z: lower <= v <= upper)
};

AxisKind kindOf(std::string_view name) {
  if (name == kBladesName) return {true, 2, 7};
  if (name == kAreaRatioName) return {false, 0, 2};
  if (name == kEfficiencyName) return {false, 0, 1};
  const ValueInfo* info = findValue(name);
  if (!info) refuse(unknownName(name));
  if (info->kind == ValueKind::RealList)
    refuse(std::string(name) + " bir listedir, taranamaz; tek bir liste --set " + std::string(name) +
           "=15,17,19 ile verilir");
  return {info->kind == ValueKind::Integer, 0, 0};
}

// One value of an axis as text and number, checked against the name's kind.
void addValue(SweepAxis& axis, const AxisKind& kind, float value, std::string text) {
  const std::string what = axis.name + " icin ";
  if (axis.name == kBladesName && !(value >= kind.lower && value <= kind.upper))
    refuse(what + "2 ile 7 arasinda bir kanat sayisi gerekir: " + text);
  if (axis.name == kAreaRatioName && !(value > kind.lower && value <= kind.upper))
    refuse(what + "0 ile 2 arasinda bir sayi gerekir: " + text);
  // The dialogue takes an efficiency above 0 and below 1 only.
  if (axis.name == kEfficiencyName && !(value > kind.lower && value < kind.upper))
    refuse(what + "0 ile 1 arasinda (ikisi de haric) bir sayi gerekir: " + text);
  if (!isAnswer(axis.name)) {
    ShipValues probe;  // the kind of the value as setValue takes it
    try {
      setValue(probe, axis.name, text);
    } catch (const ShipInputError& e) {
      refuse(e.what());
    }
  }
  axis.texts.push_back(std::move(text));
  axis.values.push_back(value);
}

}  // namespace

std::string nameList() {
  std::string out;
  bool appendages = false;
  for (const ValueInfo& i : valueTable()) {
    if (i.appendage > 0 && appendages) continue;
    out += out.empty() ? "" : ", ";
    if (i.appendage > 0) {
      appendages = true;
      out += "AREA1 .. AREA11, FF2_1 .. FF2_11";
    } else {
      out += i.name;
    }
  }
  return out + "; cevaplar: Z, EAR, etad (--z, --ear, --etad)";
}

std::vector<double> rangeValues(std::string_view text, std::string_view name) {
  const std::string what = std::string(name) + "=" + std::string(text);
  const auto parts = splitAt(text, ':');
  if (parts.size() != 3) refuse(what + ": BASLA:BITIS:ADIM bekleniyor (ornek B=30:34:0.5)");
  const auto start = readDouble(parts[0]), stop = readDouble(parts[1]), step = readDouble(parts[2]);
  if (!start || !stop || !step) refuse(what + ": uc sayi bekleniyor (ondalik ayrac nokta, ornek B=30:34:0.5)");
  if (*step == 0) refuse(what + ": adim 0 olamaz");
  const double steps = (*stop - *start) / *step;  // negative when the step runs away from the stop
  if (steps < -0.5) refuse(what + ": aralikta deger yok (adim bitise dogru olmali)");
  if (steps + 1 > static_cast<double>(kMaxVariants))
    refuse(what + ": " + std::to_string(kMaxVariants) + " degerden fazla");
  const auto count = static_cast<std::size_t>(std::floor(steps + 0.5)) + 1;
  std::vector<double> values;
  for (std::size_t k = 0; k < count; ++k) values.push_back(*start + static_cast<double>(k) * *step);
  return values;
}

SweepAxis parseAxis(std::string_view name, std::string_view text) {
  name = trimmed(name);
  text = trimmed(text);
  SweepAxis axis{std::string(name), {}, {}};
  const AxisKind kind = kindOf(name);
  if (text.empty()) refuse(axis.name + " icin deger verilmedi (ornek " + axis.name + "=30:34:0.5 veya 30,32,34)");
  if (text.find(':') != std::string_view::npos) {
    for (const double v : rangeValues(text, name)) {
      if (kind.integer) {
        const double r = std::round(v);
        if (std::fabs(v - r) > 1e-9 * std::max(1.0, std::fabs(v)) || std::fabs(r) > 1e9)
          refuse(axis.name + " tam sayidir; araliktaki " + std::to_string(v) + " tam sayi degil");
        addValue(axis, kind, static_cast<float>(r), std::to_string(static_cast<long>(r)));
      } else {
        const float f = static_cast<float>(v);
        addValue(axis, kind, f, formatReal(f));
      }
    }
  } else {
    for (const std::string_view word : splitAt(text, ',')) {
      if (kind.integer) {
        const auto i = readIntegerWord(word);
        if (!i) refuse(axis.name + " icin tam sayi (noktasiz) bekleniyor: '" + std::string(word) + "'");
        addValue(axis, kind, static_cast<float>(*i), std::to_string(*i));
      } else {
        const auto f = readRealWord(word);
        if (!f || !std::isfinite(*f))
          refuse(axis.name + " icin sayi bekleniyor (ondalik ayrac nokta): '" + std::string(word) + "'");
        addValue(axis, kind, *f, formatReal(*f));
      }
    }
  }
  return axis;
}

SweepAxis parseAxis(std::string_view assignment) {
  const std::size_t eq = assignment.find('=');
  if (eq == std::string_view::npos)
    refuse("AD=BASLA:BITIS:ADIM veya AD=a,b,c bekleniyor (ornek B=30:34:0.5), '" + std::string(assignment) +
           "' bulundu");
  return parseAxis(assignment.substr(0, eq), assignment.substr(eq + 1));
}

void checkSetting(std::string_view assignment) {
  const std::size_t eq = assignment.find('=');
  const std::string_view name = trimmed(assignment.substr(0, eq));
  if (eq != std::string_view::npos && isAnswer(name))
    refuse(std::string(name) + " bir girdi degeri degil, programin sorusunun cevabidir: --" +
           (name == kBladesName ? "z" : name == kAreaRatioName ? "ear" : "etad") + " ile verilir");
  if (eq != std::string_view::npos && name != "NV" && name != "NDF" && !findValue(name)) refuse(unknownName(name));
  ShipValues probe;
  try {
    setValue(probe, assignment);
  } catch (const ShipInputError& e) {
    refuse(e.what());
  }
}

VariantSet::VariantSet(std::vector<ShipValues> ships, std::vector<std::string> settings, std::vector<SweepAxis> axes,
                       Answers base)
    : ships_(std::move(ships)), axes_(std::move(axes)), base_(base) {
  for (ShipValues& ship : ships_)
    for (const std::string& s : settings) {
      try {
        setValue(ship, s);
      } catch (const ShipInputError& e) {
        refuse(e.what());
      }
    }
  double n = static_cast<double>(ships_.size());
  for (const SweepAxis& a : axes_) n *= static_cast<double>(a.values.size());
  if (n > static_cast<double>(kMaxVariants))
    refuse("varyant sayisi " + std::to_string(static_cast<long long>(n)) + ", en cok " +
           std::to_string(kMaxVariants) + " olabilir");
  size_ = static_cast<std::size_t>(n);
}

Variant VariantSet::at(std::size_t index) const {
  Variant v;
  v.index = index;
  v.answers = base_;
  v.axisValues.resize(axes_.size());
  std::vector<std::size_t> pick(axes_.size());
  std::size_t rest = index;
  for (std::size_t a = axes_.size(); a-- > 0;) {
    pick[a] = rest % axes_[a].values.size();
    rest /= axes_[a].values.size();
  }
  v.file = rest;
  ShipValues ship = ships_.at(v.file);
  for (std::size_t a = 0; a < axes_.size(); ++a) {
    const SweepAxis& axis = axes_[a];
    const float value = axis.values[pick[a]];
    v.axisValues[a] = value;
    if (axis.name == kBladesName)
      v.answers.Z = static_cast<int>(value);
    else if (axis.name == kAreaRatioName)
      v.answers.EAR = value;
    else if (axis.name == kEfficiencyName)
      v.answers.etad = value;
    else
      setValue(ship, axis.name, axis.texts[pick[a]]);
  }
  v.inputText = writeTsk(ship);
  return v;
}

std::string VariantSet::folderName(const Variant& v, const std::vector<std::string>& fileStems) const {
  const std::string number = std::to_string(v.index + 1);
  const std::size_t width = std::to_string(size_).size();
  std::string name = std::string(width > number.size() ? width - number.size() : 0, '0') + number;
  if (ships_.size() > 1 && v.file < fileStems.size()) name += "_" + fileStems[v.file];
  std::size_t rest = v.index;
  std::vector<std::size_t> pick(axes_.size());
  for (std::size_t a = axes_.size(); a-- > 0;) {
    pick[a] = rest % axes_[a].values.size();
    rest /= axes_[a].values.size();
  }
  for (std::size_t a = 0; a < axes_.size(); ++a) name += "_" + axes_[a].name + "=" + axes_[a].texts[pick[a]];
  return name;
}

std::string inputTextOf(const std::filesystem::path& file, const std::vector<std::string>& settings) {
  std::string ext = file.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (ext != ".toml" && settings.empty()) {
    std::ifstream in(file, std::ios::binary);
    std::error_code ec;
    if (!in.is_open() || std::filesystem::is_directory(file, ec))
      throw ShipInputError({InputFault{"", 0, 0, "GIRDI DOSYASI BULUNAMADI: " + file.string()}});
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  ShipValues ship = readShipFile(file);
  for (const std::string& s : settings) {
    try {
      setValue(ship, s);
    } catch (const ShipInputError& e) {
      refuse(e.what());
    }
  }
  return writeTsk(ship);
}

}  // namespace gemi::analysis
