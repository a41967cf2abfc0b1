// Any file: written back through the control's CR LF in its own style, it comes out as it went in,
// unless it mixed styles, in which case every line end comes out as CR LF.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/line_ends.h"
#include "tests/unit/control_line_ends.h"

namespace {

using test_support::asControlGivesIt;

// Whether the file ends its lines in more than one way (CR LF, LF, CR), found the plain way.
bool mixesStyles(const std::string& file) {
  bool crLf = false, lf = false, cr = false;
  for (std::size_t i = 0; i < file.size(); ++i) {
    if (file[i] == '\r' && i + 1 < file.size() && file[i + 1] == '\n') {
      crLf = true;
      ++i;
    } else if (file[i] == '\r') {
      cr = true;
    } else if (file[i] == '\n') {
      lf = true;
    }
  }
  return crLf + lf + cr > 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte sets the chunk size, so that chunks end everywhere, inside CR LF too.
  const std::size_t chunk = data[0] % 64 + 1;
  const std::string file(reinterpret_cast<const char*>(data) + 1, size - 1);

  document::LineEndDetector detector;
  for (std::size_t at = 0; at < file.size(); at += chunk) {
    detector.feed(file.data() + at, std::min(chunk, file.size() - at));
  }
  const std::string text = asControlGivesIt(file);
  document::LineEndWriter writer(detector.style());
  std::string written;
  std::string converted;
  for (std::size_t at = 0; at < text.size(); at += chunk + 1) {
    writer.convert(text.data() + at, std::min(chunk + 1, text.size() - at), converted);
    written += converted;
  }
  written += writer.finish();

  if (written != (mixesStyles(file) ? text : file)) std::abort();
  return 0;
}
