#pragma once
// Page layout for printing when the text control cannot lay out pages itself: lines broken at the
// page width, placed down the page, each page reporting where the next one starts.
//
// Positions are indices into the text passed in. The caller passes the control's own text so that
// they are also the control's character positions: with single "\r" paragraph ends they match a
// control that counts a paragraph end as one character. "\r\n", "\r" and "\n" all end a paragraph;
// "\r\n" is one break occupying two indices. The text is the control's UTF-16.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace document {

// Widths and heights in the units of the page rectangle (twips on the printer).
struct TextMeasure {
  virtual int width(std::u16string_view run) const = 0;
  virtual int lineHeight() const = 0;
  virtual ~TextMeasure();
};

// Characters [begin, end) are drawn on the line; the paragraph break or the blanks at a wrap that
// follow are not part of it.
struct PageLine {
  std::size_t begin;
  std::size_t end;
};

// next: index of the first character that did not fit, where the next page starts.
struct PageLayout {
  std::vector<PageLine> lines;
  std::size_t next;
};

// Tab stops every this many character cells from the start of a line.
inline constexpr std::size_t tabCells = 8;

// Lays out one page from start (0 or a position an earlier page returned). A line breaks at the
// last run of blanks that lets it fit, those blanks being dropped; a line without such a blank
// breaks between characters, with at least one character on it. Blanks after the last word of a
// line, and leading blanks beyond the width, hang past its end and are not drawn. Lines are placed
// while y + lineHeight <= pageHeight, but a page always holds at least one line, even when
// pageHeight < lineHeight, so that every page advances: next > start whenever start < text.size().
PageLayout layoutPage(std::u16string_view text, std::size_t start, int pageWidth, int pageHeight,
                      const TextMeasure& measure);

// Start position of every page; an empty text gives one empty page starting at 0.
std::vector<std::size_t> pageStarts(std::u16string_view text, int pageWidth, int pageHeight,
                                    const TextMeasure& measure);

// The characters of the line as they are drawn: tabs replaced by the blanks they stand for.
std::u16string drawnLineText(std::u16string_view text, const PageLine& line);

}  // namespace document
