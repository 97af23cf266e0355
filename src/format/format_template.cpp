// Format templates: parsing into a descriptor tree, rendering of write lists
// into records, free-form output and the two kinds of record sink.
#include "format/format_template.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <mutex>
#include <stdexcept>
#include <string>

namespace gemi {

struct FormatTemplate::Node {
  enum class Type { Group, Literal, Blanks, RecordEnd, Int, Real, Text };
  Type type = Type::Group;
  int repeat = 1;
  int w = 0;
  int d = 0;
  bool hasWidth = false;  // A with a width (Aw) or without (A)
  std::string text;       // literal contents
  std::vector<Node> children;
};

namespace {

using Node = FormatTemplate::Node;

// Repeat counts, widths and decimals beyond these are typing errors in a template.
constexpr int kMaxCount = 10000;
constexpr int kMaxDecimals = 100;

class TemplateParser {
 public:
  explicit TemplateParser(std::string_view text) : t_(text) {}

  Node parse() {
    skipBlanks();
    if (!take('(')) fail("expected '(' at the start");
    Node root;
    root.children = list();
    skipBlanks();
    if (p_ != t_.size()) fail("text after the closing parenthesis");
    return root;
  }

 private:
  std::string_view t_;
  std::size_t p_ = 0;

  [[noreturn]] void fail(const std::string& why) const {
    throw std::invalid_argument("format template " + std::string(t_) + ": " + why + " (at column " +
                                std::to_string(p_ + 1) + ")");
  }
  bool atEnd() const { return p_ >= t_.size(); }
  char peek() const { return atEnd() ? '\0' : t_[p_]; }
  static bool isDigit(char c) { return c >= '0' && c <= '9'; }
  void skipBlanks() {
    while (!atEnd() && (t_[p_] == ' ' || t_[p_] == '\t')) ++p_;
  }
  bool take(char c) {
    if (peek() != c) return false;
    ++p_;
    return true;
  }
  int number() {
    if (!isDigit(peek())) fail("expected a number");
    int v = 0;
    while (isDigit(peek())) {
      v = v * 10 + (t_[p_++] - '0');
      if (v > kMaxCount) fail("number too large");
    }
    return v;
  }

  // Descriptors up to and including the closing parenthesis of this level.
  // Commas are optional separators: templates leave them out next to
  // literals and after "/", and extra blanks anywhere between descriptors.
  std::vector<Node> list() {
    std::vector<Node> nodes;
    for (;;) {
      skipBlanks();
      if (atEnd()) fail("missing ')'");
      if (take(')')) return nodes;
      if (take(',')) continue;
      int count = -1;
      if (isDigit(peek())) {
        count = number();
        skipBlanks();
      }
      nodes.push_back(descriptor(count));
    }
  }

  Node descriptor(int count) {
    Node n;
    n.repeat = count < 0 ? 1 : count;
    char c = peek();
    if (c == '\'' || c == '"') {
      n.type = Node::Type::Literal;
      n.text = literal(c);
      return n;
    }
    ++p_;
    switch (c) {
      case 'X':
      case 'x':
        n.type = Node::Type::Blanks;
        return n;
      case '/':
        n.type = Node::Type::RecordEnd;
        return n;
      case '(':
        n.type = Node::Type::Group;
        n.children = list();
        return n;
      case 'I':
      case 'i':
        n.type = Node::Type::Int;
        n.w = number();
        return n;
      case 'F':
      case 'f':
        n.type = Node::Type::Real;
        n.w = number();
        if (!take('.')) fail("expected '.' in an F descriptor");
        n.d = number();
        if (n.d > kMaxDecimals) fail("too many decimals");
        return n;
      case 'A':
      case 'a':
        n.type = Node::Type::Text;
        n.hasWidth = isDigit(peek());
        if (n.hasWidth) n.w = number();
        return n;
      default:
        --p_;
        fail(std::string("unknown descriptor '") + c + "'");
    }
  }

