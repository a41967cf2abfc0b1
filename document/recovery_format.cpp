#include "document/recovery_format.h"

#include <charconv>
#include <cstdio>

#include "document/document_paths.h"
#include "document/text_encoding.h"
#include "document/titles.h"
#include "platform/unicode_text.h"

namespace document {

namespace {

constexpr std::string_view magicLine = "Velloro-Wiederherstellung 1";
constexpr std::string_view textKey = "Textbytes=";

std::string_view lineEndName(platform::LineEndStyle style) {
  switch (style) {
    case platform::LineEndStyle::Lf: return "LF";
    case platform::LineEndStyle::Cr: return "CR";
    default: return "CRLF";
  }
}

// Written by name, as the status bar shows it; a name not known reads as ANSI, which keeps every byte.
platform::TextEncoding encodingOf(std::string_view name) {
  using enum platform::TextEncoding;
  for (platform::TextEncoding encoding : {Utf8, Utf8Bom, Utf16Le, Utf16Be}) {
    if (encodingName(encoding) == name) return encoding;
  }
  return Ansi;
}

platform::LineEndStyle lineEndOf(std::string_view name) {
  if (name == "LF") return platform::LineEndStyle::Lf;
  if (name == "CR") return platform::LineEndStyle::Cr;
  return platform::LineEndStyle::CrLf;
}

template <typename T>
T numberOf(std::string_view text, int base = 10) {
  T value{};
  std::from_chars(text.data(), text.data() + text.size(), value, base);
  return value;
}

std::string twoDigits(int n) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%02d", n);
  return digits;
}

// "2026-12-07 20:15:03"; a field that does not read stays 0.
LocalTime timeOf(std::string_view text) {
  LocalTime t;
  auto field = [&](std::size_t at, std::size_t width) {
    return at + width <= text.size() ? numberOf<int>(text.substr(at, width)) : 0;
  };
  t.year = field(0, 4);
  t.month = field(5, 2);
  t.day = field(8, 2);
  t.hour = field(11, 2);
  t.minute = field(14, 2);
  t.second = field(17, 2);
  return t;
}

std::string timeText(const LocalTime& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                t.second);
  return text;
}

void setField(CopyHeader& header, std::string_view key, std::string_view value, std::uint64_t& textBytes) {
  if (key == "Pfad") header.path = value;
  if (key == "Codierung") header.encoding = encodingOf(value);
  if (key == "Zeilenenden") header.lineEnds = lineEndOf(value);
  if (key == "Prozess") header.owner.processId = numberOf<std::uint32_t>(value);
  if (key == "Prozessstart") header.owner.started = numberOf<std::uint64_t>(value);
  if (key == "Zeit") header.written = timeOf(value);
  if (key == "Textbytes") textBytes = numberOf<std::uint64_t>(value);
}

}  // namespace

std::string textLengthField(std::uint64_t textBytes) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%020llu", static_cast<unsigned long long>(textBytes));
  return digits;
}

std::string formatCopyHeader(const CopyHeader& header, std::uint64_t textBytes) {
  std::string text(magicLine);
  text += "\nPfad=" + header.path;
  text += "\nCodierung=" + std::string(encodingName(header.encoding));
  text += "\nZeilenenden=" + std::string(lineEndName(header.lineEnds));
  text += "\nProzess=" + std::to_string(header.owner.processId);
  text += "\nProzessstart=" + std::to_string(header.owner.started);
  text += "\nZeit=" + timeText(header.written);
  text += "\n" + std::string(textKey) + textLengthField(textBytes) + "\n\n";
  return text;
}

std::size_t textLengthAt(std::string_view header) { return header.rfind(textKey) + textKey.size(); }

std::optional<ReadCopy> readCopy(std::string_view bytes) {
  if (bytes.substr(0, magicLine.size() + 1) != std::string(magicLine) + "\n") return std::nullopt;
  ReadCopy copy;
  std::uint64_t textBytes = 0;
  std::size_t at = magicLine.size() + 1;
  bool headerEnded = false;
  while (at < bytes.size()) {
    const std::size_t end = bytes.find('\n', at);
    if (end == std::string_view::npos) break;  // a line cut short is not read
    const std::string_view line = bytes.substr(at, end - at);
    at = end + 1;
    if (line.empty()) {
      headerEnded = true;
      break;
    }
    const std::size_t equals = line.find('=');
    if (equals != std::string_view::npos) setField(copy.header, line.substr(0, equals), line.substr(equals + 1), textBytes);
  }
  if (!headerEnded) return copy;
  const std::uint64_t available = bytes.size() - at;
  const std::size_t taken = static_cast<std::size_t>(std::min(textBytes, available)) & ~std::size_t{1};
  copy.text.resize(taken / 2);
  for (std::size_t i = 0; i < copy.text.size(); ++i) {
    const auto low = static_cast<unsigned char>(bytes[at + 2 * i]);
    const auto high = static_cast<unsigned char>(bytes[at + 2 * i + 1]);
    copy.text[i] = static_cast<char16_t>(low | high << 8);
  }
  // A surrogate pair cut in half would stand for no character.
  while (!copy.text.empty() && copy.text.back() >= 0xD800 && copy.text.back() < 0xDC00) copy.text.pop_back();
  copy.complete = available >= textBytes;
  return copy;
}

std::string copyFileName(const CopyOwner& owner) {
  char name[64];
  std::snprintf(name, sizeof name, "%lu-%016llX.wdh", static_cast<unsigned long>(owner.processId),
                static_cast<unsigned long long>(owner.started));
  return name;
}

std::optional<CopyOwner> ownerOfCopyName(std::string_view name) {
  const std::size_t dash = name.find('-');
  if (dash == 0 || dash == std::string_view::npos || name.size() != dash + 1 + 16 + 4 ||
      name.substr(dash + 17) != ".wdh") {
    return std::nullopt;
  }
  CopyOwner owner;
  const std::string_view id = name.substr(0, dash), start = name.substr(dash + 1, 16);
  auto [idEnd, idError] = std::from_chars(id.data(), id.data() + id.size(), owner.processId);
  auto [startEnd, startError] = std::from_chars(start.data(), start.data() + start.size(), owner.started, 16);
  if (idError != std::errc{} || idEnd != id.data() + id.size() || startError != std::errc{} ||
      startEnd != start.data() + start.size()) {
    return std::nullopt;
  }
  return owner;
}

std::string recoveryQuestion(std::string_view path, const LocalTime& written) {
  const std::string name = path.empty() ? std::string(untitledName) : filePart(path);
  const std::string when = twoDigits(written.day) + "." + twoDigits(written.month) + "." +
                           std::to_string(written.year) + " " + twoDigits(written.hour) + ":" +
                           twoDigits(written.minute);
  return platform::utf8FromProgramText("Velloro wurde nicht ordnungsgemäß beendet. Soll der ungespeicherte Text von '") +
         name + "' vom " + when + " wiederhergestellt werden?";
}

}  // namespace document
