#include "document/titles.h"

#include "document/document_paths.h"
#include "platform/unicode_text.h"

namespace document {

std::string mainTitle(std::string_view currentPath, bool marked) {
  const std::string prefix = platform::utf8FromProgramText(platform::programTitle() + "  -  ");
  if (currentPath.empty()) return prefix + platform::utf8FromProgramText(untitledName);
  std::string title = prefix + filePart(currentPath);
  if (marked) title += '*';
  return title;
}

}  // namespace document
