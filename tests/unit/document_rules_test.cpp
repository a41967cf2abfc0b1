#include "document/document_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

using namespace document;
using namespace std::string_literals;

TEST(DocumentRules, TxtIsAppendedOnlyForTheTextTypeAndOnlyWithoutAnExactEnding) {
  const struct {
    const char* path;
    int pattern;
    const char* expected;
  } cases[] = {
      {"notiz", 0, "notiz.txt"}, {"Notiz.TXT", 0, "Notiz.TXT.txt"}, {"notiz.txt", 0, "notiz.txt"},
      {".txt", 0, ".txt"},       {"a.tx", 0, "a.tx.txt"},           {"notiz", 1, "notiz"},
      {"notiz", -1, "notiz"},    {"a.txt.bak", 0, "a.txt.bak.txt"},
      {"txt", 0, "txt.txt"},  // shorter than four characters: compared whole
  };
  for (const auto& c : cases) EXPECT_EQ(withDefaultExtension(c.path, c.pattern), c.expected) << c.path;
}

TEST(DocumentRules, FilterTextBecomesAZeroSeparatedListWithTwoZerosAtTheEnd) {
  EXPECT_EQ(filterList("A|*.a|B|*.b;*.c"), "A\0*.a\0B\0*.b;*.c\0\0"s);
  EXPECT_EQ(filterList(""), "\0\0"s);
  // The first type of the save dialog is the one that gets ".txt" appended.
  EXPECT_EQ(filterList(saveAsFilter).substr(0, 27), "Text-Dateien (*.txt)\0*.txt\0"s);
}

TEST(DocumentRules, DialogStartsInTheFolderBeforeTheLastBackslash) {
  const struct {
    const char* defaultPath;
    const char* folder;
    const char* name;
  } cases[] = {
      {"C:\\Windows\\Desktop\\", "C:\\Windows\\Desktop", ""}, {"D:\\x\\a.txt", "D:\\x", "a.txt"},
      {"D:\\x\\wa?.txt", "D:\\x", ""}, {"a.txt", "", "a.txt"}, {"", "", ""},
      {"a/b/", "", ""},  // no backslash: all name, and not a valid one
  };
  for (const auto& c : cases) {
    const DialogStart start = dialogStart(c.defaultPath);
    EXPECT_EQ(start.folder + "|" + start.name, std::string(c.folder) + "|" + c.name) << c.defaultPath;
  }
}

TEST(DocumentRules, SavePromptsNameTheFilePartOrUnbenannt) {
  const struct {
    PromptCommand command;
    const char* path;
    const char* purpose;
    const char* text;
  } cases[] = {
      {PromptCommand::Close, "D:\\Texte\\a.txt", "Schließen",
       "Möchten Sie die Datei 'a.txt' vor dem Schließen speichern?"},
      {PromptCommand::Open, "x/b.txt", "Öffnen",
       "Möchten Sie vor dem Öffnen einer neuen Datei die Datei 'b.txt' speichern?"},
      {PromptCommand::Exit, "\"C:\\a b\\c d.txt\"", "Beenden",
       "Möchten Sie vor dem Beenden die Datei 'c d.txt' speichern?"},
      {PromptCommand::New, "", "Neu",
       "Möchten Sie die Datei 'Unbenannt' speichern, bevor ein neues Dokument angelegt wird?"},
  };
  for (const auto& c : cases) {
    const SavePrompt prompt = savePrompt(c.command, c.path);
    EXPECT_EQ(prompt.purpose, c.purpose) << c.path;
    EXPECT_EQ(prompt.text, c.text) << c.path;
  }
}

