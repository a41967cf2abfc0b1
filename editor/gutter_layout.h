#pragma once
// Arithmetic of the line-number band at the left of the text.
#include <string>

namespace editor {

constexpr int initialLeftMargin = 24;

// Band from x 0 to bandWidth - 1; the separator is drawn at x = separatorX.
int gutterBandWidth(int digits);   // 7 * digits + 10
int gutterSeparatorX(int digits);  // 7 * digits + 10
int gutterLeftMargin(int digits);  // 7 * digits + 16

// Number of characters of n in decimal (0 gives 1).
int decimalDigits(long n);

// The number of line index i (0-based) right-aligned in a field of fieldDigits characters.
std::string gutterNumberText(long lineIndex, int fieldDigits);

}  // namespace editor
