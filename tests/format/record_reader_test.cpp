// Reading text records and free-form value lists.
#include "format/record_reader.h"

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace gemi {
namespace {

struct Input {
  explicit Input(std::string text, std::string source = "KR-22-03-2017.TSK")
      : stream(std::move(text)), reader(stream, std::move(source)) {}
  std::istringstream stream;
  RecordReader reader;

  std::string nextLine() {
    std::string line;
    EXPECT_TRUE(reader.next(line));
    return line;
  }

  // Reads one value list into targets holding `v` and returns what they hold after it.
  template <class T>
  std::vector<T> read(std::vector<T> v) {
    std::vector<ListTarget> targets;
    for (T& x : v) targets.push_back(&x);
    reader.readList(targets);
    return v;
  }
};

using Reals = std::vector<float>;
using Ints = std::vector<int>;

// The message of the ReadFailure thrown by `f`, or "" when nothing was thrown.
template <class F>
std::string failureOf(F f) {
  try {
    f();
  } catch (const ReadFailure& e) {
    return e.what();
  }
  return "";
}

TEST(ReadText, PadsCutsAndStripsLineEnds) {
  Input in("abc\r\n" + std::string(100, 'x') + "\nlast");
  EXPECT_EQ(in.reader.readText(6), "abc   ");
  EXPECT_EQ(in.reader.readText(80), std::string(80, 'x'));
  EXPECT_EQ(in.reader.readText(4), "last");  // last line without a line end still counts
  EXPECT_EQ(in.reader.lineNumber(), 3);
  std::string msg = failureOf([&] { in.reader.readText(80, "aciklama satiri"); });
  EXPECT_NE(msg.find("KR-22-03-2017.TSK"), std::string::npos) << msg;
  EXPECT_NE(msg.find("satir 4"), std::string::npos) << msg;
  EXPECT_NE(msg.find("aciklama satiri"), std::string::npos) << msg;
}

TEST(ReadList, ValuesAcrossRecordsAndRestOfLineSkipped) {
  Input in("1025.0 9.81 ve diger kelimeler\n1 2\n3 4 5\n\n  6\nnext\n");
  EXPECT_EQ(in.read(Reals{0, 0}), (Reals{1025.0f, 9.81f}));
  EXPECT_EQ(in.read(Reals{0, 0, 0}), (Reals{1, 2, 3}));  // 4 and 5 are extra values
  EXPECT_EQ(in.read(Ints{0}), Ints{6});                  // an empty record is passed over
  EXPECT_EQ(in.nextLine(), "next");
}

TEST(ReadList, SeparatorsNullsRepeatsAndSlash) {
  Input in("1,\t2 , 3\n4,,6\n3*2.5 1\n2* 7 8\n99999999*1 2\n1 2 / 9\n,5\nCRLF\r\n");
  EXPECT_EQ(in.read(Reals{-1, -1, -1}), (Reals{1, 2, 3}));
  EXPECT_EQ(in.read(Reals{-1, -1, -1}), (Reals{4, -1, 6}));  // null value: unchanged
  EXPECT_EQ(in.read(Reals{-1, -1, -1, -1}), (Reals{2.5f, 2.5f, 2.5f, 1}));
  EXPECT_EQ(in.read(Ints{-1, -1, -1}), (Ints{-1, -1, 7}));  // "2*": two nulls
  EXPECT_EQ(in.read(Ints{-1, -1}), (Ints{1, 1}));           // a huge repeat count fills the targets and nothing more
  EXPECT_EQ(in.read(Ints{-1, -1, -1}), (Ints{1, 2, -1}));   // "/" ends the read
  EXPECT_EQ(in.read(Ints{-1, -1}), (Ints{-1, 5}));          // a comma first: null
  EXPECT_EQ(in.nextLine(), "CRLF");
}

TEST(ReadList, NumberForms) {
  Input in("+7 -7 -2147483648\n1.5E2 1.5d2 -.5 7 2.e-1 1e-50\n");
  EXPECT_EQ(in.read(Ints{0, 0, 0}), (Ints{7, -7, -2147483647 - 1}));
  // 1e-50 is below the smallest float: zero.
  EXPECT_EQ(in.read(Reals{1, 1, 1, 1, 1, 1}), (Reals{150, 150, -0.5f, 7, 0.2f, 0}));
}

// Each bad value fails with a message naming the source, the line, the record and the text found.
TEST(ReadList, BadValuesFail) {
  struct Case {
    const char* text;
    bool integer;
    const char* found;
  };
  for (const Case& k : {Case{"3.0", true, "\"3.0\""}, Case{"abc", false, "\"abc\""}, Case{"2147483648", true, "asiyor"},
                        Case{"1e39", false, "asiyor"}, Case{"NaN", false, "\"NaN\""}, Case{"inf", false, "\"inf\""},
                        Case{"1e", false, "\"1e\""}, Case{".", false, "\".\""}, Case{"0*5", true, "\"0*5\""},
                        Case{"x*5", true, "\"x*5\""}, Case{"12,5", false, "nokta"}}) {
    Input in("* aciklama\n" + std::string(k.text) + "\n");
    in.nextLine();
    int i = 0;
    float r = 0;
    std::string msg = failureOf([&] {
      in.reader.readList(k.integer ? std::vector<ListTarget>{&i} : std::vector<ListTarget>{&r}, "kayit 4 (B)");
    });
    EXPECT_NE(msg.find("KR-22-03-2017.TSK, satir 2"), std::string::npos) << k.text << ": " << msg;
    EXPECT_NE(msg.find("kayit 4 (B)"), std::string::npos) << msg;
    EXPECT_NE(msg.find(k.found), std::string::npos) << msg;
  }
}

// A decimal comma is refused for reals where the word cannot be two values of
// the read (numbers of its record would be left unread); commas between whole
// values stay separators.
TEST(ReadList, DecimalCommaOnlyWhereItCannotBeAList) {
  for (const char* line : {"1025,0 9,81\n", "1025,0 9.81\n"}) {
    Input refused(line);
    EXPECT_NE(failureOf([&] { refused.read(Reals{0, 0}); }).find("\"1025,0\""), std::string::npos) << line;
  }
  Input pairs("10,12 Tf Ta\n12,5\n15 17,19\n");
  EXPECT_EQ(pairs.read(Reals{0, 0}), (Reals{10, 12}));  // two draughts
  // One length: the 5 would be dropped unseen.
  EXPECT_NE(failureOf([&] { pairs.read(Reals{0}); }).find("\"12,5\""), std::string::npos);
  EXPECT_EQ(pairs.read(Reals{0, 0, 0}), (Reals{15, 17, 19}));
  Input in("7,15,17,19\n0,0\n1.5,2\n");
  int n = 0;
  float a = 0, v[3];
  in.reader.readList(std::vector<ListTarget>{&n, &v[0], &v[1], &v[2]});
  EXPECT_EQ(n, 7);
  EXPECT_EQ(v[2], 19.0f);
  in.reader.readList(std::vector<ListTarget>{&n, &a});  // an integer, then a real
  EXPECT_EQ(n, 0);
  EXPECT_EQ(a, 0.0f);
  EXPECT_EQ(in.read(Reals{0, 0}), (Reals{1.5f, 2}));
}

// A word of digits, a comma and anything more whose first part ends the read
// loses its second part unseen: refused, whatever stands after the comma.
// Where the second part is read as the next value, the comma separates.
TEST(ReadList, DecimalCommaRefusedWhereTheReadEndsOnItsFirstPart) {
  const struct {
    const char* line;
    std::size_t values;
    bool refused;
  } cases[] = {
      {"1025 9,81x\n", 2, true},
      {"1025 9,81.\n", 2, true},
      {"1025 9,81\xC2\xA0\n", 2, true},  // a non-breaking space after the word
      {"0,686.\n", 1, true},
      {"-0,5e\n", 1, true},
      {"1025 9,81\n", 2, true},           // as before: a number left on the record
      {"10,12\n", 2, false},              // two draughts
      {"1025 9.81,x\n", 2, false},        // the value has a point: the comma ends it
      {"1025 9 ,81x\n", 2, false},        // a blank before the comma: the rest is not read
      {"1,2,3\n", 2, false},              // a list of values
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Input in(c.line);
    const std::string msg = failureOf([&] { in.read(Reals(c.values, 0.0f)); });
    EXPECT_EQ(!msg.empty(), c.refused) << msg;
    if (c.refused) EXPECT_NE(msg.find("nokta kullanin"), std::string::npos) << msg;
  }
}

// A stream that gives the same character without end, like /dev/zero.
class Endless : public std::streambuf {
 public:
  explicit Endless(char c) { buf_.fill(c); }

 protected:
  int_type underflow() override {
    setg(buf_.data(), buf_.data(), buf_.data() + buf_.size());
    return traits_type::to_int_type(buf_[0]);
  }

 private:
  std::array<char, 4096> buf_{};
};

TEST(ReadText, LineBeyondTheLimitFailsNamingSourceAndLine) {
  // The limit itself, with a CRLF line end, is still a record.
  Input atLimit("x\n" + std::string(kMaxRecordLength, 'y') + "\r\n" + std::string(kMaxRecordLength + 1, 'z') + "\n");
  EXPECT_EQ(atLimit.nextLine(), "x");
  EXPECT_EQ(atLimit.nextLine().size(), kMaxRecordLength);
  std::string msg = failureOf([&] { atLimit.reader.readText(80, "aciklama satiri"); });
  EXPECT_NE(msg.find("KR-22-03-2017.TSK, satir 3"), std::string::npos) << msg;
  EXPECT_NE(msg.find("uzun"), std::string::npos) << msg;
  // A console that never ends a line (/dev/zero) ends the read instead of filling memory.
  for (char c : {'\0', '9'}) {
    Endless zeros(c);
    std::istream stream(&zeros);
    RecordReader console(stream, "konsol");
    float a = 0;
    msg = failureOf([&] { console.readList(std::vector<ListTarget>{&a}, "etad"); });
    EXPECT_NE(msg.find("konsol, satir 1"), std::string::npos) << msg;
    EXPECT_NE(msg.find("uzun"), std::string::npos) << msg;
  }
}

TEST(ReadList, EndOfInputFails) {
  Input empty("", "konsol");
  float a = 0, b = 0;
  std::string msg = failureOf([&] { empty.reader.readList(std::vector<ListTarget>{&a}, "etad"); });
  EXPECT_NE(msg.find("konsol, satir 1"), std::string::npos) << msg;
  EXPECT_NE(msg.find("dosya sonu"), std::string::npos) << msg;
  Input shortInput("1\n");
  msg = failureOf([&] { shortInput.reader.readList(std::vector<ListTarget>{&a, &b}, "kayit 5 (Tf, Ta)"); });
  EXPECT_NE(msg.find("satir 2"), std::string::npos) << msg;
  EXPECT_EQ(a, 1.0f);
}

TEST(ReadList, HostileInputEndsQuickly) {
  float a = 0;
  Input longLine(std::string(100000, '9') + "x\n");
  std::string msg = failureOf([&] { longLine.reader.readList(std::vector<ListTarget>{&a}); });
  ASSERT_FALSE(msg.empty());
  EXPECT_LT(msg.size(), 300u);
  Input binary(std::string("\x01\xff\x00\x7f", 4) + "\n");
  msg = failureOf([&] { binary.reader.readList(std::vector<ListTarget>{&a}); });
  ASSERT_FALSE(msg.empty());
  for (char c : msg) EXPECT_TRUE(c >= 0x20 && c < 0x7f) << msg;
  // A long run of digits is a very large real: beyond the float range.
  Input digits(std::string(100000, '9') + "\n");
  EXPECT_NE(failureOf([&] { digits.reader.readList(std::vector<ListTarget>{&a}); }).find("asiyor"),
            std::string::npos);
}

}  // namespace
}  // namespace gemi
