#include "app/launch_command.h"

#include <cstring>

namespace app {

std::string launchCommandLine(std::string_view program, std::string_view parameter) {
  std::string line;
  line.reserve(program.size() + parameter.size() + 3);
  if (!program.empty() && program.front() == '"') {
    line.append(program);
  } else {
    line.append(1, '"').append(program).append(1, '"');
  }
  if (!parameter.empty()) line.append(1, ' ').append(parameter);
  return line;
}

std::string programFolder(std::string_view program) {
  std::size_t slash = program.rfind('\\');
  return slash == std::string_view::npos ? std::string() : std::string(program.substr(0, slash));
}

std::string windowsFolderText(const char* shellPath, std::size_t capacity) {
  std::string folder;
  if (shellPath != nullptr) {
    const void* end = std::memchr(shellPath, '\0', capacity);
    std::size_t length =
        end != nullptr ? static_cast<std::size_t>(static_cast<const char*>(end) - shellPath) : capacity;
    folder.assign(shellPath, length);
  }
  folder += '\\';
  return folder;
}

}  // namespace app
