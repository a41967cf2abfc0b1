#include "document/document_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

using namespace document;
using namespace std::string_literals;

TEST(DocumentRules, TxtIsAppendedOnlyForTheTextTypeAndOnlyWithoutAnExactEnding) {
  struct Case {
    const char* path;
    int pattern;
    const char* expected;
  };
  const Case cases[] = {
      {"notiz", 0, "notiz.txt"},
      {"Notiz.TXT", 0, "Notiz.TXT.txt"},
      {"notiz.txt", 0, "notiz.txt"},
      {"C:\\a\\b.txt", 0, "C:\\a\\b.txt"},
      {"x", 0, "x.txt"},  // shorter than four characters: compared whole
      {"txt", 0, "txt.txt"},
      {".txt", 0, ".txt"},
      {"a.tx", 0, "a.tx.txt"},
      {"notiz", 3, "notiz"},
      {"notiz", 1, "notiz"},
      {"notiz", -1, "notiz"},
      {"seite.htm", 2, "seite.htm"},
  };
  for (const Case& c : cases) EXPECT_EQ(withDefaultExtension(c.path, c.pattern), c.expected) << c.path;
}

TEST(DocumentRules, FilterTextBecomesAZeroSeparatedListWithTwoZerosAtTheEnd) {
  EXPECT_EQ(filterList("A|*.a|B|*.b;*.c"), "A\0*.a\0B\0*.b;*.c\0\0"s);
  EXPECT_EQ(filterList(""), "\0\0"s);
  const std::string open = filterList(openFilter);
  EXPECT_EQ(open.rfind("Alle Dateien (*.*)\0*.*\0\0"s), open.size() - 24);
  // Four types: eight entries, each followed by a zero, plus the final one.
  EXPECT_EQ(std::count(open.begin(), open.end(), '\0'), 9);
  const std::string save = filterList(saveAsFilter);
  EXPECT_EQ(save.substr(0, 27), "Text-Dateien (*.txt)\0*.txt\0"s);
  EXPECT_EQ(std::count(save.begin(), save.end(), '\0'), 9);
}

TEST(DocumentRules, DialogStartsInTheFolderBeforeTheLastBackslash) {
  struct Case {
    const char* defaultPath;
    const char* folder;
    const char* name;
  };
  const Case cases[] = {
      {"C:\\Windows\\Desktop\\", "C:\\Windows\\Desktop", ""},
      {"D:\\x\\", "D:\\x", ""},
      {"D:\\x\\a.txt", "D:\\x", "a.txt"},
      {"D:\\x\\wa?.txt", "D:\\x", ""},
      {"a.txt", "", "a.txt"},
      {"", "", ""},
      {"a/b/", "", ""},  // no backslash: all name, and not a valid one
  };
  for (const Case& c : cases) {
    const DialogStart start = dialogStart(c.defaultPath);
    EXPECT_EQ(start.folder, c.folder) << c.defaultPath;
    EXPECT_EQ(start.name, c.name) << c.defaultPath;
  }
}

