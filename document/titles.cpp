#include "document/titles.h"

#include "document/document_paths.h"

namespace document {

namespace {

std::string titlePrefix() { return std::string(productPrefix) + std::string(versionText); }

}  // namespace

std::string mainTitle(std::string_view currentPath, bool marked) {
  if (currentPath.empty()) return titlePrefix() + "  -  " + std::string(untitledName);
  std::string title = titlePrefix() + "  -  " + filePart(currentPath);
  if (marked) title += '*';
  return title;
}

std::string dialogTitle(std::string_view purpose) { return titlePrefix() + "  |  " + std::string(purpose); }

}  // namespace document
