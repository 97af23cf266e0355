// One unit of the reader fuzz target: the record reader and the record
// writer on arbitrary bytes. Shared by the fuzz target and the test that
// replays the seed corpus.
//
// The first bytes of the unit are a small script of reads (text records of a
// chosen width, free-form reads of a chosen mix of integers and reals, single
// records); the rest is the input text. The script is replayed until the
// input ends or a read fails. Every value read is written back through the
// templates the input echo uses, as a free-form record and to the console sink;
// a record that starts with "(" is also taken as a template of its own and
// rendered with the values read so far.
//
// Anything else than a ReadFailure (for a read) or an invalid_argument (for a
// malformed template) escaping, a sanitizer report or a hang is a finding, and
// so is a read failure whose message does not name the input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "format/format_template.h"
#include "format/record_reader.h"

namespace gemi::fuzz {

inline constexpr std::size_t kScriptBytes = 4;

// An upper bound of the records one statement of `text` can produce, per item:
// the product of every count written in it. Templates typed by hand in the
// program are small; the fuzzer's arbitrary ones are rendered only when this
// bound keeps the output small, since "(9999(9999(9999X)))" is a valid template
// whose output is meant to be huge.
inline bool smallExpansion(std::string_view text) {
  double product = 1.0;
  double number = 0.0;
  bool quoted = false;
  for (char c : text) {
    if (c == '\'') quoted = !quoted;
    if (!quoted && c >= '0' && c <= '9') {
      number = number * 10.0 + (c - '0');
      continue;
    }
    if (number > 0.0) product *= number;
    number = 0.0;
  }
  if (number > 0.0) product *= number;
  return product * static_cast<double>(text.size() + 1) < 1.0e6;
}

inline void echoValues(RecordSink& sink, const std::vector<int>& ints, const std::vector<float>& reals) {
  std::vector<Item> items;
  for (int v : ints) items.emplace_back(v);
  for (float v : reals) items.emplace_back(v);
  // The echo and report templates of the program's value records.
  static const char* const kTemplates[] = {"(F7.2,2X,F7.4)", "(I3,50F8.3)", "(2F8.3)", "(4F8.3)",
                                           "(F8.1,A)",       "(I4,1X,F8.3)", "(3I4)",  "(F10.3)"};
  for (const char* t : kTemplates) write(sink, t, items);
  writeList(sink, items);
  for (float v : reals) {
    write(sink, "(I5)", {truncatedInt(v)});
    writeList(sink, {truncatedInt(v), v});
  }
}

inline void renderOwnTemplate(RecordSink& sink, const std::string& text, const std::vector<float>& reals) {
  if (text.size() > 200 || !smallExpansion(text)) return;
  try {
    FormatTemplate tmpl(text);
    std::vector<Item> items;
    for (float v : reals) items.emplace_back(v);
    items.emplace_back(static_cast<int>(reals.size()));
    items.emplace_back(std::string_view(text));
    for (const std::string& rec : tmpl.render(items)) sink.record(rec);
  } catch (const std::invalid_argument&) {
  }
}

// Replays one unit; returns what is wrong, or an empty text.
inline std::string readUnitAndCheck(const std::uint8_t* data, std::size_t size) {
  if (size < kScriptBytes) return {};
  const std::uint8_t* script = data;
  std::istringstream in(std::string(reinterpret_cast<const char*>(data + kScriptBytes), size - kScriptBytes));
  RecordReader reader(in, "fuzz");
  std::ostringstream file;
  std::ostringstream console;
  StreamSink fileSink(file);
  ConsoleSink consoleSink(console);
  std::vector<float> recent;
  try {
    for (std::size_t step = 0;; ++step) {
      std::uint8_t op = script[step % kScriptBytes];
      unsigned count = (op >> 2) % 8;  // 0 .. 7 values in one read
      switch (op % 4) {
        case 0: {
          std::string line;
          if (!reader.next(line)) return {};
          if (!line.empty() && line[0] == '(') renderOwnTemplate(fileSink, line, recent);
          break;
        }
        case 1: {
          std::string text = reader.readText(count * 12, "metin");
          write(consoleSink, "(A80)", {text});
          write(fileSink, "(1X,A)", {text});
          break;
        }
        default: {
          // Integers first for op 2 (a count and its values), reals only for op 3.
          std::vector<int> ints(op % 4 == 2 ? 1 : 0, -7);
          std::vector<float> reals(count, 0.5f);
          std::vector<ListTarget> targets;
          for (int& v : ints) targets.emplace_back(&v);
          for (float& v : reals) targets.emplace_back(&v);
          reader.readList(targets, "sayilar");
          echoValues(fileSink, ints, reals);
          echoValues(consoleSink, ints, reals);
          recent = reals;
        }
      }
    }
  } catch (const ReadFailure& failure) {
    // The message must name the input; it is shown to the user as it stands.
    if (std::string_view(failure.what()).find("fuzz") == std::string_view::npos)
      return std::string("read failure message without the input's name: ") + failure.what();
  }
  return {};
}

}  // namespace gemi::fuzz