  // A quoted literal; a doubled quote inside stands for one quote.
  std::string literal(char quote) {
    ++p_;
    std::string s;
    for (;;) {
      if (atEnd()) fail("unterminated literal");
      char c = t_[p_++];
      if (c == quote) {
        if (peek() != quote) return s;
        ++p_;
      }
      s += c;
    }
  }
};

std::string stars(int w) { return std::string(static_cast<std::size_t>(w > 0 ? w : 0), '*'); }

// Right-aligns `s` in `w` columns; asterisks when it does not fit.
std::string fit(const std::string& s, int w) {
  if (static_cast<int>(s.size()) > w) return stars(w);
  return std::string(static_cast<std::size_t>(w) - s.size(), ' ') + s;
}

std::string intField(int v, int w) { return fit(std::to_string(v), w); }

// Adds one unit in the last place of a decimal digit string; may grow it by a digit.
void incrementDigits(std::string& digits) {
  for (std::size_t k = digits.size(); k-- > 0;) {
    if (digits[k] != '9') {
      ++digits[k];
      return;
    }
    digits[k] = '0';
  }
  digits.insert(digits.begin(), '1');
}

// Fw.d. The float's exact decimal expansion (a float has at most 149 binary
// fraction digits, so 150 decimals hold it exactly) is rounded half away from
// zero at d decimals by hand: the C library would round ties to even.
std::string realField(float x, int w, int d) {
  if (std::isnan(x)) return fit("NaN", w);
  if (std::isinf(x)) {
    if (x > 0) return fit(w >= 8 ? "Infinity" : "Inf", w);
    return fit(w >= 9 ? "-Infinity" : "-Inf", w);
  }
  char buf[220];
  std::snprintf(buf, sizeof buf, "%.150f", std::fabs(static_cast<double>(x)));
  std::string exact(buf);
  std::size_t point = exact.find('.');
  std::string intDigits = exact.substr(0, point);
  std::string frac = exact.substr(point + 1);

  std::string kept = intDigits + frac.substr(0, static_cast<std::size_t>(d));
  if (frac[static_cast<std::size_t>(d)] >= '5') incrementDigits(kept);
  std::string intPart = kept.substr(0, kept.size() - static_cast<std::size_t>(d));
  std::string fracPart = kept.substr(kept.size() - static_cast<std::size_t>(d));
  std::size_t firstNonZero = intPart.find_first_not_of('0');
  intPart = firstNonZero == std::string::npos ? std::string(d == 0 ? "0" : "") : intPart.substr(firstNonZero);

  // A negative value below 10^-(d+1) in magnitude prints as an unsigned zero;
  // a larger one that still rounds to zero keeps its minus sign.
  bool belowSignLimit = intDigits == "0" && frac.find_first_not_of('0') >= static_cast<std::size_t>(d) + 1;
  bool sign = std::signbit(x) && !belowSignLimit;
  return fit((sign ? "-" : "") + intPart + "." + fracPart, w);
}

std::string textField(std::string_view s, const Node& n) {
  if (!n.hasWidth) return std::string(s);
  auto w = static_cast<std::size_t>(n.w);
  if (s.size() >= w) return std::string(s.substr(0, w));
  return std::string(w - s.size(), ' ') + std::string(s);
}

// A data descriptor with its item. An item of the wrong kind (a text in an F
// field, a number in an A field) prints as asterisks so the mismatch shows.
std::string field(const Node& n, const Item& it) {
  switch (n.type) {
    case Node::Type::Int:
      return it.kind == Item::Kind::Int && !it.unrepresentable ? intField(it.i, n.w) : stars(n.w);
    case Node::Type::Real:
      return it.kind == Item::Kind::Real ? realField(it.r, n.w, n.d) : stars(n.w);
    default:
      return it.kind == Item::Kind::Text ? textField(it.s, n) : stars(n.hasWidth ? n.w : 1);
  }
}

// One output statement: walks the descriptor tree, taking items in order.
class Renderer {
 public:
  explicit Renderer(std::span<const Item> items) : items_(items) {}

  std::vector<std::string> run(const Node& root) {
    // Format reversion restarts at the last top-level group, or at the start.
    std::size_t reversion = 0;
    for (std::size_t k = 0; k < root.children.size(); ++k)
      if (root.children[k].type == Node::Type::Group) reversion = k;
    std::size_t from = 0;
    for (;;) {
      std::size_t before = next_;
      if (!walk(root.children, from)) break;      // items exhausted at a data descriptor
      if (next_ == items_.size()) break;          // end of the template with nothing left
      if (next_ == before) break;                 // no data descriptor to take the rest
      endRecord();
      from = reversion;
    }
    endRecord();
    return std::move(records_);
  }

 private:
  std::span<const Item> items_;
  std::size_t next_ = 0;
  std::vector<std::string> records_;
  std::string cur_;

  void endRecord() {
    records_.push_back(std::move(cur_));
    cur_.clear();
  }

