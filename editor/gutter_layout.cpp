#include "editor/gutter_layout.h"

namespace editor {

namespace {

// Width of one digit of the gutter font, in pixels.
constexpr int digitWidth = 7;

}  // namespace

int gutterBandWidth(int digits) { return digitWidth * digits + 10; }

int gutterSeparatorX(int digits) { return digitWidth * digits + 10; }

int gutterLeftMargin(int digits) { return digitWidth * digits + 16; }

int decimalDigits(long n) { return static_cast<int>(std::to_string(n).size()); }

std::string gutterNumberText(long lineIndex, int fieldDigits) {
  const std::string number = std::to_string(lineIndex + 1);
  const int padding = fieldDigits - static_cast<int>(number.size());
  return padding > 0 ? std::string(static_cast<std::size_t>(padding), ' ') + number : number;
}

}  // namespace editor
