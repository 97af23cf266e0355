// Reading text records and free-form value lists.
#include "format/record_reader.h"

#include <gtest/gtest.h>

#include <sstream>
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
};

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
  float rho = 0, grav = 0;
  in.reader.readList(std::vector<ListTarget>{&rho, &grav});
  EXPECT_EQ(rho, 1025.0f);
  EXPECT_EQ(grav, 9.81f);
  float a = 0, b = 0, c = 0;
  in.reader.readList(std::vector<ListTarget>{&a, &b, &c});  // 4 and 5 are extra values
  EXPECT_EQ(a, 1.0f);
  EXPECT_EQ(b, 2.0f);
  EXPECT_EQ(c, 3.0f);
  int n = 0;
  in.reader.readList(std::vector<ListTarget>{&n});  // an empty record is passed over
  EXPECT_EQ(n, 6);
  EXPECT_EQ(in.nextLine(), "next");
}

TEST(ReadList, SeparatorsNullsRepeatsAndSlash) {
  Input in("1,\t2 , 3\n4,,6\n3*2.5 1\n2* 7 8\n99999999*1 2\n1 2 / 9\n,5\nCRLF\r\n");
  float v[4] = {-1, -1, -1, -1};
  in.reader.readList(std::vector<ListTarget>{&v[0], &v[1], &v[2]});
  EXPECT_EQ(v[0] + v[1] + v[2], 6.0f);
  EXPECT_EQ(v[2], 3.0f);
  v[1] = -1;
  in.reader.readList(std::vector<ListTarget>{&v[0], &v[1], &v[2]});  // null value: unchanged
  EXPECT_EQ(v[0], 4.0f);
  EXPECT_EQ(v[1], -1.0f);
  EXPECT_EQ(v[2], 6.0f);
  in.reader.readList(std::vector<ListTarget>{&v[0], &v[1], &v[2], &v[3]});
  EXPECT_EQ(v[0], 2.5f);
  EXPECT_EQ(v[2], 2.5f);
  EXPECT_EQ(v[3], 1.0f);
  int i[3] = {-1, -1, -1};
  in.reader.readList(std::vector<ListTarget>{&i[0], &i[1], &i[2]});  // "2*": two nulls
  EXPECT_EQ(i[0], -1);
  EXPECT_EQ(i[1], -1);
  EXPECT_EQ(i[2], 7);
  // A huge repeat count fills the targets and nothing more.
  in.reader.readList(std::vector<ListTarget>{&i[0], &i[1]});
  EXPECT_EQ(i[0], 1);
  EXPECT_EQ(i[1], 1);
  i[2] = -1;
  in.reader.readList(std::vector<ListTarget>{&i[0], &i[1], &i[2]});  // "/" ends the read
  EXPECT_EQ(i[0], 1);
  EXPECT_EQ(i[1], 2);
  EXPECT_EQ(i[2], -1);
  in.reader.readList(std::vector<ListTarget>{&i[0], &i[1]});  // a comma first: null
  EXPECT_EQ(i[0], 1);
  EXPECT_EQ(i[1], 5);
  EXPECT_EQ(in.nextLine(), "CRLF");
}

TEST(ReadList, NumberForms) {
  Input in("+7 -7 -2147483648\n1.5E2 1.5d2 -.5 7 2.e-1 1e-50\n");
  int a = 0, b = 0, c = 0;
  in.reader.readList(std::vector<ListTarget>{&a, &b, &c});
  EXPECT_EQ(a, 7);
  EXPECT_EQ(b, -7);
  EXPECT_EQ(c, -2147483647 - 1);
  float r[6];
  in.reader.readList(std::vector<ListTarget>{&r[0], &r[1], &r[2], &r[3], &r[4], &r[5]});
  EXPECT_EQ(r[0], 150.0f);
  EXPECT_EQ(r[1], 150.0f);
  EXPECT_EQ(r[2], -0.5f);
  EXPECT_EQ(r[3], 7.0f);
  EXPECT_EQ(r[4], 0.2f);
  EXPECT_EQ(r[5], 0.0f);  // below the smallest float: zero
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
  float a = 0, b = 0;
  for (const char* line : {"1025,0 9,81\n", "1025,0 9.81\n"}) {
    Input refused(line);
    EXPECT_NE(failureOf([&] { refused.reader.readList(std::vector<ListTarget>{&a, &b}); }).find("\"1025,0\""),
              std::string::npos);
  }
  Input pairs("10,12 Tf Ta\n12,5\n15 17,19\n");
  pairs.reader.readList(std::vector<ListTarget>{&a, &b});  // two draughts
  EXPECT_EQ(a, 10.0f);
  EXPECT_EQ(b, 12.0f);
  EXPECT_NE(failureOf([&] { pairs.reader.readList(std::vector<ListTarget>{&a}); }).find("\"12,5\""),
            std::string::npos);  // one length: the 5 would be dropped unseen
  float v[3];
  pairs.reader.readList(std::vector<ListTarget>{&v[0], &v[1], &v[2]});
  EXPECT_EQ(v[1], 17.0f);
  EXPECT_EQ(v[2], 19.0f);
  Input in("7,15,17,19\n0,0\n1.5,2\n");
  int n = 0;
  in.reader.readList(std::vector<ListTarget>{&n, &v[0], &v[1], &v[2]});
  EXPECT_EQ(n, 7);
  EXPECT_EQ(v[2], 19.0f);
  in.reader.readList(std::vector<ListTarget>{&n, &a});  // an integer, then a real
  EXPECT_EQ(n, 0);
  EXPECT_EQ(a, 0.0f);
  in.reader.readList(std::vector<ListTarget>{&a, &b});
  EXPECT_EQ(a, 1.5f);
  EXPECT_EQ(b, 2.0f);
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
