#include "document/titles.h"

#include "document/document_paths.h"

namespace document {

std::string mainTitle(std::string_view currentPath, bool marked) {
  if (currentPath.empty()) return platform::programTitle() + "  -  " + std::string(untitledName);
  std::string title = platform::programTitle() + "  -  " + filePart(currentPath);
  if (marked) title += '*';
  return title;
}

}  // namespace document
