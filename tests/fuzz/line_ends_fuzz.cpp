// Any file: the line count is one more than its line ends, and written back through the control's
// CR LF in its own style it comes out as it went in, unless it mixed styles, in which case every
// line end comes out as CR LF.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/line_ends.h"
#include "tests/unit/control_line_ends.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte sets the chunk size, so that chunks end everywhere, inside CR LF too.
  const std::size_t chunk = data[0] % 64 + 1;
  const std::string file(reinterpret_cast<const char*>(data) + 1, size - 1);
  document::LineEndDetector detector;
  for (std::size_t at = 0; at < file.size(); at += chunk)
    detector.feed(file.data() + at, std::min(chunk, file.size() - at));
  const std::string text = asControlGivesIt(file);
  document::LineEndWriter writer(detector.style());
  std::string written, converted;
  for (std::size_t at = 0; at < text.size(); at += chunk + 1)
    writer.convert(text.data() + at, std::min(chunk + 1, text.size() - at), converted), written += converted;
  written += writer.finish();

  // The line ends of each kind, counted the plain way.
  long crLf = 0;
  for (auto at = file.find("\r\n"); at != std::string::npos; at = file.find("\r\n", at + 2)) ++crLf;
  const long lf = std::ranges::count(file, '\n') - crLf, cr = std::ranges::count(file, '\r') - crLf;
  const bool mixed = (crLf > 0) + (lf > 0) + (cr > 0) > 1;
  if (detector.lines() != crLf + lf + cr + 1 || written != (mixed ? text : file)) std::abort();
  return 0;
}
