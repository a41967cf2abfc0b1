// Any file: the encoding found for it decodes it, chunk by chunk, into text that encodes back to the
// very same bytes, and the chunks change nothing against a reference decoding of the whole file.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "document/text_encoding.h"
#include "tests/unit/code_page_1252.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  // The first byte sets the chunk size, so that chunks end inside every sequence, pair and mark.
  const std::size_t chunk = data[0] % 16 + 1;
  const std::string file(reinterpret_cast<const char*>(data) + 1, size - 1);
  static const document::AnsiCodePage ansi(codePage1252);

  document::EncodingDetector detector;
  for (std::size_t at = 0; at < file.size(); at += chunk) detector.feed(file.data() + at, std::min(chunk, file.size() - at));
  const document::TextEncoding encoding = detector.encoding();

  document::TextDecoder whole(encoding, ansi), chunked(encoding, ansi);
  std::u16string reference, text;
  whole.decode(file.data(), file.size(), reference);
  whole.finish(reference);
  for (std::size_t at = 0; at < file.size(); at += chunk)
    chunked.decode(file.data() + at, std::min(chunk, file.size() - at), text);
  chunked.finish(text);
  if (text != reference) std::abort();

  document::TextEncoder encoder(encoding, ansi);
  std::string written;
  for (std::size_t at = 0; at < text.size(); at += chunk + 1)
    encoder.encode(text.data() + at, std::min(chunk + 1, text.size() - at), written);
  encoder.finish(written);
  if (written != file || encoder.lostCharacters()) std::abort();
  return 0;
}
