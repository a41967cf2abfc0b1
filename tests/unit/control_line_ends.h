#pragma once
// What the text control hands back for a file's bytes: every line end (CR LF, LF or CR) as CR LF.
#include <string>

inline std::string asControlGivesIt(const std::string& file) {
  std::string text;
  for (std::size_t i = 0; i < file.size(); ++i) {
    const bool lineEnd = file[i] == '\r' || file[i] == '\n';
    text += lineEnd ? std::string("\r\n") : std::string(1, file[i]);
    if (lineEnd && file.compare(i, 2, "\r\n") == 0) ++i;
  }
  return text;
}
