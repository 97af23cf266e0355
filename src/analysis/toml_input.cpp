// TOML ship files: reading with every fault placed in the file, writing every
// value with its unit, and the conversions to and from the input file.
#include "analysis/toml_input.h"

#include <toml++/toml.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <tuple>

#include "analysis/whole_file.h"
#include "run/driver.h"

namespace gemi::analysis {
namespace {

constexpr std::string_view kAreaKey = "alan";
constexpr std::string_view kFormKey = "form";

std::string typeName(const toml::node& n) {
  switch (n.type()) {
    case toml::node_type::string:
      return "metin (tirnak icinde)";
    case toml::node_type::integer:
      return "tam sayi";
    case toml::node_type::floating_point:
      return "ondalikli sayi";
    case toml::node_type::boolean:
      return "true/false";
    case toml::node_type::array:
      return "liste";
    case toml::node_type::table:
      return "tablo";
    default:
      return "tarih/saat";
  }
}

std::string inQuotes(std::string_view s) { return "'" + std::string(s) + "'"; }

std::string nearText(std::string_view name, std::span<const std::string_view> names) {
  const auto near = closestNames(name, names);
  if (near.empty()) return "";
  std::string out = "; bunu mu demek istediniz: ";
  for (std::size_t k = 0; k < near.size(); ++k) out += (k ? ", " : "") + std::string(near[k]);
  return out + "?";
}

// The value's name with what it is and its unit, for messages.
std::string described(const ValueInfo& info) {
  std::string out = std::string(info.name) + " (" + std::string(info.comment);
  if (!info.unit.empty()) out += ", " + std::string(info.unit);
  return out + ")";
}

bool propellerDescribed(const ShipValues& v) { return !(std::abs(v.D) < 0.001f && std::abs(v.N) < 0.001f); }

// Why a value without a fixed default must be given here; empty when it need not be.
std::string requiredBecause(const ValueInfo& info, const ShipValues& v) {
  switch (info.rule) {
    case DefaultRule::Required:
      return "varsayilani yok";
    case DefaultRule::WithPropeller:
      return propellerDescribed(v) ? "pervane hesabinda (D veya N verilmis) gerekli" : "";
    case DefaultRule::WithModelScale:
      return v.MSCALE > 1.0f ? "MSCALE > 1 iken gerekli" : "";
    case DefaultRule::WithBulb:
      return v.ABT > 0.0f ? "ABT > 0 iken gerekli" : "";
    case DefaultRule::WithThrusters:
      return v.NBT > 0 ? "NBT > 0 iken gerekli" : "";
    case DefaultRule::Fixed:
      return "";
  }
  return "";
}

void setDefault(ShipValues& v, const ValueInfo& info) {
  const ValueRef ref = info.ref(v);
  if (auto* i = std::get_if<int*>(&ref))
    **i = static_cast<int>(info.defaultValue);
  else if (auto* f = std::get_if<float*>(&ref))
    **f = info.defaultValue;
  else
    std::get<std::vector<float>*>(ref)->clear();
}

class TomlReader {
 public:
  TomlReader(std::string_view text, std::string file) : text_(text), file_(std::move(file)) {
    std::size_t start = 0;
    while (start <= text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      lines_.push_back(text.substr(start, end - start));
      start = end + 1;
    }
    for (const ValueInfo& info : valueTable())
      if (info.appendage == 0) topNames_.push_back(info.name);
    topNames_.push_back(kAppendageTable);
    keys_ = appendageKeys();
    for (const std::string& k : keys_) keyViews_.push_back(k);
  }

