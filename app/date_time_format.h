#pragma once
// Date and time texts from a format with %-tokens.
#include <string>
#include <string_view>

namespace app {

struct DateTime {
  int year, month, day, hour, minute, second;
};

// Tokens after "%", case-insensitive, first match in this order: yyyy, yy, mm, dd, hh, ii, ss.
// A "%" followed by none of them is copied; every other character is copied.
std::string formatDateTime(std::string_view format, const DateTime& when);

}  // namespace app
