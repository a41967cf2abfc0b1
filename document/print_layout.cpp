#include "document/print_layout.h"

#include <algorithm>
#include <unordered_map>

namespace document {

TextMeasure::~TextMeasure() = default;

namespace {

bool isBreak(char16_t c) { return c == '\r' || c == '\n'; }

bool isBlank(char16_t c) { return c == ' ' || c == '\t'; }

// Index after the paragraph break at i ("\r\n" counts as one break), or i at the end of the text.
std::size_t afterBreak(std::u16string_view text, std::size_t i) {
  if (i >= text.size()) return text.size();
  if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') return i + 2;
  return i + 1;
}

// Widths of single characters, each asked of the measure once: a line's width is the sum of its
// characters', so the layout stays linear and the printer is asked once per distinct character
// rather than once per word.
class CharWidths {
 public:
  explicit CharWidths(const TextMeasure& measure) : measure_(measure) {}

  long long of(char16_t c) {
    const auto [at, added] = widths_.try_emplace(c, 0);
    if (added) at->second = std::max(0, measure_.width(std::u16string_view(&c, 1)));
    return at->second;
  }

  // Width of the blank c at character cell column; advances column past it.
  long long blank(char16_t c, std::size_t& column) {
    const std::size_t cells = c == '\t' ? tabCells - column % tabCells : 1;
    column += cells;
    return of(u' ') * static_cast<long long>(cells);
  }

 private:
  const TextMeasure& measure_;
  std::unordered_map<char16_t, long long> widths_;
};

struct LineBreak {
  PageLine line;
  std::size_t next;
};

// One line from begin (< text.size()). drawnEnd is the end of what the line draws so far: its last
// word, or its leading blanks, which indent and so are drawn as far as they fit; the rest hang.
LineBreak layoutLine(std::u16string_view text, std::size_t begin, long long pageWidth,
                     CharWidths& widths) {
  const std::size_t size = text.size();
  long long x = 0;
  std::size_t column = 0;
  std::size_t i = begin;

  while (i < size && isBlank(text[i])) {
    std::size_t nextColumn = column;
    const long long w = widths.blank(text[i], nextColumn);
    if (x + w > pageWidth && i > begin) break;
    x += w;
    column = nextColumn;
    ++i;
  }
  std::size_t drawnEnd = i;

  for (;;) {
    // Blanks between the words: they count only once a word follows them on this line.
    long long blanksX = x;
    std::size_t blanksColumn = column;
    std::size_t wordBegin = i;
    while (wordBegin < size && isBlank(text[wordBegin])) {
      blanksX += widths.blank(text[wordBegin], blanksColumn);
      ++wordBegin;
    }
    if (wordBegin == size || isBreak(text[wordBegin])) {
      return {{begin, drawnEnd}, afterBreak(text, wordBegin)};
    }

    long long wordX = blanksX;
    std::size_t wordEnd = wordBegin;
    while (wordEnd < size && !isBlank(text[wordEnd]) && !isBreak(text[wordEnd])) {
      const long long w = widths.of(text[wordEnd]);
      if (wordX + w > pageWidth) break;
      wordX += w;
      ++wordEnd;
    }
    if (wordEnd == wordBegin && drawnEnd == begin) {
      // At least one character on every line, even one wider than the page.
      wordX += widths.of(text[wordEnd]);
      ++wordEnd;
    }
    const bool wholeWord = wordEnd == size || isBlank(text[wordEnd]) || isBreak(text[wordEnd]);
    if (!wholeWord) {
      if (drawnEnd > begin) return {{begin, drawnEnd}, wordBegin};
      // A word wider than the whole line breaks between characters.
      return {{begin, wordEnd}, wordEnd};
    }
    x = wordX;
    column = blanksColumn + (wordEnd - wordBegin);
    drawnEnd = wordEnd;
    i = wordEnd;
  }
}

PageLayout layoutPageWith(std::u16string_view text, std::size_t start, int pageWidth, int pageHeight,
                          long long lineHeight, CharWidths& widths) {
  PageLayout page{{}, std::min(start, text.size())};
  long long y = 0;
  while (page.next < text.size()) {
    if (!page.lines.empty() && y + lineHeight > pageHeight) break;
    const LineBreak lineBreak = layoutLine(text, page.next, pageWidth, widths);
    page.lines.push_back(lineBreak.line);
    page.next = lineBreak.next;
    y += lineHeight;
  }
  return page;
}

}  // namespace

PageLayout layoutPage(std::u16string_view text, std::size_t start, int pageWidth, int pageHeight,
                      const TextMeasure& measure) {
  CharWidths widths(measure);
  return layoutPageWith(text, start, pageWidth, pageHeight, std::max(0, measure.lineHeight()),
                        widths);
}

std::vector<std::size_t> pageStarts(std::u16string_view text, int pageWidth, int pageHeight,
                                    const TextMeasure& measure) {
  CharWidths widths(measure);
  const long long lineHeight = std::max(0, measure.lineHeight());
  std::vector<std::size_t> starts{0};
  for (;;) {
    const PageLayout page =
        layoutPageWith(text, starts.back(), pageWidth, pageHeight, lineHeight, widths);
    if (page.next >= text.size()) return starts;
    starts.push_back(page.next);
  }
}

std::u16string drawnLineText(std::u16string_view text, const PageLine& line) {
  std::u16string drawn;
  const std::size_t end = std::min(line.end, text.size());
  for (std::size_t i = std::min(line.begin, end); i < end; ++i) {
    if (text[i] == '\t') {
      drawn.append(tabCells - drawn.size() % tabCells, u' ');
    } else {
      drawn.push_back(text[i]);
    }
  }
  return drawn;
}

}  // namespace document