  ShipValues read() {
    toml::table doc;
    try {
      doc = toml::parse(text_, file_);
    } catch (const toml::parse_error& e) {
      std::string message = "TOML yazim hatasi: " + std::string(e.description());
      const auto line = e.source().begin.line;
      if (line >= 1 && line <= lines_.size() &&
          std::any_of(lines_[line - 1].begin(), lines_[line - 1].end(), [](char c) { return c & 0x80; }))
        message += " (adlar yalniz ASCII harflerle yazilir: Turkce harfler yerine i, u, o, s, c, g)";
      fault(e.source().begin, message);
      throw ShipInputError(faults_);
    }
    ShipValues v;
    std::vector<bool> given(valueTable().size(), false);
    for (auto&& [key, node] : doc) {
      const std::string name(key.str());
      if (name == kAppendageTable) {
        appendages(v, node);
        continue;
      }
      const ValueInfo* info = findValue(name);
      if (name == "NV" || name == "NDF") {
        fault(key.source().begin,
              name + " yazilmaz: " + (name == "NV" ? "hiz sayisi VS" : "faktor sayisi DF") + " listesinin uzunlugudur");
      } else if (info && info->appendage != 0) {
        fault(key.source().begin, name + " burada yazilmaz: takintilar [" + std::string(kAppendageTable) +
                                      "] tablosunda adlariyla verilir, ornek " +
                                      keys_[static_cast<std::size_t>(info->appendage - 1)] +
                                      " = { alan = 50.0, form = 1.5 }");
      } else if (std::find(keys_.begin(), keys_.end(), name) != keys_.end()) {
        fault(key.source().begin, name + " bir takintidir: [" + std::string(kAppendageTable) +
                                      "] basliginin altinda yazilir (dosyanin sonunda)");
      } else if (!info) {
        fault(key.source().begin, "bilinmeyen ad " + inQuotes(name) + nearText(name, topNames_) +
                                      " (adlar README tablosundaki gibidir, buyuk/kucuk harf farklidir)");
      } else {
        given[static_cast<std::size_t>(info - valueTable().data())] = true;
        assign(v, *info, node);
      }
    }
    defaults(v, doc, given);
    checkSpeeds(v, doc);
    if (!faults_.empty()) {
      std::stable_sort(faults_.begin(), faults_.end(), [](const InputFault& a, const InputFault& b) {
        return std::tie(a.line, a.column) < std::tie(b.line, b.column);
      });
      throw ShipInputError(faults_);
    }
    return v;
  }

 private:
  std::string_view text_;
  std::string file_;
  std::vector<std::string_view> lines_;
  std::vector<std::string_view> topNames_;
  std::vector<std::string> keys_;
  std::vector<std::string_view> keyViews_;
  std::vector<InputFault> faults_;
  std::vector<toml::source_position> speedPositions_;

  void fault(const toml::source_position& at, std::string message) {
    faults_.push_back({file_, static_cast<int>(at.line), static_cast<int>(at.column), std::move(message)});
  }

