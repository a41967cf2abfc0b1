#include "app/date_time_format.h"

namespace app {

namespace {

enum class Field { Year, ShortYear, Month, Day, Hour, Minute, Second };

struct Token {
  std::string_view name;
  Field field;
};

// Order matters: "yyyy" must be tried before "yy".
constexpr Token tokens[] = {
    {"yyyy", Field::Year}, {"yy", Field::ShortYear}, {"mm", Field::Month},  {"dd", Field::Day},
    {"hh", Field::Hour},   {"ii", Field::Minute},    {"ss", Field::Second},
};

char lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool startsWithIgnoringCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (lower(text[i]) != prefix[i]) return false;
  return true;
}

std::string twoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

std::string fieldText(Field field, const DateTime& when) {
  switch (field) {
    case Field::Year:
      return std::to_string(when.year);
    case Field::ShortYear: {
      const std::string year = std::to_string(when.year);
      return year.size() > 2 ? year.substr(2, 2) : std::string();
    }
    case Field::Month:
      return twoDigits(when.month);
    case Field::Day:
      return twoDigits(when.day);
    case Field::Hour:
      return twoDigits(when.hour);
    case Field::Minute:
      return twoDigits(when.minute);
    case Field::Second:
      return twoDigits(when.second);
  }
  return {};
}

}  // namespace

std::string formatDateTime(std::string_view format, const DateTime& when) {
  std::string out;
  std::size_t pos = 0;
  while (pos < format.size()) {
    const char c = format[pos++];
    if (c != '%') {
      out += c;
      continue;
    }
    const std::string_view rest = format.substr(pos);
    bool matched = false;
    for (const Token& token : tokens) {
      if (startsWithIgnoringCase(rest, token.name)) {
        out += fieldText(token.field, when);
        pos += token.name.size();
        matched = true;
        break;
      }
    }
    // An unknown "%" stays as it is; the next character is read afresh.
    if (!matched) out += '%';
  }
  return out;
}

}  // namespace app
