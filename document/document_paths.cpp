#include "document/document_paths.h"

namespace document {

namespace {

bool isSeparator(char c) { return c == '/' || c == '\\'; }

std::string_view withoutLeadingQuote(std::string_view path) {
  if (!path.empty() && path.front() == '"') path.remove_prefix(1);
  return path;
}

}  // namespace

std::string filePart(std::string_view path) {
  std::string_view name = withoutLeadingQuote(path);
  const std::size_t separator = name.find_last_of("/\\");
  if (separator != std::string_view::npos) name.remove_prefix(separator + 1);
  return std::string(name.substr(0, name.find('"')));
}

std::string pathPart(std::string_view path) {
  const std::string_view rest = withoutLeadingQuote(path);
  std::size_t length = 0;
  for (std::size_t i = 0; i < rest.size() && rest[i] != '|'; ++i)
    if (isSeparator(rest[i])) length = i + 1;
  return std::string(rest.substr(0, length));
}

bool isValidFileName(std::string_view name) {
  if (name.empty()) return false;
  constexpr std::string_view forbidden = "\"*/:<>?\\|";
  for (const char c : name) {
    if (static_cast<unsigned char>(c) < 32) return false;
    if (forbidden.find(c) != std::string_view::npos) return false;
  }
  return true;
}

}  // namespace document
