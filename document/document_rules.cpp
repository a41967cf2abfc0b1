#include "document/document_rules.h"

#include <algorithm>
#include <cstddef>
#include <cstdio>

#include "document/document_paths.h"
#include "platform/unicode_text.h"

namespace document {

namespace {

using platform::utf8FromProgramText;

std::string quoted(std::string_view name) { return "'" + std::string(name) + "'"; }

std::string withReason(std::string sentence, std::string_view reason) {
  if (!reason.empty()) sentence += "\n\n" + std::string(reason);
  return sentence;
}

}  // namespace

bool pathTooLong(std::string_view path) { return platform::utf16Length(path) > maxPathLength; }

std::string filterList(std::string_view filter) {
  std::string list(filter);
  for (char& c : list) {
    if (c == '|') c = '\0';
  }
  list.append(2, '\0');
  return list;
}

DialogStart dialogStart(std::string_view defaultPath) {
  const std::size_t backslash = defaultPath.rfind('\\');
  DialogStart start;
  std::string_view name = defaultPath;
  if (backslash != std::string_view::npos) {
    start.folder = std::string(defaultPath.substr(0, backslash));
    name = defaultPath.substr(backslash + 1);
  }
  if (isValidFileName(name)) start.name = std::string(name);
  return start;
}

std::string withDefaultExtension(std::string_view path, int selectedPattern) {
  constexpr std::string_view extension = ".txt";
  std::string result(path);
  const std::string_view ending = path.size() >= extension.size() ? path.substr(path.size() - extension.size()) : path;
  if (selectedPattern == 0 && ending != extension) result += extension;
  return result;
}

std::string saveFolderOf(std::string_view path) {
  const std::size_t separator = path.find_last_of("/\\");
  if (separator == std::string_view::npos) return ".\\";
  return std::string(path.substr(0, separator + 1));
}

std::string saveTempName(std::string_view folder, unsigned number) {
  char digits[5];
  std::snprintf(digits, sizeof digits, "%04X", number & 0xFFFFu);
  std::string name = "~vel" + std::string(digits) + ".tmp";
  const std::size_t folderLength = platform::utf16Length(folder);
  const std::size_t room = folderLength < maxPathLength ? maxPathLength - folderLength : 1;
  if (name.size() <= room) return name;
  if (room == 1) return std::string(1, digits[3]);
  return "~" + std::string(digits + 4 - std::min<std::size_t>(room - 1, 4));
}

SavePrompt savePrompt(PromptCommand command, std::string_view currentPath) {
  const std::string name = currentPath.empty() ? "Unbenannt" : filePart(currentPath);
  switch (command) {
    case PromptCommand::New:
      return {"Neu", utf8FromProgramText("Möchten Sie die Datei '") + name +
                         utf8FromProgramText("' speichern, bevor ein neues Dokument angelegt wird?")};
    case PromptCommand::Open:
      return {"Öffnen",
              utf8FromProgramText("Möchten Sie vor dem Öffnen einer neuen Datei die Datei '") + name + "' speichern?"};
    case PromptCommand::Close:
      return {"Schließen", utf8FromProgramText("Möchten Sie die Datei '") + name +
                                 utf8FromProgramText("' vor dem Schließen speichern?")};
    case PromptCommand::Exit:
      return {"Beenden", utf8FromProgramText("Möchten Sie vor dem Beenden die Datei '") + name + "' speichern?"};
  }
  return {};
}

std::string failureReason(unsigned long code, std::string_view systemText) {
  std::size_t end = systemText.size();
  while (end > 0 && (systemText[end - 1] == '\r' || systemText[end - 1] == '\n' || systemText[end - 1] == ' ')) --end;
  std::string reason(systemText.substr(0, end));
  if (reason.empty()) return "Systemfehler " + std::to_string(code) + ".";
  return reason + " (Systemfehler " + std::to_string(code) + ")";
}

std::string saveFailedMessage(std::string_view path, std::string_view reason) {
  return withReason("Die Datei " + quoted(path) +
                        utf8FromProgramText(" konnte nicht gespeichert werden. Die bisherige Datei ist unverändert, "
                                       "der Text im Editor ist noch nicht gesichert."),
                    reason);
}

std::string tooLargeReason(unsigned long long bytes) {
  constexpr unsigned long long mb = 1ull << 20;
  return "Sie ist " + std::to_string((bytes + mb - 1) / mb) + utf8FromProgramText(" MB groß; der Editor öffnet Dateien bis ") +
         std::to_string(maxOpenBytes / mb) + " MB.";
}

bool fitsInMemory(unsigned long long bytes, unsigned long long lines) {
  return bytes <= maxOpenBytes && bytes * layoutBytesPerByte + lines * layoutBytesPerLine <= layoutBudget;
}

namespace {

// 1234567 as "1.234.567".
std::string groupedDigits(unsigned long long number) {
  const std::string digits = std::to_string(number);
  std::string grouped;
  for (std::size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) grouped += '.';
    grouped += digits[i];
  }
  return grouped;
}

}  // namespace