  // The number's text as written at `at`, without TOML's digit separators.
  std::string numberText(const toml::source_position& at) const {
    if (at.line < 1 || at.line > lines_.size()) return "";
    const std::string_view line = lines_[at.line - 1];
    std::size_t pos = 0;  // columns count characters, a character is one or more bytes in UTF-8
    for (toml::source_index col = 1; col < at.column && pos < line.size(); ++col) do
        ++pos;
      while (pos < line.size() && (static_cast<unsigned char>(line[pos]) & 0xC0) == 0x80);
    std::string word;
    for (; pos < line.size(); ++pos) {
      const char c = line[pos];
      if (std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.')
        word += c;
      else if (c != '_')
        break;
    }
    return word;
  }

  // A real of the file: read from its text as the program's reader reads it,
  // so that it is the same float as in the input file.
  std::optional<float> real(const toml::node& n, const std::string& what) {
    if (const auto* i = n.as_integer()) return static_cast<float>(i->get());
    if (const auto* d = n.as_floating_point()) {
      const double x = d->get();
      if (!std::isfinite(x)) {
        fault(n.source().begin, what + ": sonlu bir sayi beklendi, " + (std::isnan(x) ? "nan" : "inf") + " bulundu");
        return std::nullopt;
      }
      if (const auto v = readRealWord(numberText(n.source().begin))) return v;
      if (std::abs(x) > static_cast<double>(std::numeric_limits<float>::max())) {
        fault(n.source().begin, what + ": sayi tek duyarlikli sayi sinirlarini asiyor");
        return std::nullopt;
      }
      return static_cast<float>(x);
    }
    wrongType(n, what, "bir sayi");
    return std::nullopt;
  }

  void wrongType(const toml::node& n, const std::string& what, const std::string& expected) {
    std::string msg = what + ": " + expected + " beklendi, " + typeName(n) + " bulundu";
    if (const auto* s = n.as_string(); s && readRealWord(s->get())) msg += " (sayiyi tirnaksiz yazin)";
    fault(n.source().begin, msg);
  }

  void assign(ShipValues& v, const ValueInfo& info, const toml::node& n) {
    const ValueRef ref = info.ref(v);
    const std::string what = std::string(info.name);
    if (auto* i = std::get_if<int*>(&ref)) {
      if (const auto* x = n.as_integer()) {
        if (x->get() < std::numeric_limits<int>::min() || x->get() > std::numeric_limits<int>::max())
          fault(n.source().begin, what + ": sayi tam sayi sinirlarini asiyor");
        else
          **i = static_cast<int>(x->get());
      } else {
        wrongType(n, what, "tam sayi (noktasiz, ornek 1)");
      }
    } else if (auto* f = std::get_if<float*>(&ref)) {
      if (n.is_array())
        fault(n.source().begin, what + ": tek bir sayi beklendi, liste bulundu");
      else if (const auto x = real(n, what))
        **f = *x;
    } else {
      const auto* array = n.as_array();
      if (!array) {
        wrongType(n, what, "liste (ornek " + what + " = [15.0, 17.0, 19.0])");
        return;
      }
      auto& list = *std::get<std::vector<float>*>(ref);
      list.clear();
      std::vector<toml::source_position> positions;
      for (const toml::node& element : *array) {
        if (const auto x = real(element, what + " listesinin " + std::to_string(list.size() + 1) + ". elemani")) {
          list.push_back(*x);
          positions.push_back(element.source().begin);
        } else {
          list.clear();
          return;
        }
      }
      if (list.empty() && info.name == "VS")
        fault(n.source().begin, what + ": hiz listesi bos, en az bir hiz verilmeli");
      else if (list.size() > static_cast<std::size_t>(info.name == "VS" ? kMaxSpeeds : kMaxCorrectionFactors))
        fault(n.source().begin, what + ": en cok " +
                                    std::to_string(info.name == "VS" ? kMaxSpeeds : kMaxCorrectionFactors) +
                                    " deger verilebilir, " + std::to_string(list.size()) + " verildi");
      if (info.name == "VS") speedPositions_ = positions;
    }
  }

  void appendages(ShipValues& v, const toml::node& node) {
    const auto* table = node.as_table();
    if (!table) {
      wrongType(node, std::string(kAppendageTable), "tablo ([" + std::string(kAppendageTable) + "] basligi)");
      return;
    }
    for (auto&& [key, entry] : *table) {
      const std::string name(key.str());
      const auto it = std::find(keys_.begin(), keys_.end(), name);
      if (it == keys_.end() && std::find(topNames_.begin(), topNames_.end(), name) != topNames_.end()) {
        fault(key.source().begin, name + " [" + std::string(kAppendageTable) + "] tablosunun icinde kaldi: " +
                                      "degerler [" + std::string(kAppendageTable) + "] basligindan once yazilmali");
        continue;
      }
      if (it == keys_.end()) {
        fault(key.source().begin, "bilinmeyen takinti " + inQuotes(name) + nearText(name, keyViews_) +
                                      " (takinti adlari README'de listelidir)");
        continue;
      }
      const auto j = static_cast<std::size_t>(it - keys_.begin());
      if (entry.is_integer() || entry.is_floating_point()) {  // the area alone
        if (const auto x = real(entry, name)) v.AREA[j] = *x;
        continue;
      }
      const auto* parts = entry.as_table();
      if (!parts) {
        wrongType(entry, name, "{ alan = ..., form = ... } veya yalniz alan");
        continue;
      }
      bool area = false;
      for (auto&& [partKey, part] : *parts) {
        const std::string partName(partKey.str());
        const std::string what = name + "." + partName;
        if (partName == kAreaKey) {
          area = true;
          if (part.is_array())
            fault(part.source().begin, what + ": tek bir sayi beklendi, liste bulundu");
          else if (const auto x = real(part, what))
            v.AREA[j] = *x;
        } else if (partName == kFormKey) {
          if (part.is_array())
            fault(part.source().begin, what + ": tek bir sayi beklendi, liste bulundu");
          else if (const auto x = real(part, what))
            v.FF2[j] = *x;
        } else {
          const std::string_view known[] = {kAreaKey, kFormKey};
          fault(partKey.source().begin, "bilinmeyen ad " + inQuotes(partName) + " (" + name +
                                            " icinde yalniz alan ve form)" + nearText(partName, known));
        }
      }
      if (!area) fault(entry.source().begin, name + ": alan (islak alan, m2) eksik");
    }
  }

  // Where a value left out belongs: before the first table, else at the end.
  toml::source_position missingAt(const toml::table& doc) const {
    if (const auto* t = doc.get(kAppendageTable); t && t->is_table() && !t->as_table()->is_inline())
      return {t->source().begin.line, 1};
    return {static_cast<toml::source_index>(lines_.size() + (lines_.back().empty() ? 0 : 1)), 1};
  }

  void defaults(ShipValues& v, const toml::table& doc, const std::vector<bool>& given) {
    // Values that decide whether others are needed come first in the table
    // (D, N before MCR, etas; MSCALE before TEMPm; ABT before HB; NBT before
    // DBT), so their defaults are in place when those are looked at.
    const auto table = valueTable();
    for (std::size_t k = 0; k < table.size(); ++k) {
      const ValueInfo& info = table[k];
      if (info.appendage != 0 || given[k]) continue;
      if (const std::string why = requiredBecause(info, v); !why.empty())
        fault(missingAt(doc), described(info) + " eksik: " + why);
      else
        setDefault(v, info);
    }
  }

  void checkSpeeds(const ShipValues& v, const toml::table& doc) {
    const auto* vs = doc.get("VS");
    if (!vs || v.VS.empty() || speedPositions_.size() != v.VS.size()) return;
    for (std::size_t k = 1; k < v.VS.size(); ++k)
      if (!(v.VS[k] > v.VS[k - 1])) {
        fault(speedPositions_[k], "VS: hizlar artan sirada olmali, " + formatReal(v.VS[k - 1]) + " knot'tan sonra " +
                                      formatReal(v.VS[k]) + " geliyor");
        return;
      }
    const auto* trial = doc.get("Vtrial");
    if (!trial || !(trial->is_integer() || trial->is_floating_point())) return;
    if (v.VS.back() < v.Vtrial || v.VS.front() > v.Vtrial)
      fault(trial->source().begin, "Vtrial = " + formatReal(v.Vtrial) + " knot hiz listesinin araligi disinda (" +
                                       formatReal(v.VS.front()) + " - " + formatReal(v.VS.back()) +
                                       " knot); seyir hizi VS listesinin icinde olmali");
  }
};

std::string padded(std::string s, std::size_t width) {
  if (s.size() < width)
    s.resize(width, ' ');
  else
    s += ' ';
  return s;
}

std::string valueText(ShipValues& v, const ValueInfo& info) {
  const ValueRef ref = info.ref(v);
  if (auto* i = std::get_if<int*>(&ref)) return std::to_string(**i);
  if (auto* f = std::get_if<float*>(&ref)) return formatReal(**f);
  std::string out = "[";
  const auto& list = *std::get<std::vector<float>*>(ref);
  for (std::size_t k = 0; k < list.size(); ++k) out += (k ? ", " : "") + formatReal(list[k]);
  return out + "]";
}

// Writes `text` as `target`, whole or not at all: into a temporary file of
// the same folder first, then renamed.
void writeNew(const std::filesystem::path& target, const std::string& text, bool overwrite) {
  std::error_code ec;
  const std::filesystem::path folder = target.parent_path();
  if (!folder.empty()) {
    std::filesystem::create_directories(folder, ec);
    if (ec || !std::filesystem::is_directory(folder))
      throw ConversionError("CIKTI KLASORU OLUSTURULAMADI: " + folder.string());
  }
  if (std::filesystem::is_directory(target)) throw ConversionError("YAZILAMADI: " + target.string() + " bir klasor");
  if (std::filesystem::exists(target) && !overwrite)
    throw ConversionError("DOSYA ZATEN VAR: " + target.string() + " (uzerine yazmak icin --uzerine-yaz verin)");
  if (!writeWholeFile(target, text))
    throw ConversionError("DOSYA YAZILAMADI: " + target.string() + " (klasore yazma izni?)");
}

std::string fileText(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in.is_open() || std::filesystem::is_directory(file))
    throw ShipInputError({InputFault{"", 0, 0, "GIRDI DOSYASI BULUNAMADI: " + file.string()}});
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::filesystem::path folderOf(const std::filesystem::path& input, const std::optional<std::filesystem::path>& outDir) {
  if (outDir) return *outDir;
  return input.has_parent_path() ? input.parent_path() : std::filesystem::path(".");
}

}  // namespace

std::vector<std::string> appendageKeys() {
  AppendageCatalogue app;
  fillAppendageCatalogue(app);
  std::vector<std::string> keys;
  for (int j = 1; j <= kAppendages; ++j) {
    std::string name = app.name(j);
    name.erase(name.find_last_not_of(' ') + 1);
    for (char& c : name) c = c == ' ' ? '_' : static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    keys.push_back(name);
  }
  return keys;
}

ShipValues readTomlText(std::string_view text, const std::string& file) { return TomlReader(text, file).read(); }

ShipValues readTomlFile(const std::filesystem::path& file) {
  return readTomlText(fileText(file), file.filename().string());
}

std::string writeToml(const ShipValues& values) {
  ShipValues v = values;
  std::string out =
      "# Gemi girdi dosyasi (TOML). Calistirmak icin: gemiguc-analiz DOSYA.toml\n"
      "# gemiguc icin girdi dosyasi: gemiguc-analiz --tsk-yaz DOSYA.toml\n"
      "# Adlar README tablosundaki gibidir (buyuk/kucuk harf farklidir); birimler ve\n"
      "# anlamlari yorumlarda. Verilmeyen bir deger README'deki varsayilani alir.\n"
      "# Ondalik ayrac noktadir (12.5); tam sayilar noktasiz yazilir.\n";
  struct Group {
    int firstRecord;
    const char* title;
  };
  constexpr Group kGroups[] = {{1, "Su"},
                               {2, "Tekne boyutlari ve formu"},
                               {15, "Model olcegi ve hava direnci"},
                               {17, "Hizlar"},
                               {30, "Bas iticiler"},
                               {31, "Pervane (D, N ve PDin pervane gorevini secer; D = N = 0: yalniz direnc)"},
                               {37, "Makina ve guc zinciri"},
                               {41, "Duzeltmeler"}};
  for (const ValueInfo& info : valueTable()) {
    if (info.appendage != 0) continue;
    for (const Group& g : kGroups)
      if (g.firstRecord == info.record && (&info == valueTable().data() || (&info - 1)->record != info.record))
        out += std::string("\n# ") + g.title + '\n';
    std::string comment = std::string(info.comment);
    if (!info.unit.empty()) comment = std::string(info.unit) + "; " + comment;
    if (info.rule == DefaultRule::Fixed)
      comment += "; varsayilan " + std::string(info.defaultText);
    else if (info.rule != DefaultRule::Required)
      comment += "; " + std::string(info.defaultText);
    out += padded(std::string(info.name) + " = " + valueText(v, info), 24) + "# " + comment + '\n';
  }
  AppendageCatalogue app;
  fillAppendageCatalogue(app);
  const auto keys = appendageKeys();
  out += "\n[" + std::string(kAppendageTable) + "]\n";
  out += "# islak alan (m2) ve form faktoru (1+k2; 0 = katalog degeri); alani 0 olan takinti yoktur\n";
  for (int j = 1; j <= kAppendages; ++j) {
    const auto k = static_cast<std::size_t>(j - 1);
    const std::string entry =
        keys[k] + " = { alan = " + formatReal(v.AREA[k]) + ", form = " + formatReal(v.FF2[k]) + " }";
    out += padded(entry, 56) + "# katalog (1+k2) " + formatReal(app.FF2(j)) + '\n';
  }
  return out;
}

ShipValues readShipFile(const std::filesystem::path& file) {
  std::string ext = file.extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".toml" ? readTomlFile(file) : readTskFile(file);
}

std::filesystem::path tomlToTsk(const std::filesystem::path& tomlFile,
                                const std::optional<std::filesystem::path>& outDir, bool overwrite) {
  const std::string text = writeTsk(readTomlFile(tomlFile));
  const std::filesystem::path target = folderOf(tomlFile, outDir) / kInputFileName;
  writeNew(target, text, overwrite);
  return target;
}

std::filesystem::path tskToToml(const std::filesystem::path& tskFile,
                                const std::optional<std::filesystem::path>& outDir, bool overwrite) {
  const std::string text = writeToml(readTskFile(tskFile));
  std::filesystem::path name = tskFile.filename();
  name.replace_extension(".toml");
  const std::filesystem::path target = folderOf(tskFile, outDir) / name;
  writeNew(target, text, overwrite);
  return target;
}

}  // namespace gemi::analysis
