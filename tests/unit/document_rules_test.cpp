#include "document/document_rules.h"
#include "document/document_paths.h"
#include "document/titles.h"
#include "platform/unicode_text.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

using namespace document;

TEST(DocumentRules, TxtIsAppendedOnlyForTheTextTypeAndOnlyWithoutAnExactEnding) {
  const std::tuple<const char*, int, const char*> cases[] = {
      {"notiz", 0, "notiz.txt"},  {"Notiz.TXT", 0, "Notiz.TXT.txt"}, {"notiz.txt", 0, "notiz.txt"},
      {"notiz", 1, "notiz"},      {"a.txt.bak", 0, "a.txt.bak.txt"}, {"txt", 0, "txt.txt"},
  };
  for (const auto& [path, pattern, expected] : cases) EXPECT_EQ(withDefaultExtension(path, pattern), expected) << path;
}

TEST(DocumentRules, SavePromptsNameTheFileAndYesGoesOnOnlyAfterACompletedSave) {
  const std::tuple<PromptCommand, const char*, const char*> cases[] = {
      {PromptCommand::Close, "D:\\Texte\\a.txt", "Möchten Sie die Datei 'a.txt' vor dem Schließen speichern?"},
      {PromptCommand::Open, "x/b.txt", "Möchten Sie vor dem Öffnen einer neuen Datei die Datei 'b.txt' speichern?"},
      {PromptCommand::Exit, "\"C:\\a b\\c d.txt\"", "Möchten Sie vor dem Beenden die Datei 'c d.txt' speichern?"},
      {PromptCommand::New, "", "Möchten Sie die Datei 'Unbenannt' speichern, bevor ein neues Dokument angelegt wird?"},
  };
  // The prompts name a file, so they are UTF-8.
  for (const auto& [command, path, text] : cases) {
    EXPECT_EQ(savePrompt(command, path).text, platform::utf8FromProgramText(text)) << path;
  }
  for (bool saved : {false, true}) {
    EXPECT_EQ(goesOnAfterPrompt(PromptAnswer::Yes, saved), saved);
    EXPECT_TRUE(goesOnAfterPrompt(PromptAnswer::No, saved));
    EXPECT_FALSE(goesOnAfterPrompt(PromptAnswer::Cancel, saved));
  }
}

std::string utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// A name beyond the code page stays as it is in the messages, among German text converted to UTF-8;
// the path limit counts the characters of the wide form, an emoji as two.
TEST(DocumentRules, NamesBeyondTheCodePageAreKeptAndCountedAsTheSystemCounts) {
  const std::string name = utf8(u8"Łódź → 📝.txt");  // 12 characters, 13 wide units, 20 bytes
  EXPECT_EQ(savePrompt(PromptCommand::Close, "C:\\" + name).text,
            utf8(u8"Möchten Sie die Datei '") + name + utf8(u8"' vor dem Schließen speichern?"));
  EXPECT_EQ(mainTitle("C:\\" + name, true), "Velloro v2.0 Beta 3  -  " + name + "*");
  const std::string fits = "C:\\" + std::string(maxPathLength - 3 - 13, 'x') + name;
  EXPECT_FALSE(pathTooLong(fits));
  EXPECT_TRUE(pathTooLong(fits + "x"));
  EXPECT_EQ(pathTooLongMessage(fits + "x").rfind(utf8(u8"Der Pfad ist zu lang: 260 Zeichen, erlaubt sind höchstens 259."), 0),
            0u);
  // The temporary file's name is shortened by the folder's wide length too.
  EXPECT_EQ(saveTempName(std::string(maxPathLength - 12 - 13, 'd') + name, 0x1A2B), "~vel1A2B.tmp");

  const std::tuple<std::string, std::string> conversions[] = {
      {"Gr\xFC\xDF" "e", utf8(u8"Grüße")}, {"\x80 \x96 \x9F", utf8(u8"€ – Ÿ")}, {"\x81", "\xC2\x81"}, {"abc", "abc"}};
  for (const auto& [cp1252, expected] : conversions) EXPECT_EQ(platform::utf8FromCp1252(cp1252), expected);
  const std::tuple<std::string, std::size_t> lengths[] = {
      {name, 13}, {"\xC3", 1}, {"\xF0\x9F\x93", 3}, {"\xE2\x86\x92", 1}, {"\xFF\xC3\xA4", 2}, {"", 0}};
  for (const auto& [text, units] : lengths) EXPECT_EQ(platform::utf16Length(text), units) << text;
}

