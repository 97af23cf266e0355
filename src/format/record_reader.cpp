// Record reading: whole text records and free-form value lists.
#include "format/record_reader.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace gemi {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isBlank(char c) { return c == ' ' || c == '\t'; }
bool endsValue(char c) { return isBlank(c) || c == ',' || c == '/'; }

bool allDigits(std::string_view s) {
  if (s.empty()) return false;
  for (char c : s)
    if (!isDigit(c)) return false;
  return true;
}

std::string_view withoutSign(std::string_view s) {
  if (!s.empty() && (s[0] == '+' || s[0] == '-')) s.remove_prefix(1);
  return s;
}

// The offending text as it may stand in a message: printable ASCII only, cut when long.
std::string shown(std::string_view s) {
  constexpr std::size_t kMax = 40;
  std::string out;
  for (std::size_t k = 0; k < s.size() && k < kMax; ++k) {
    auto c = static_cast<unsigned char>(s[k]);
    out += (c >= 0x20 && c < 0x7F) ? static_cast<char>(c) : '?';
  }
  if (s.size() > kMax) out += "...";
  return "\"" + out + "\"";
}

// Optional sign and digits, within the int range.
std::optional<int> parseInt(std::string_view s, bool& overflow) {
  overflow = false;
  if (!allDigits(withoutSign(s))) return std::nullopt;
  std::string_view digits = s[0] == '+' ? s.substr(1) : s;
  int v = 0;
  auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), v);
  if (ec == std::errc::result_out_of_range) {
    overflow = true;
    return std::nullopt;
  }
  if (ec != std::errc() || end != digits.data() + digits.size()) return std::nullopt;
  return v;
}

// Optional sign, digits with an optional point (at least one digit), optional
// exponent: a letter E, e, D or d, an optional sign and digits.
bool isRealText(std::string_view s) {
  s = withoutSign(s);
  std::size_t k = 0;
  std::size_t mantissaDigits = 0;
  while (k < s.size() && isDigit(s[k])) ++k, ++mantissaDigits;
  if (k < s.size() && s[k] == '.') {
    ++k;
    while (k < s.size() && isDigit(s[k])) ++k, ++mantissaDigits;
  }
  if (mantissaDigits == 0) return false;
  if (k == s.size()) return true;
  if (s[k] != 'E' && s[k] != 'e' && s[k] != 'D' && s[k] != 'd') return false;
  return allDigits(withoutSign(s.substr(k + 1)));
}

// The real value, correctly rounded to single precision. Underflow gives the
// nearest subnormal or zero; a magnitude beyond the float range is refused.
std::optional<float> parseReal(std::string_view s, bool& overflow) {
  overflow = false;
  if (!isRealText(s)) return std::nullopt;
  std::string text(s[0] == '+' ? s.substr(1) : s);
  for (char& c : text)
    if (c == 'D' || c == 'd') c = 'E';
  float v = 0.0f;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec == std::errc::result_out_of_range) {
    double wide = 0.0;
    auto wideResult = std::from_chars(text.data(), text.data() + text.size(), wide);
    if (wideResult.ec != std::errc() || std::abs(wide) > std::numeric_limits<float>::max()) {
      overflow = true;
      return std::nullopt;
    }
    return static_cast<float>(wide);
  }
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

struct ListToken {
  enum class Kind { Value, Null, Slash };
  Kind kind = Kind::Value;
  std::string text;
  LineCount line = 0;
  // Set for "12,5": digits, a comma and digits written together as one word.
  // Read into reals, such a word is a number with a decimal comma rather than
  // two values when the read ends on its record with numbers left unread
  // there ("12,5" for one length, "1025,0 9.81"); otherwise ("10,10" for two
  // draughts) the comma separates two values.
  std::string decimalCommaWord;
  // Set for any "digits,more" word ("9,81x", "0,686.", "9,81" and a
  // non-breaking space): when the read ends on its first part, its second
  // part is not read as a value at all, so it can only be a decimal part.
  std::string commaFirstWord;
};

// End of the "digits,text" word that starts at `start` of `line` (alone,
// with a single comma, the text not empty), or npos when none stands there.
// `digitsAfter` tells whether the text after the comma is all digits.
std::size_t commaWordEnd(const std::string& line, std::size_t start, bool& digitsAfter) {
  if (start > 0 && !isBlank(line[start - 1])) return std::string::npos;
  std::size_t comma = start;
  while (comma < line.size() && !endsValue(line[comma])) ++comma;
  if (comma + 1 >= line.size() || line[comma] != ',' ||
      !allDigits(withoutSign(std::string_view(line).substr(start, comma - start))))
    return std::string::npos;
  std::size_t end = comma + 1;
  while (end < line.size() && !endsValue(line[end])) ++end;
  if (end == comma + 1 || (end < line.size() && line[end] == ',')) return std::string::npos;
  digitsAfter = allDigits(std::string_view(line).substr(comma + 1, end - comma - 1));
  return end;
}