TEST(DocumentRules, SavePromptsNameTheFilePartOrUnbenannt) {
  struct Case {
    PromptCommand command;
    const char* path;
    const char* purpose;
    const char* text;
  };
  const Case cases[] = {
      {PromptCommand::Close, "D:\\Texte\\a.txt", "Schließen",
       "Möchten Sie die Datei 'a.txt' vor dem Schließen speichern?"},
      {PromptCommand::Close, "", "Schließen", "Möchten Sie die Datei 'Unbenannt' vor dem Schließen speichern?"},
      {PromptCommand::Open, "x/b.txt", "Öffnen",
       "Möchten Sie vor dem Öffnen einer neuen Datei die Datei 'b.txt' speichern?"},
      {PromptCommand::Open, "", "Öffnen",
       "Möchten Sie vor dem Öffnen einer neuen Datei die Datei 'Unbenannt' speichern?"},
      {PromptCommand::Exit, "\"C:\\a b\\c d.txt\"", "Beenden",
       "Möchten Sie vor dem Beenden die Datei 'c d.txt' speichern?"},
      {PromptCommand::Exit, "", "Beenden", "Möchten Sie vor dem Beenden die Datei 'Unbenannt' speichern?"},
      {PromptCommand::New, "C:\\n.txt", "Neu",
       "Möchten Sie die Datei 'n.txt' speichern, bevor ein neues Dokument angelegt wird?"},
      {PromptCommand::New, "", "Neu",
       "Möchten Sie die Datei 'Unbenannt' speichern, bevor ein neues Dokument angelegt wird?"},
  };
  for (const Case& c : cases) {
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

TEST(DocumentRules, PathLimitIsTwoHundredFiftyNineCharacters) {
  EXPECT_FALSE(pathTooLong(std::string(259, 'a')));
  EXPECT_TRUE(pathTooLong(std::string(260, 'a')));
  EXPECT_FALSE(pathTooLong(""));
}

TEST(DocumentRules, SaveFolderIsTheTargetsOwnFolder) {
  EXPECT_EQ(saveFolderOf("C:\\a\\b.txt"), "C:\\a\\");
  EXPECT_EQ(saveFolderOf("C:\\b.txt"), "C:\\");
  EXPECT_EQ(saveFolderOf("x/y/b.txt"), "x/y/");
  EXPECT_EQ(saveFolderOf("b.txt"), ".\\");
}

TEST(DocumentRules, YesGoesOnOnlyAfterACompletedSave) {
  struct Case {
    PromptAnswer answer;
    bool saved;
    bool goesOn;
  };
  const Case cases[] = {
      {PromptAnswer::Yes, true, true}, {PromptAnswer::Yes, false, false},    {PromptAnswer::No, false, true},
      {PromptAnswer::No, true, true},  {PromptAnswer::Cancel, false, false}, {PromptAnswer::Cancel, true, false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(goesOnAfterPrompt(c.answer, c.saved), c.goesOn) << static_cast<int>(c.answer) << " " << c.saved;
}

TEST(DocumentRules, LoadOutcomeDecidesPathMarkStatusAndReport) {
  struct Case {
    LoadSource source;
    LoadOutcome outcome;
    bool changes, keepsPath, marked, reported;
    const char* status;
  };
  using enum LoadSource;
  using enum LoadOutcome;
  const Case cases[] = {
      {OpenDialog, Loaded, true, true, false, false, " Geöffnet"},
      {OpenDialog, Missing, false, false, false, true, ""},
      {OpenDialog, Unreadable, false, false, false, true, ""},
      {OpenDialog, BrokenOff, true, false, true, true, " Ungespeichert"},
      {CommandLine, Loaded, true, true, false, false, " Geöffnet"},
      {CommandLine, Missing, true, true, false, false, " Geöffnet"},
      {CommandLine, Unreadable, true, false, false, true, ""},
      {CommandLine, BrokenOff, true, false, true, true, " Ungespeichert"},
  };
  for (const Case& c : cases) {
    const AfterLoad after = afterLoad(c.source, c.outcome);
    const std::string which =
        std::to_string(static_cast<int>(c.source)) + "/" + std::to_string(static_cast<int>(c.outcome));
    EXPECT_EQ(after.changesDocument, c.changes) << which;
    EXPECT_EQ(after.reported, c.reported) << which;
    if (!c.changes) continue;
    EXPECT_EQ(after.keepsPath, c.keepsPath) << which;
    EXPECT_EQ(after.marked, c.marked) << which;
    EXPECT_EQ(after.status, c.status) << which;
  }
}

TEST(DocumentRules, RenameMovesOnlyAnExistingFileToANonEmptyPathThatFits) {
  struct Case {
    const char* current;
    std::string newPath;
    bool exists;
    RenameStep step;
  };
  const Case cases[] = {
      {"C:\\a.txt", "C:\\b.txt", true, RenameStep::MoveFile},
      {"C:\\a.txt", "C:\\b.txt", false, RenameStep::SetPath},
      {"", "C:\\b.txt", false, RenameStep::SetPath},
      {"C:\\a.txt", "", true, RenameStep::SetPath},
      {"C:\\a.txt", std::string(260, 'b'), true, RenameStep::Refuse},
      {"", std::string(260, 'b'), false, RenameStep::Refuse},
      {"C:\\a.txt", std::string(259, 'b'), true, RenameStep::MoveFile},
  };
  for (const Case& c : cases)
    EXPECT_EQ(renameStep(c.current, c.newPath, c.exists), c.step) << c.current << " -> " << c.newPath.size();
}

}  // namespace
