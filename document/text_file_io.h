#pragma once
// Moving the text between a file and the text control through the control's plain-text stream in
// Unicode, converted one chunk at a time; the program keeps no copy of the text.
#include <functional>
#include <string>

#include "document/document_rules.h"
#include "document/line_ends.h"
#include "document/text_encoding.h"

namespace document {

struct LoadResult {
  LoadOutcome outcome;
  unsigned long error;  // the system's error code when the outcome is not Loaded
  LineEndStyle lineEnds;  // of the bytes that were read
  unsigned long long bytes = 0;  // the file's size when it was TooLarge
  TextEncoding encoding = TextEncoding::Ansi;  // of the bytes that were read
  unsigned long long lines = 0;  // when it was TooLarge for its lines, their number; else 0
};

// Replaces the control's whole text with the file's bytes. A file that cannot be opened, is larger
// than maxOpenBytes or has too many lines for its size leaves the text untouched; a read that fails after the stream began leaves what
// was read (BrokenOff).
// Told the percentage done of a load or save that takes longer than half a second, a few times a
// second at most.
using ProgressShown = void (*)(int percent);

LoadResult loadTextFile(const std::string& path, ProgressShown shown = nullptr);

struct SaveResult {
  bool saved;
  unsigned long error;  // the system's error code when not saved
  bool lostCharacters = false;  // not saved: the code page cannot hold every character
};

// Writes the control's whole text to a new file in the target's folder and only then puts it in
// place of the target, so that a failure at any point leaves the old file as it was. Line ends and
// encoding are written as given; unless mayLoseCharacters, a character the ANSI code page cannot
// hold stops the save before the target is touched.
SaveResult saveTextFile(const std::string& path, LineEndStyle lineEnds, TextEncoding encoding,
                        bool mayLoseCharacters, ProgressShown shown = nullptr);

// The same safe write for any content: `fill` writes into the new, open file (a HANDLE) and returns 0
// or the system's error code; only a complete, flushed file replaces the target.
SaveResult writeFileSafely(const std::string& path, const std::function<unsigned long(void* file)>& fill);

// Appends the control's whole text as UTF-16 LE to the open file (a HANDLE), whatever the file's
// encoding would be: no character is lost. 0 or the system's error code.
unsigned long streamUnicodeTextTo(void* file);
// Replaces the control's whole text.
void streamUnicodeTextIn(const std::u16string& text);

}  // namespace document
