#include "app/command_line.h"

namespace app {

namespace {

// Reads one parameter starting at pos (which must not be a blank) and moves pos past it.
std::string_view readParameter(std::string_view line, std::size_t& pos) {
  if (line[pos] == '"') {
    const std::size_t start = pos + 1;
    const std::size_t end = line.find('"', start);
    if (end == std::string_view::npos) {
      pos = line.size();
      return line.substr(start);
    }
    pos = end + 1;
    return line.substr(start, end - start);
  }
  const std::size_t start = pos;
  const std::size_t end = line.find(' ', start);
  pos = end == std::string_view::npos ? line.size() : end;
  return line.substr(start, pos - start);
}

void skipBlanks(std::string_view line, std::size_t& pos) {
  while (pos < line.size() && line[pos] == ' ') ++pos;
}

}  // namespace

std::string firstCommandLineParameter(std::string_view commandLine) {
  std::size_t pos = 0;
  skipBlanks(commandLine, pos);
  if (pos == commandLine.size()) return {};
  readParameter(commandLine, pos);  // the program's own name
  skipBlanks(commandLine, pos);
  if (pos == commandLine.size()) return {};
  return std::string(readParameter(commandLine, pos));
}

}  // namespace app
