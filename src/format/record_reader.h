// Record reading: fixed-width text records ("(A80)") and free-form
// (list-directed) numeric reads over a line-oriented stream.
#pragma once

#include <cstdint>
#include <functional>
#include <istream>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <variant>

namespace gemi {

// A read that cannot go on: end of input, or a field that is not a number of
// the kind required. The message is complete and fit for the user.
class ReadFailure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Longest record the reader takes (line end excluded). A longer line is no
// record of this program (an input file or a console that is a device, a
// file that is not text): it ends the read with a ReadFailure rather than
// growing memory without limit.
inline constexpr std::size_t kMaxRecordLength = 1024 * 1024;

// Record counts: a console may feed lines without end.
using LineCount = std::uint64_t;

// Target of one free-form read item.
using ListTarget = std::variant<int*, float*>;

class RecordReader {
 public:
  // `source` names the input in messages (a file name, or the console).
  RecordReader(std::istream& in, std::string source);

  // Next record as read, line end (LF or CRLF) removed; false at end of input.
  // A line longer than kMaxRecordLength throws ReadFailure; `what` names the
  // record for that message.
  bool next(std::string& line, const std::string& what = {});

  // "(A80)"/"(Aw)": the next record padded with blanks or cut to `width`.
  // Throws ReadFailure at end of input; `what` names the record for the message.
  std::string readText(std::size_t width, const std::string& what = {});

  // Free-form read of the targets, in order, from the next record onward;
  // blanks or commas separate values, r*c repeats, "/" ends the read leaving
  // the remaining targets unchanged, the rest of the last record is skipped.
  // Throws ReadFailure at end of input or on a value of the wrong kind;
  // `what` says in words what was being read (for the message).
  // A null value (nothing between two commas, or a comma first in the read)
  // leaves its target unchanged. Integers are an optional sign and digits
  // within the int range; reals an optional sign, digits with an optional
  // point and an optional exponent (E, e, D or d). "NaN" and "Inf" are not
  // numbers here. A decimal comma ("12,5" read into a real) is refused rather
  // than taken as the two values 12 and 5, and so is a word of digits, a
  // comma and more ("9,81x", "0,686.") whose first part ends the read: its
  // second part would be silently dropped.
  void readList(std::span<const ListTarget> targets, const std::string& what = {});

  // The same read over a list that grows as it is read: `target(k)` gives the
  // k-th target (from 0) once the targets before it hold their values, or
  // nothing where the list ends. A count followed by that many values is read
  // this way in one statement.
  void readList(const std::function<std::optional<ListTarget>(std::size_t)>& target, const std::string& what = {});

  // Number of the last record taken from the input (1-based; 0 before any).
  LineCount lineNumber() const { return line_; }
  const std::string& source() const { return source_; }

  // The complete message for a failure at `line` (0: no line) while reading `what`.
  std::string failureMessage(LineCount line, const std::string& what, const std::string& detail) const;

 private:
  std::istream& in_;
  std::string source_;
  LineCount line_ = 0;
};

}  // namespace gemi