// Splits the records of one free-form read into values, nulls and the "/".
// The end of a record counts as a blank.
class ListScanner {
 public:
  ListScanner(RecordReader& reader, const std::string& what) : reader_(reader), what_(what) {}

  ListToken next() {
    for (;;) {
      if (!haveLine_ || pos_ >= line_.size()) {
        if (!reader_.next(line_, what_))
          throw ReadFailure(reader_.failureMessage(reader_.lineNumber() + 1, what_,
                                                   "bir sayi beklendi, girdinin sonu (dosya sonu) bulundu."));
        haveLine_ = true;
        pos_ = 0;
        continue;
      }
      char c = line_[pos_];
      ListToken tok;
      tok.line = reader_.lineNumber();
      if (isBlank(c)) {
        ++pos_;
      } else if (c == ',') {
        ++pos_;
        if (afterComma_) {
          tok.kind = ListToken::Kind::Null;
          return tok;
        }
        afterComma_ = true;
      } else if (c == '/') {
        tok.kind = ListToken::Kind::Slash;
        return tok;
      } else {
        return value(tok);
      }
    }
  }

  // Whether the rest of the current record, up to a "/", holds a number.
  bool numberLeftOnRecord() const {
    std::size_t k = pos_;
    while (k < line_.size() && line_[k] != '/') {
      std::size_t start = k;
      while (k < line_.size() && !endsValue(line_[k])) ++k;
      std::string_view word = std::string_view(line_).substr(start, k - start);
      if (std::size_t star = word.find('*'); star != std::string_view::npos) word.remove_prefix(star + 1);
      if (isRealText(word)) return true;
      if (k < line_.size() && line_[k] != '/') ++k;
    }
    return false;
  }

 private:
  RecordReader& reader_;
  const std::string& what_;
  std::string line_;
  std::size_t pos_ = 0;
  bool haveLine_ = false;
  bool afterComma_ = true;  // a comma first in the read gives a null value

  ListToken value(ListToken& tok) {
    std::size_t start = pos_;
    while (pos_ < line_.size() && !endsValue(line_[pos_])) ++pos_;
    tok.text = line_.substr(start, pos_ - start);
    afterComma_ = false;
    bool digitsAfter = false;
    if (std::size_t end = commaWordEnd(line_, start, digitsAfter); end != std::string::npos) {
      tok.commaFirstWord = line_.substr(start, end - start);
      if (digitsAfter) tok.decimalCommaWord = tok.commaFirstWord;
    }
    return tok;
  }
};

// Number of copies in "r*c": saturated, since only as many as there are targets are used.
std::optional<std::uint64_t> repeatCount(std::string_view digits) {
  if (!allDigits(digits)) return std::nullopt;
  std::uint64_t r = 0;
  for (char c : digits) {
    r = r * 10 + static_cast<std::uint64_t>(c - '0');
    if (r > 1000000000) r = 1000000000;
  }
  if (r == 0) return std::nullopt;
  return r;
}

}  // namespace

RecordReader::RecordReader(std::istream& in, std::string source) : in_(in), source_(std::move(source)) {}

bool RecordReader::next(std::string& line, const std::string& what) {
  // As std::getline, but a line may not grow beyond the limit. A last line
  // without a line end still counts as a record.
  line.clear();
  const std::istream::sentry ok(in_, true);
  if (!ok) return false;
  std::streambuf& buf = *in_.rdbuf();
  auto tooLong = [&] {
    return ReadFailure(failureMessage(line_ + 1, what,
                                      "satir " + std::to_string(kMaxRecordLength) +
                                          " karakterden uzun; bu bir metin kaydi degil (dosya veya konsol bir aygit "
                                          "ya da metin olmayan bir dosya olabilir)."));
  };
  bool any = false;
  for (;;) {
    const auto c = buf.sbumpc();
    if (std::char_traits<char>::eq_int_type(c, std::char_traits<char>::eof())) {
      in_.setstate(any ? std::ios::eofbit : std::ios::eofbit | std::ios::failbit);
      if (!any) return false;
      break;
    }
    any = true;
    if (std::char_traits<char>::to_char_type(c) == '\n') break;
    if (line.size() > kMaxRecordLength) throw tooLong();  // the limit and the CR of a CRLF line end held
    line.push_back(std::char_traits<char>::to_char_type(c));
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > kMaxRecordLength) throw tooLong();
  ++line_;
  return true;
}

