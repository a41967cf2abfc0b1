#include "document/document_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

namespace {

using namespace document;

TEST(DocumentRules, TxtIsAppendedOnlyForTheTextTypeAndOnlyWithoutAnExactEnding) {
  const struct {
    const char* path;
    int pattern;
    const char* expected;
  } cases[] = {
      {"notiz", 0, "notiz.txt"}, {"Notiz.TXT", 0, "Notiz.TXT.txt"}, {"notiz.txt", 0, "notiz.txt"},
      {"notiz", 1, "notiz"},     {"a.txt.bak", 0, "a.txt.bak.txt"}, {"txt", 0, "txt.txt"},
  };
  for (const auto& c : cases) EXPECT_EQ(withDefaultExtension(c.path, c.pattern), c.expected) << c.path;
  const DialogStart start = dialogStart("D:\\x\\wa?.txt");  // an invalid name leaves the field empty
  EXPECT_EQ(start.folder + "|" + start.name, "D:\\x|");
}

TEST(DocumentRules, SavePromptsNameTheFilePartOrUnbenannt) {
  const struct {
    PromptCommand command;
    const char* path;
    const char* text;
  } cases[] = {
      {PromptCommand::Close, "D:\\Texte\\a.txt", "Möchten Sie die Datei 'a.txt' vor dem Schließen speichern?"},
      {PromptCommand::Open, "x/b.txt", "Möchten Sie vor dem Öffnen einer neuen Datei die Datei 'b.txt' speichern?"},
      {PromptCommand::Exit, "\"C:\\a b\\c d.txt\"", "Möchten Sie vor dem Beenden die Datei 'c d.txt' speichern?"},
      {PromptCommand::New, "", "Möchten Sie die Datei 'Unbenannt' speichern, bevor ein neues Dokument angelegt wird?"},
  };
  for (const auto& c : cases) EXPECT_EQ(savePrompt(c.command, c.path).text, c.text) << c.path;
  // Yes goes on only once the text really was saved.
  for (bool saved : {false, true}) {
    EXPECT_EQ(goesOnAfterPrompt(PromptAnswer::Yes, saved), saved);
    EXPECT_TRUE(goesOnAfterPrompt(PromptAnswer::No, saved));
    EXPECT_FALSE(goesOnAfterPrompt(PromptAnswer::Cancel, saved));
  }
}

TEST(DocumentRules, FailureMessagesNameTheFileAndGiveTheReason) {
  EXPECT_EQ(failureReason(5, "Zugriff verweigert\r\n"), "Zugriff verweigert (Systemfehler 5)");
  EXPECT_EQ(failureReason(3, " \r\n"), "Systemfehler 3.");
  const std::string save = saveFailedMessage("C:\\a\\b.txt", "Grund");
  EXPECT_EQ(save.rfind("Die Datei 'C:\\a\\b.txt' konnte nicht gespeichert werden.", 0), 0u) << save;
  EXPECT_EQ(save.substr(save.size() - 7), "\n\nGrund");
  EXPECT_EQ(openFailedMessage("b.txt", "Grund"), "Die Datei 'b.txt' konnte nicht geöffnet werden.\n\nGrund");
  EXPECT_NE(readBrokenOffMessage("b.txt", "Grund").find("'b.txt' konnte nicht vollständig gelesen werden"),
            std::string::npos);
  // The temporary file goes beside the target.
  EXPECT_EQ(saveFolderOf("C:\\a\\b.txt"), "C:\\a\\");
  EXPECT_EQ(saveFolderOf("b.txt"), ".\\");
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
  EXPECT_EQ(renameStep("C:\\a.txt", "C:\\b.txt", true), RenameStep::MoveFile);
  EXPECT_EQ(renameStep("C:\\a.txt", "C:\\b.txt", false), RenameStep::SetPath);
  EXPECT_EQ(renameStep("C:\\a.txt", "", true), RenameStep::SetPath);
  EXPECT_EQ(renameStep("C:\\a.txt", std::string(260, 'b'), true), RenameStep::Refuse);
  EXPECT_EQ(renameStep("C:\\a.txt", std::string(259, 'b'), true), RenameStep::MoveFile);
}

}  // namespace