TEST(DocumentRules, FailureMessagesNameTheFileAndGiveTheReason) {
  EXPECT_EQ(failureReason(5, "Zugriff verweigert\r\n"), "Zugriff verweigert (Systemfehler 5)");
  EXPECT_EQ(failureReason(1234, ""), "Systemfehler 1234.");
  EXPECT_EQ(failureReason(3, " \r\n"), "Systemfehler 3.");

  const std::string save = saveFailedMessage("C:\\a\\b.txt", "Grund");
  EXPECT_EQ(save.rfind("Die Datei 'C:\\a\\b.txt' konnte nicht gespeichert werden.", 0), 0u) << save;
  EXPECT_EQ(save.substr(save.size() - 7), "\n\nGrund");
  const std::string open = openFailedMessage("b.txt", "Grund");
  EXPECT_EQ(open, "Die Datei 'b.txt' konnte nicht geöffnet werden.\n\nGrund");
  EXPECT_NE(readBrokenOffMessage("b.txt", "Grund").find("'b.txt' konnte nicht vollständig gelesen werden"),
            std::string::npos);
  EXPECT_EQ(renameFailedMessage("a.txt", "b.txt", "Grund"),
            "Die Datei 'a.txt' konnte nicht nach 'b.txt' verschoben werden.\n\nGrund");
  const std::string longPath(300, 'x');
  const std::string tooLong = pathTooLongMessage(longPath);
  EXPECT_NE(tooLong.find("300 Zeichen"), std::string::npos);
  EXPECT_NE(tooLong.find("höchstens 259"), std::string::npos);
  EXPECT_NE(tooLong.find(longPath), std::string::npos);  // shown whole, not cut
}

TEST(DocumentRules, SaveFolderIsTheTargetsOwnFolder) {
  EXPECT_EQ(saveFolderOf("C:\\a\\b.txt"), "C:\\a\\");
  EXPECT_EQ(saveFolderOf("x/y/b.txt"), "x/y/");
  EXPECT_EQ(saveFolderOf("b.txt"), ".\\");
}

TEST(DocumentRules, YesGoesOnOnlyAfterACompletedSave) {
  for (bool saved : {false, true}) {
    EXPECT_EQ(goesOnAfterPrompt(PromptAnswer::Yes, saved), saved);
    EXPECT_TRUE(goesOnAfterPrompt(PromptAnswer::No, saved));
    EXPECT_FALSE(goesOnAfterPrompt(PromptAnswer::Cancel, saved));
  }
}

TEST(DocumentRules, LoadOutcomeDecidesPathMarkStatusAndReport) {
  using enum LoadSource;
  using enum LoadOutcome;
  const struct {
    LoadSource source;
    LoadOutcome outcome;
    bool changes, keepsPath, marked, reported;
    const char* status;
  } cases[] = {
      {OpenDialog, Loaded, true, true, false, false, " Geöffnet"},
      {OpenDialog, Missing, false, false, false, true, ""},
      {OpenDialog, Unreadable, false, false, false, true, ""},
      {OpenDialog, BrokenOff, true, false, true, true, " Ungespeichert"},
      {CommandLine, Loaded, true, true, false, false, " Geöffnet"},
      {CommandLine, Missing, true, true, false, false, " Geöffnet"},
      {CommandLine, Unreadable, true, false, false, true, ""},
      {CommandLine, BrokenOff, true, false, true, true, " Ungespeichert"},
  };
  for (const auto& c : cases) {
    const AfterLoad a = afterLoad(c.source, c.outcome);
    const int which = static_cast<int>(c.source) * 10 + static_cast<int>(c.outcome);
    EXPECT_EQ(std::pair(a.changesDocument, a.reported), std::pair(c.changes, c.reported)) << which;
    // The rest matters only when the document changes.
    if (c.changes)
      EXPECT_EQ(std::tuple(a.keepsPath, a.marked, a.status), std::tuple(c.keepsPath, c.marked, c.status)) << which;
  }
}

TEST(DocumentRules, RenameMovesOnlyAnExistingFileToANonEmptyPathThatFits) {
  const struct {
    const char* current;
    std::string newPath;
    bool exists;
    RenameStep step;
  } cases[] = {
      {"C:\\a.txt", "C:\\b.txt", true, RenameStep::MoveFile},
      {"C:\\a.txt", "C:\\b.txt", false, RenameStep::SetPath},
      {"", "C:\\b.txt", false, RenameStep::SetPath},
      {"C:\\a.txt", "", true, RenameStep::SetPath},
      {"C:\\a.txt", std::string(260, 'b'), true, RenameStep::Refuse},
      {"", std::string(260, 'b'), false, RenameStep::Refuse},
      {"C:\\a.txt", std::string(259, 'b'), true, RenameStep::MoveFile},
  };
  for (const auto& c : cases)
    EXPECT_EQ(renameStep(c.current, c.newPath, c.exists), c.step) << c.current << " -> " << c.newPath.size();
}

}  // namespace
