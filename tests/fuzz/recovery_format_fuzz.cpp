// Any bytes in the recovery folder: reading never runs past them, and what was read, written again
// as a copy, reads back the same and whole.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/recovery_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const auto copy = document::readCopy(bytes);
  if (!copy) return 0;
  if (copy->text.size() * 2 > size) std::abort();

  std::string again = document::formatCopyHeader(copy->header, 0);
  again.replace(document::textLengthAt(again), document::textLengthDigits,
                document::textLengthField(copy->text.size() * 2));
  for (char16_t c : copy->text) again += static_cast<char>(c & 0xFF), again += static_cast<char>(c >> 8);
  const auto reread = document::readCopy(again);
  if (!reread || !reread->complete || !(reread->header == copy->header) || reread->text != copy->text) std::abort();
  return 0;
}
