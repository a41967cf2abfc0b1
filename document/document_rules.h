#pragma once
// What the document commands decide and say, as values: the file-dialog inputs, the ".txt" rule,
// the save prompts, the failure messages, and what each outcome of a load or a prompt leads to.
#include <cstddef>
#include <string>
#include <string_view>

namespace document {

// Longest path the platform accepts: MAX_PATH less the terminating zero.
inline constexpr std::size_t maxPathLength = 259;

inline constexpr std::string_view openFilter =
    "Text-Dateien (*.txt, *.ini)|*.txt;*.ini|Batch-Skripte (*.bat)|*.bat|"
    "HTML-Dateien (*.htm, *.html, *.shtml, *.xhtml)|*.htm;*.html;*.shtml;*.xhtml|Alle Dateien (*.*)|*.*";
inline constexpr std::string_view saveAsFilter =
    "Text-Dateien (*.txt)|*.txt|Batch-Skripte (*.bat)|*.bat|"
    "HTML-Dateien (*.htm, *.html, *.shtml, *.xhtml)|*.htm;*.html;*.shtml;*.xhtml|Alle Dateien (*.*)|*.*";
inline constexpr std::string_view openDefaultPath = "C:\\Windows\\Desktop\\";
// Both dialogs open with "Alle Dateien (*.*)" selected.
inline constexpr int initialTypeIndex = 3;

// Paths are UTF-8; the limit counts the characters of their wide form, as the system does.
bool pathTooLong(std::string_view path);

// Largest file that is opened. The text control lays a text out whole, at about 90 bytes of memory
// per character; the program is large-address aware, and under Wine 32 MB then took 3.0 GB of the
// 4 GB, 40 MB 3.7 GB, and 50 MB ran the process out of address space (the control ended it instead
// of failing). The rest is left for editing, undo and the clipboard.
inline constexpr unsigned long long maxOpenBytes = 32ull << 20;

// Why a file larger than that is not opened, sizes in whole MB rounded up.
std::string tooLargeReason(unsigned long long bytes);

// Below that size a file of many short lines can still run the process out of memory: the control
// also keeps about 2.8 KB for every line (16 MB of 8-byte lines took 7.1 GB). Measured as the peak
// working set after a load in a 64-bit build, which needs more than this 32-bit program, the
// control took about 85 bytes per byte of the file plus 2,800 per line; the budget admits 32 MB of
// prose and 32 MB of 64-byte lines, which this program opened, and nothing that needs more.
inline constexpr unsigned long long layoutBytesPerByte = 85;
inline constexpr unsigned long long layoutBytesPerLine = 2'800;
inline constexpr unsigned long long layoutBudget = 4'400'000'000ull;
bool fitsInMemory(unsigned long long bytes, unsigned long long lines);

// Why a file of that many lines is not opened, with the most lines a file of its size may have.
std::string tooManyLinesReason(unsigned long long bytes, unsigned long long lines);

// The filter text as the platform's list: every "|" becomes a zero and the list ends with two zeros.
std::string filterList(std::string_view filter);

// Where a file dialog starts: the text before the last backslash is the folder; the text after it
// is the name when it is a valid file name, else the name field starts empty.
struct DialogStart {
  std::string folder;
  std::string name;
};
DialogStart dialogStart(std::string_view defaultPath);

// Appends ".txt" when the text type (pattern 0) was chosen and the path does not already end in
// exactly ".txt"; case counts.
std::string withDefaultExtension(std::string_view path, int selectedPattern);

// The folder a save writes its temporary file into: the target's folder with its separator, or
// the current folder for a bare name.
std::string saveFolderOf(std::string_view path);

// Name of a save's temporary file in that folder, made from the low 16 bits of number:
// "~velXXXX.tmp", shortened where the folder leaves less room before the path limit, so that it
// fits wherever the target's own name does (down to a single hexadecimal digit).
std::string saveTempName(std::string_view folder, unsigned number);

enum class PromptCommand { New, Open, Close, Exit };

// The prompts and messages below name a file, so their texts are UTF-8 (their purposes stay code
// page 1252), as are the reasons they are given.

struct SavePrompt {
  std::string purpose;
  std::string text;
};
SavePrompt savePrompt(PromptCommand command, std::string_view currentPath);

// The system's description of a failure, or the bare code when there is none.
std::string failureReason(unsigned long code, std::string_view systemText);

std::string saveFailedMessage(std::string_view path, std::string_view reason);
std::string openFailedMessage(std::string_view path, std::string_view reason);
std::string readBrokenOffMessage(std::string_view path, std::string_view reason);
std::string renameFailedMessage(std::string_view from, std::string_view to, std::string_view reason);
std::string pathTooLongMessage(std::string_view path);

// Asked before an ANSI save would replace characters the code page cannot hold.
inline constexpr std::string_view lostCharactersQuestion =
    "Der Text enthält Zeichen, die in ANSI nicht gespeichert werden können. Soll die Datei als UTF-8 gespeichert "
    "werden?";

enum class PromptAnswer { Yes, No, Cancel };

// Whether a command that drops or replaces the text goes on after its save prompt: No goes on,
// Cancel stops, and Yes goes on only once the text really was saved.
bool goesOnAfterPrompt(PromptAnswer answer, bool saved);

enum class LoadOutcome {
  Loaded,
  Missing,     // no such file or folder
  Unreadable,  // exists but cannot be opened for reading
  TooLarge,    // larger than maxOpenBytes, or too many lines for its size; the text was not touched
  BrokenOff,   // opened, but a read failed after the control had been emptied
};
enum class LoadSource { OpenDialog, CommandLine };

// What becomes of the document after a load.
struct AfterLoad {
  bool changesDocument;  // false: path, title, status, mark and text stay as they were
  bool keepsPath;        // the document is named after the loaded path; otherwise untitled
  bool marked;           // left marked modified, so that a partial text is never saved unasked
  bool reported;         // the user is told in a message box
  std::string_view status;  // field 1 afterwards, when the document changes
};
AfterLoad afterLoad(LoadSource source, LoadOutcome outcome);

enum class RenameStep {
  Refuse,    // the new path is too long
  SetPath,   // no file to move: the document only takes the new path (empty: untitled)
  MoveFile,  // move the file, and take the new path only when that worked
};
RenameStep renameStep(std::string_view currentPath, std::string_view newPath, bool currentFileExists);

}  // namespace document
