// Any bytes as a preferences file, then a few edits taken from the input: every value written reads
// back at once, one rewrite normalises any file, and when every name and value written fits on its
// line the rewritten file reads back to the same values.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "settings/preferences_model.h"

namespace {

using settings::PreferencesModel;
using namespace std::literals;

void check(bool condition) { if (!condition) __builtin_trap(); }

// The first entries of each list fit on one line as key, group or value; the rest, and raw input
// bytes, are cut at a line break, lose blanks or read as something else.
const std::string_view names[] = {"Program", "Style", "Extras", "pROGRAM", "Win_Width", "WordWrap",
                                  "Save Pref. at the End", "k", "", "Gr\xFC\xDF", "\xC4", "\xE4", " lead", "trail \t",
                                  ";semi", "[br", "a=b", "x]y", "a\r\nb", "n\0ul"sv};
const std::string_view values[] = {"", "0", "80,80,80", "trail \t", "\xE4\xF6\xFF", "a = b", "; c", "\xEF\xBB\xBFx",
                                   " lead", "x\r\n[y]"};
constexpr std::size_t fittingNames = 12, fittingValues = 8;

template <std::size_t size>
std::string pick(FuzzedDataProvider& input, const std::string_view (&list)[size], std::size_t fitting, bool& fits) {
  const std::size_t choice = input.ConsumeIntegralInRange<std::size_t>(0, size);
  fits = fits && choice < fitting;
  if (choice < size) return std::string(list[choice]);
  return input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, 8));
}

// What reading gives back for a written text: its first line without blanks at either end.
std::string_view asRead(std::string_view text) {
  text = text.substr(0, text.find_first_of("\r\n\0"sv));
  const std::size_t first = text.find_first_not_of(" \t");
  return first == text.npos ? "" : text.substr(first, text.find_last_not_of(" \t") + 1 - first);
}

using Edit = std::tuple<int, std::string, std::string, std::int32_t>;  // operation, name, text, number

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<Edit> edits(input.ConsumeIntegralInRange<std::size_t>(0, 8));
  bool fits = true;
  for (auto& [operation, name, text, number] : edits) {
    operation = input.ConsumeIntegralInRange<int>(0, 3);  // select a group, write a number, a text, a comment
    if (operation != 3) name = pick(input, names, fittingNames, fits);
    if (operation >= 2) text = pick(input, values, operation == 2 ? fittingValues : std::size(values), fits);
    number = input.ConsumeIntegral<std::int32_t>();
  }
  PreferencesModel model = PreferencesModel::parse(input.ConsumeRemainingBytesAsString());
  std::vector<std::string> groups;
  std::vector<std::pair<std::size_t, std::string>> probes;  // groups selected before, key written
  for (const auto& [operation, name, text, number] : edits) {
    if (operation == 0) model.selectGroup(name), groups.push_back(name);
    if (operation == 1) model.writeNumber(name, number), check(model.readNumber(name, number ^ 1) == number);
    if (operation == 2) model.writeText(name, text), check(model.readText(name) == asRead(text));
    if (operation == 3) model.writeComment(text);
    if (operation == 1 || operation == 2) probes.emplace_back(groups.size(), name);
  }
  check(model.changed() == std::ranges::any_of(edits, [](const Edit& edit) { return std::get<0>(edit) != 0; }));

  // One rewrite normalises any file; from then on reading and writing change nothing.
  const std::string written = model.serialize();
  PreferencesModel reread = PreferencesModel::parse(written);
  check(reread.utf8Mode() == model.utf8Mode() && !reread.changed());
  const std::string rewritten = reread.serialize();
  check(PreferencesModel::parse(rewritten).serialize() == rewritten);
  if (!fits) return 0;
  check(rewritten == written);
  // Every key written reads back the same from the file, under the group selected before it; keys
  // above the groups only when no group was ever selected, as a model cannot go back to none.
  for (const auto& [selected, key] : probes) {
    if (selected == 0 && !groups.empty()) continue;
    if (selected > 0) check(model.selectGroup(groups[selected - 1]) == reread.selectGroup(groups[selected - 1]));
    check(model.readText(key, "\x01") == reread.readText(key, "\x01"));
    check(model.readNumber(key, 0x5EED) == reread.readNumber(key, 0x5EED));
  }
  return 0;
}
