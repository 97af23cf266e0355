// Record formatting: Fortran-style format templates ("(2X,'Lwl=',F8.3,' m')")
// rendered into records (lines). Every line the program writes goes through here.
#pragma once

#include <initializer_list>
#include <memory>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace gemi {

// One entry of a write list: an integer, a single-precision real or a text.
// Doubles are refused on purpose: every real of the program is a float.
struct Item {
  enum class Kind { Int, Real, Text };
  Kind kind;
  int i = 0;
  float r = 0.0f;
  std::string_view s;
  // Set for an integer that could not be formed from a real (non-finite or
  // beyond the int range, see truncatedInt): its I field is all asterisks.
  bool unrepresentable = false;

  Item(int v) : kind(Kind::Int), i(v) {}
  Item(float v) : kind(Kind::Real), r(v) {}
  Item(double) = delete;
  Item(const char* v) : kind(Kind::Text), s(v) {}
  Item(std::string_view v) : kind(Kind::Text), s(v) {}
  Item(const std::string& v) : kind(Kind::Text), s(v) {}
};

// An integer item taken from a real by truncation toward zero (a power in kW
// printed in I5, a blade number in I4). A NaN, an infinity or a value outside
// the int range gives an item whose I field prints as asterisks.
Item truncatedInt(float v);

// A parsed format template. Parsing happens once per distinct template text;
// get() returns the cached parse.
class FormatTemplate {
 public:
  static const FormatTemplate& get(std::string_view text);

  // Renders the template with the items into whole records (no line terminators).
  std::vector<std::string> render(std::span<const Item> items) const;

  struct Node;  // parsed descriptor tree (defined in the implementation)
  explicit FormatTemplate(std::string_view text);
  ~FormatTemplate();
  FormatTemplate(const FormatTemplate&) = delete;
  FormatTemplate& operator=(const FormatTemplate&) = delete;

 private:
  std::string text_;
  std::unique_ptr<Node> root_;
};

// Free-form (list-directed) output: one record starting with a blank.
std::vector<std::string> renderList(std::span<const Item> items);

// Where records go. A file sink writes each record whole with a line end;
// the console sink treats the first character as carriage control.
class RecordSink {
 public:
  virtual ~RecordSink() = default;
  virtual void record(std::string_view text) = 0;
  virtual void flush() {}
  // A sink whose records nobody reads: write() leaves them unformatted.
  virtual bool discards() const { return false; }
};

// Takes records and drops them. Used for the files and the console of runs
// whose text nobody reads (the companion's silent runs, sweeps): no template
// is rendered for it, and no computed value depends on whether one is.
class DiscardSink : public RecordSink {
 public:
  void record(std::string_view) override {}
  bool discards() const override { return true; }
};

class StreamSink : public RecordSink {  // file: records whole, first character included
 public:
  explicit StreamSink(std::ostream& out) : out_(out) {}
  void record(std::string_view text) override;
  void flush() override;

 private:
  std::ostream& out_;
};

class ConsoleSink : public RecordSink {  // console: carriage control applied
 public:
  explicit ConsoleSink(std::ostream& out) : out_(out) {}
  void record(std::string_view text) override;
  void flush() override;
  // Whether the console has taken every record so far.
  bool good() const { return out_.good(); }

 private:
  std::ostream& out_;
};

// Write one statement: template plus items, records to the sink.
void write(RecordSink& out, std::string_view tmpl, std::initializer_list<Item> items = {});
void write(RecordSink& out, std::string_view tmpl, std::span<const Item> items);
// Free-form output statement; without items it writes an empty record.
void writeList(RecordSink& out, std::initializer_list<Item> items = {});
void writeList(RecordSink& out, std::span<const Item> items);

}  // namespace gemi
