#include <gtest/gtest.h>

#include <string>

#include "document/recovery_format.h"
#include "document/recovery_schedule.h"

namespace {

using namespace document;

std::string utf16Bytes(const std::u16string& text) {
  std::string bytes;
  for (char16_t c : text) bytes += static_cast<char>(c & 0xFF), bytes += static_cast<char>(c >> 8);
  return bytes;
}

CopyHeader sampleHeader() {
  CopyHeader header;
  header.path = "C:\\Texte\\Übung 1.txt";
  header.encoding = platform::TextEncoding::Utf8Bom;
  header.lineEnds = platform::LineEndStyle::Lf;
  header.owner = {4242, 0x01DB4C2A11223344ull};
  header.written = {2026, 12, 7, 9, 5, 3};
  return header;
}

// A copy as the writer leaves it: header, then the length filled in once the text is out.
std::string copyBytes(const CopyHeader& header, const std::u16string& text) {
  std::string bytes = formatCopyHeader(header, 0);
  bytes.replace(textLengthAt(bytes), textLengthDigits, textLengthField(text.size() * 2));
  return bytes + utf16Bytes(text);
}

TEST(RecoveryCopy, WholeCopyReadsBackAsWritten) {
  const std::u16string text = u"Zeile 1\r\nÄpfel \u4E2D \U0001F600\r\n";
  for (const std::u16string& t : {text, std::u16string()}) {
    const auto copy = readCopy(copyBytes(sampleHeader(), t));
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->header, sampleHeader());
    EXPECT_EQ(copy->text, t);
    EXPECT_TRUE(copy->complete);
  }
}

// A copy cut anywhere gives what it holds, whole characters only; bytes that are no copy give none.
TEST(RecoveryCopy, DamagedCopyGivesWhatItHolds) {
  const std::u16string text = u"ab\U0001F600c";  // the emoji is a surrogate pair
  const std::string whole = copyBytes(sampleHeader(), text);
  const std::size_t textAt = whole.size() - text.size() * 2;
  struct Case {
    std::size_t cut;
    std::u16string text;
    bool headerRead;
  } cases[] = {
      {textAt + 8, u"ab\U0001F600", true}, {textAt + 7, u"ab", true}, {textAt + 6, u"ab", true},
      {textAt + 3, u"a", true},            {textAt, u"", true},       {textAt - 1, u"", true},
      {whole.find("Zeit=") + 8, u"", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.cut);
    const auto copy = readCopy(std::string_view(whole).substr(0, c.cut));
    ASSERT_TRUE(copy.has_value());
    EXPECT_EQ(copy->text, c.text);
    EXPECT_FALSE(copy->complete);
    EXPECT_EQ(copy->header.path, sampleHeader().path);
    EXPECT_EQ(copy->header.written, c.headerRead ? sampleHeader().written : LocalTime{});
  }
  // Bytes behind the declared text are not part of it.
  EXPECT_EQ(readCopy(whole + "xy")->text, text);
  for (std::string_view notCopy : {"", "Velloro", "Hallo\nPfad=x\n\n"}) EXPECT_FALSE(readCopy(notCopy).has_value());
}

TEST(RecoveryCopy, FileNameCarriesTheOwner) {
  const CopyOwner owner{4242, 0x01DB4C2A11223344ull};
  EXPECT_EQ(copyFileName(owner), "4242-01DB4C2A11223344.wdh");
  EXPECT_EQ(ownerOfCopyName(copyFileName(owner)), owner);
  for (std::string_view other : {"4242-01DB4C2A11223344.tmp", "-01DB4C2A11223344.wdh", "42x2-01DB4C2A11223344.wdh",
                                 "4242-01DB4C2A1122334.wdh", "4242-01DB4C2A1122334G.wdh", "~vel1A2B.tmp"}) {
    EXPECT_FALSE(ownerOfCopyName(other).has_value()) << other;
  }
}

TEST(RecoveryCopy, QuestionNamesTheDocumentAndTime) {
  const LocalTime t{2026, 12, 7, 9, 5, 3};
  EXPECT_EQ(recoveryQuestion("C:\\Texte\\a.txt", t),
            "Velloro wurde nicht ordnungsgemäß beendet. Soll der ungespeicherte Text von 'a.txt' vom 07.12.2026 "
            "09:05 wiederhergestellt werden?");
  EXPECT_NE(recoveryQuestion("", t).find("von 'Unbenannt' vom"), std::string::npos);
}

// Milliseconds from the first keystroke: when the copy falls due for a run of edits.
TEST(RecoverySchedule, CopyFollowsAPauseAndAtMostEveryThirtySecondsWhileTyping) {
  struct Case {
    const char* name;
    RecoverySchedule::Millis lastTook;  // the previous copy's time
    RecoverySchedule::Millis editsEvery, lastEdit;  // keystrokes from 0 to lastEdit
    RecoverySchedule::Millis now, dueIn;
  } cases[] = {
      {"one keystroke, then a pause", 0, 1, 0, 500, 1500},
      {"due once the pause is over", 0, 1, 0, 2500, 0},
      {"typing goes on: the pause starts again", 0, 950, 1900, 2000, 1900},
      {"typing without a pause for 30 s", 0, 1500, 28500, 29500, 500},
      {"a large text waits for a longer pause", 1000, 1, 0, 2500, 1500},
      {"and is written less often while typing", 1000, 3000, 99000, 99500, 500},
      {"not after 30 s", 1000, 3000, 33000, 33500, 3500},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RecoverySchedule schedule;
    schedule.edited(-100000);
    schedule.written(c.lastTook);
    EXPECT_EQ(schedule.dueIn(0), -1);
    for (RecoverySchedule::Millis at = 0; at <= c.lastEdit; at += c.editsEvery) schedule.edited(at);
    EXPECT_EQ(schedule.dueIn(c.now), c.dueIn);
    schedule.cleared();
    EXPECT_EQ(schedule.dueIn(c.now), -1);
  }
}

}  // namespace