std::string tooManyLinesReason(unsigned long long bytes, unsigned long long lines) {
  constexpr unsigned long long mb = 1ull << 20;
  const unsigned long long sizeCost = std::min(bytes, maxOpenBytes) * layoutBytesPerByte;
  const unsigned long long most = (layoutBudget - sizeCost) / layoutBytesPerLine / 1000 * 1000;
  return "Sie hat " + groupedDigits(lines) + " Zeilen; bei " + std::to_string((bytes + mb - 1) / mb) +
         utf8FromProgramText(" MB Größe öffnet der Editor Dateien mit bis zu ") + groupedDigits(most) + " Zeilen.";
}

std::string openFailedMessage(std::string_view path, std::string_view reason) {
  return withReason("Die Datei " + quoted(path) + utf8FromProgramText(" konnte nicht geöffnet werden."), reason);
}

std::string readBrokenOffMessage(std::string_view path, std::string_view reason) {
  return withReason("Die Datei " + quoted(path) +
                        utf8FromProgramText(" konnte nicht vollständig gelesen werden. Der gelesene Teil steht als "
                                       "unbenanntes Dokument im Editor."),
                    reason);
}

std::string renameFailedMessage(std::string_view from, std::string_view to, std::string_view reason) {
  return withReason("Die Datei " + quoted(from) + " konnte nicht nach " + quoted(to) + " verschoben werden.",
                    reason);
}

std::string pathTooLongMessage(std::string_view path) {
  return "Der Pfad ist zu lang: " + std::to_string(platform::utf16Length(path)) +
         utf8FromProgramText(" Zeichen, erlaubt sind höchstens ") +
         std::to_string(maxPathLength) + ".\n\n" + std::string(path);
}

bool goesOnAfterPrompt(PromptAnswer answer, bool saved) {
  switch (answer) {
    case PromptAnswer::Yes: return saved;
    case PromptAnswer::No: return true;
    case PromptAnswer::Cancel: return false;
  }
  return false;
}

AfterLoad afterLoad(LoadSource source, LoadOutcome outcome) {
  const bool commandLine = source == LoadSource::CommandLine;
  switch (outcome) {
    case LoadOutcome::Loaded: return {true, true, false, false, " Geöffnet"};
    // A missing command-line file is the usual way to start a new file under that name.
    case LoadOutcome::Missing:
      if (commandLine) return {true, true, false, false, " Geöffnet"};
      return {false, false, false, true, ""};
    case LoadOutcome::Unreadable:
    case LoadOutcome::TooLarge:
      if (commandLine) return {true, false, false, true, ""};
      return {false, false, false, true, ""};
    case LoadOutcome::BrokenOff: return {true, false, true, true, " Ungespeichert"};
  }
  return {false, false, false, false, ""};
}

RenameStep renameStep(std::string_view currentPath, std::string_view newPath, bool currentFileExists) {
  if (pathTooLong(newPath)) return RenameStep::Refuse;
  // An emptied field leaves the document untitled; there is nothing to move a file to.
  if (newPath.empty() || currentPath.empty() || !currentFileExists) return RenameStep::SetPath;
  return RenameStep::MoveFile;
}

}  // namespace document
