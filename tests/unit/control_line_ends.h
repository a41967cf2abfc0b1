#pragma once
// What the text control hands back for a file's bytes: every line end (CR LF, LF or CR) as CR LF.
#include <cstddef>
#include <string>

namespace test_support {

inline std::string asControlGivesIt(const std::string& file) {
  std::string text;
  for (std::size_t i = 0; i < file.size(); ++i) {
    if (file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n') ++i;
    text += file[i] == '\r' || file[i] == '\n' ? std::string("\r\n") : std::string(1, file[i]);
  }
  return text;
}

}  // namespace test_support
