#pragma once
// Arithmetic of the line-number band at the left of the text.
#include <cstddef>
#include <string>

namespace editor {

constexpr int initialLeftMargin = 24;

// Band from x 0 to bandWidth - 1; the separator is drawn at x = separatorX.
int gutterBandWidth(int digits);   // 7 * digits + 10
int gutterSeparatorX(int digits);  // 7 * digits + 10
int gutterLeftMargin(int digits);  // 7 * digits + 16

// Number of characters of n in decimal (0 gives 1).
int decimalDigits(long n);

// Last line index whose number fits completely: clientBottom / lineHeight + firstVisible - 1.
// Only meaningful for lineHeight > 0.
long lastFittingLine(int clientBottom, int lineHeight, long firstVisible);

// The number of line index i (0-based) right-aligned in a field of fieldDigits characters.
std::string gutterNumberText(long lineIndex, int fieldDigits);

// Counts the lines a text will have in the control, chunk by chunk: CR LF, a lone CR and a lone LF
// each end one line, and the text after the last end is one more.
class LineCounter {
 public:
  void feed(const char* bytes, std::size_t count);
  long lines() const { return ends_ + 1; }

 private:
  long ends_ = 0;
  bool crPending_ = false;  // the last byte fed was CR: an LF next belongs to it
};

}  // namespace editor