TEST(DocumentRules, FailureMessagesNameTheFileAndGiveTheReason) {
  EXPECT_EQ(failureReason(5, "Zugriff verweigert\r\n"), "Zugriff verweigert (Systemfehler 5)");
  const std::string save = saveFailedMessage("C:\\a\\b.txt", "Grund");
  EXPECT_EQ(save.rfind("Die Datei 'C:\\a\\b.txt' konnte nicht gespeichert werden.", 0), 0u) << save;
  EXPECT_EQ(save.substr(save.size() - 7), "\n\nGrund");
  // The temporary file goes beside the target.
  EXPECT_EQ(saveFolderOf("C:\\a\\b.txt"), "C:\\a\\");
  EXPECT_EQ(saveFolderOf("b.txt"), ".\\");
  // Its name fits wherever the target's name does, however little room the folder leaves.
  const std::pair<std::size_t, const char*> names[] = {
      {3, "~vel1A2B.tmp"}, {maxPathLength - 12, "~vel1A2B.tmp"}, {maxPathLength - 11, "~1A2B"},
      {maxPathLength - 3, "~2B"}, {maxPathLength - 1, "B"}};
  for (const auto& [folderLength, name] : names) {
    EXPECT_EQ(saveTempName(std::string(folderLength, 'd'), 0x51A2B), name) << folderLength;
  }
}

// Files that opened in the program pass; one whose lines would need more memory than the process
// has is refused, and the refusal names the most lines a file of its size may have.
TEST(DocumentRules, AFileOfManyShortLinesIsRefusedBeforeItRunsTheProcessOutOfMemory) {
  constexpr unsigned long long mib = 1ull << 20;
  struct Case {
    const char* file;
    unsigned long long bytes, lines;
    bool fits;
  };
  const Case cases[] = {
      {"32 MiB of prose", 32 * mib, 548'296, true},
      {"32 MiB of 64-byte lines", 32 * mib, 524'289, true},
      {"10 MB of prose", 10 * mib, 171'000, true},
      {"one byte over the size limit", 32 * mib + 1, 1, false},
      {"16 MiB of 8-byte lines", 16 * mib, 2'097'153, false},
      {"8 MiB of empty lines", 8 * mib, 4'194'305, false},
      {"32 MiB with a few lines more than 64-byte ones", 32 * mib, 560'000, false},
  };
  for (const Case& c : cases) EXPECT_EQ(fitsInMemory(c.bytes, c.lines), c.fits) << c.file;
  const std::string reason = tooManyLinesReason(16 * mib, 2'097'153);
  EXPECT_EQ(reason, platform::utf8FromProgramText(
                        "Sie hat 2.097.153 Zeilen; bei 16 MB Größe öffnet der Editor Dateien mit bis zu "
                        "1.062.000 Zeilen."));
  // The most lines named fit, a thousand more do not.
  EXPECT_TRUE(fitsInMemory(16 * mib, 1'062'000));
  EXPECT_FALSE(fitsInMemory(16 * mib, 1'063'000));
}

TEST(DocumentRules, LoadOutcomeDecidesPathMarkStatusAndReport) {
  using enum LoadSource;
  using enum LoadOutcome;
  // Source, outcome, then: document changes, named after the path, marked, reported, status.
  const std::tuple<LoadSource, LoadOutcome, AfterLoad> cases[] = {
      {OpenDialog, Loaded, {true, true, false, false, " Geöffnet"}},
      {OpenDialog, Missing, {false, false, false, true, ""}},
      {OpenDialog, BrokenOff, {true, false, true, true, " Ungespeichert"}},
      {CommandLine, Missing, {true, true, false, false, " Geöffnet"}},
      {CommandLine, Unreadable, {true, false, false, true, ""}},
      {OpenDialog, TooLarge, {false, false, false, true, ""}},
      {CommandLine, TooLarge, {true, false, false, true, ""}},
  };
  for (const auto& [source, outcome, e] : cases) {
    const AfterLoad a = afterLoad(source, outcome);
    const int which = static_cast<int>(source) * 10 + static_cast<int>(outcome);
    EXPECT_EQ(std::pair(a.changesDocument, a.reported), std::pair(e.changesDocument, e.reported)) << which;
    // The rest matters only when the document changes.
    if (e.changesDocument)
      EXPECT_EQ(std::tuple(a.keepsPath, a.marked, a.status), std::tuple(e.keepsPath, e.marked, e.status)) << which;
  }
}

TEST(DocumentRules, RenameMovesOnlyAnExistingFileToANonEmptyPathThatFits) {
  EXPECT_EQ(renameStep("C:\\a.txt", "C:\\b.txt", true), RenameStep::MoveFile);
  EXPECT_EQ(renameStep("C:\\a.txt", "", true), RenameStep::SetPath);
  EXPECT_EQ(renameStep("C:\\a.txt", std::string(260, 'b'), true), RenameStep::Refuse);
}

TEST(DocumentPaths, FileAndPathPartsNameTheTitleAndFileNamesAreChecked) {
  EXPECT_EQ(filePart(R"("D:\x\my file.txt")") + "|" + pathPart(R"("D:\x\my file.txt")"), R"(my file.txt|D:\x\)");
  EXPECT_EQ(mainTitle(R"("D:\x\my file.txt")", true), "Velloro v2.0 Beta 3  -  my file.txt*");
  EXPECT_TRUE(isValidFileName("Übung.txt"));
  for (const std::string name : {"", "a:b.txt", "was?.txt", "a\\b", "a|b", "\x1F"})
    EXPECT_FALSE(isValidFileName(name)) << name;
}

}  // namespace