  // False when output stops: a data descriptor met with no item left.
  bool walk(const std::vector<Node>& nodes, std::size_t from) {
    for (std::size_t k = from; k < nodes.size(); ++k) {
      const Node& n = nodes[k];
      for (int r = 0; r < n.repeat; ++r) {
        switch (n.type) {
          case Node::Type::Literal:
            cur_ += n.text;
            break;
          case Node::Type::Blanks:
            cur_ += ' ';
            break;
          case Node::Type::RecordEnd:
            endRecord();
            break;
          case Node::Type::Group:
            if (!walk(n.children, 0)) return false;
            break;
          default:
            if (next_ == items_.size()) return false;
            cur_ += field(n, items_[next_++]);
        }
      }
    }
    return true;
  }
};

// gfortran's list-directed forms: integers in 11 columns; reals with nine
// significant digits in 16 columns, fixed notation from 0.1 to below 1e9
// (four blanks where an exponent would stand), exponent notation otherwise.
std::string listReal(float x) {
  if (std::isnan(x)) return fit("NaN", 16);
  if (std::isinf(x)) return fit(x > 0 ? "Infinity" : "-Infinity", 16);
  char buf[64];
  if (x == 0.0f) return fit(std::signbit(x) ? "-0.00000000    " : "0.00000000    ", 16);
  std::snprintf(buf, sizeof buf, "%.8E", static_cast<double>(x));
  int exponent = std::atoi(std::string(buf).substr(std::string(buf).find('E') + 1).c_str());
  if (exponent >= -1 && exponent <= 8) {
    std::snprintf(buf, sizeof buf, "%#.*f    ", 8 - exponent, static_cast<double>(x));
  }
  return fit(buf, 16);
}

}  // namespace

Item truncatedInt(float v) {
  // 2^31 is exact in float; [-2^31, 2^31) truncates into the int range.
  if (!std::isfinite(v) || v >= 2147483648.0f || v < -2147483648.0f) {
    Item it(0);
    it.unrepresentable = true;
    return it;
  }
  return Item(static_cast<int>(v));
}

FormatTemplate::FormatTemplate(std::string_view text)
    : text_(text), root_(std::make_unique<Node>(TemplateParser(text).parse())) {}

FormatTemplate::~FormatTemplate() = default;

const FormatTemplate& FormatTemplate::get(std::string_view text) {
  // Parsed templates by text; the only shared state, guarded for safety.
  static std::mutex mutex;
  static std::map<std::string, std::unique_ptr<FormatTemplate>, std::less<>> cache;
  std::lock_guard<std::mutex> lock(mutex);
  auto found = cache.find(text);
  if (found != cache.end()) return *found->second;
  auto parsed = std::make_unique<FormatTemplate>(text);
  return *cache.emplace(std::string(text), std::move(parsed)).first->second;
}

std::vector<std::string> FormatTemplate::render(std::span<const Item> items) const {
  return Renderer(items).run(*root_);
}

std::vector<std::string> renderList(std::span<const Item> items) {
  if (items.empty()) return {std::string()};
  std::string rec = " ";
  bool previousText = true;  // the record's first blank separates the first item
  bool first = true;
  for (const Item& it : items) {
    bool text = it.kind == Item::Kind::Text;
    if (!first && !(text && previousText)) rec += ' ';
    if (text) {
      rec += it.s;
    } else if (it.kind == Item::Kind::Int) {
      rec += it.unrepresentable ? stars(11) : intField(it.i, 11);
    } else {
      rec += listReal(it.r);
    }
    previousText = text;
    first = false;
  }
  return {rec};
}

void StreamSink::record(std::string_view text) {
  out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  out_.put('\n');
}

void StreamSink::flush() { out_.flush(); }

// Carriage control: the first character is not shown. '0' puts an empty line
// first, '1' (new page) an empty line as well, since a console has no pages;
// '+' (overprint) and any other character give a plain line.
void ConsoleSink::record(std::string_view text) {
  if (!text.empty()) {
    if (text[0] == '0' || text[0] == '1') out_.put('\n');
    text.remove_prefix(1);
  }
  out_.write(text.data(), static_cast<std::streamsize>(text.size()));
  out_.put('\n');
}

void ConsoleSink::flush() { out_.flush(); }

void write(RecordSink& out, std::string_view tmpl, std::initializer_list<Item> items) {
  write(out, tmpl, std::span<const Item>(items.begin(), items.size()));
}

void write(RecordSink& out, std::string_view tmpl, std::span<const Item> items) {
  if (out.discards()) return;
  for (const std::string& rec : FormatTemplate::get(tmpl).render(items)) out.record(rec);
}

void writeList(RecordSink& out, std::initializer_list<Item> items) {
  writeList(out, std::span<const Item>(items.begin(), items.size()));
}

void writeList(RecordSink& out, std::span<const Item> items) {
  if (out.discards()) return;
  for (const std::string& rec : renderList(items)) out.record(rec);
}

}  // namespace gemi