std::string RecordReader::readText(std::size_t width, const std::string& what) {
  std::string line;
  if (!next(line, what))
    throw ReadFailure(failureMessage(line_ + 1, what, "bir metin satiri beklendi, girdinin sonu (dosya sonu) bulundu."));
  line.resize(width, ' ');
  return line;
}

std::string RecordReader::failureMessage(LineCount line, const std::string& what, const std::string& detail) const {
  std::string msg = "OKUMA HATASI - " + source_;
  if (line > 0) msg += ", satir " + std::to_string(line);
  msg += ": ";
  if (!what.empty()) msg += what + " okunurken ";
  return msg + detail;
}

void RecordReader::readList(std::span<const ListTarget> targets, const std::string& what) {
  readList([targets](std::size_t k) { return k < targets.size() ? std::optional(targets[k]) : std::nullopt; }, what);
}

void RecordReader::readList(const std::function<std::optional<ListTarget>(std::size_t)>& target,
                            const std::string& what) {
  ListScanner scanner(*this, what);
  std::size_t k = 0;
  std::optional<ListTarget> current = target(k);
  if (!current) {
    std::string skipped;
    if (!next(skipped, what))
      throw ReadFailure(failureMessage(line_ + 1, what, "bir kayit beklendi, girdinin sonu (dosya sonu) bulundu."));
    return;
  }
  auto fail = [&](const ListToken& tok, const std::string& detail) {
    throw ReadFailure(failureMessage(tok.line, what, detail));
  };
  auto assign = [&](const ListTarget& into, std::string_view text, const ListToken& tok) {
    bool overflow = false;
    if (auto* ip = std::get_if<int*>(&into)) {
      auto v = parseInt(text, overflow);
      if (overflow) fail(tok, "tamsayi beklendi, " + shown(text) + " tamsayi sinirlarini asiyor.");
      if (!v) fail(tok, "tamsayi (isaret ve rakamlar, ondalik noktasiz) beklendi, " + shown(text) + " bulundu.");
      **ip = *v;
      return;
    }
    auto v = parseReal(text, overflow);
    if (overflow) fail(tok, "gercek sayi beklendi, " + shown(text) + " tek duyarlikli sayi sinirlarini asiyor.");
    if (!v) fail(tok, "gercek sayi beklendi, " + shown(text) + " bulundu.");
    *std::get<float*>(into) = *v;
  };

  std::optional<ListToken> commaWord;  // a "digits,digits" word read into reals
  std::optional<ListToken> last;       // the value that ended the read
  while (current) {
    ListToken tok = scanner.next();
    if (tok.kind == ListToken::Kind::Slash) return;
    if (tok.kind == ListToken::Kind::Null) {
      current = target(++k);
      continue;
    }
    std::uint64_t copies = 1;
    std::string_view text = tok.text;
    if (auto star = text.find('*'); star != std::string_view::npos) {
      auto r = repeatCount(text.substr(0, star));
      if (!r) fail(tok, "sayi veya tekrar (r*c, r > 0) beklendi, " + shown(text) + " bulundu.");
      copies = *r;
      text = text.substr(star + 1);
    }
    const bool intoReal = std::holds_alternative<float*>(*current);
    for (; copies > 0 && current; --copies, current = target(++k))
      if (!text.empty()) assign(*current, text, tok);  // "r*" alone: r null values
    if (intoReal && !tok.decimalCommaWord.empty()) commaWord = tok;
    last = intoReal ? std::optional(tok) : std::nullopt;
  }
  if (commaWord && commaWord->line == line_ && scanner.numberLeftOnRecord())
    fail(*commaWord, "gercek sayi beklendi, " + shown(commaWord->decimalCommaWord) +
                         " bulundu: ondalik ayirici olarak virgul degil nokta kullanin (ornek: 12.5).");
  if (last && !last->commaFirstWord.empty())
    fail(*last, "gercek sayi beklendi, " + shown(last->commaFirstWord) +
                    " bulundu: virgulden sonrasi okunmadan kalir; ondalik ayirici olarak virgul degil nokta kullanin "
                    "(ornek: 12.5).");
}

}  // namespace gemi
