// Any bytes as a preferences file, then a few edits taken from the input: the rewritten file must
// read back to the same entries, and every value written must read back as written.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "settings/preferences_model.h"

namespace {

using settings::PreferencesModel;
using namespace std::literals;

void check(bool condition) {
  if (!condition) __builtin_trap();
}

const std::string_view names[] = {
    "Program", "Style", "Extras",     "pROGRAM", "Win_Width", "WordWrap", "Save Pref. at the End",
    "k",       "",      "Gr\xFC\xDF", "\xC4",    "\xE4",      " lead",    "trail \t",
    ";semi",   "[br",   "a=b",        "x]y",     "a\r\nb",    "n\0ul"sv};
const std::string_view values[] = {"",      "0",        "80,80,80", " lead",        "trail \t", "\xE4\xF6\xFF",
                                   "a = b", "x\r\n[y]", "; c",      "\xEF\xBB\xBFx"};

std::string_view onOneLine(std::string_view text) { return text.substr(0, text.find_first_of("\r\n\0"sv)); }
bool isBlank(char c) { return c == ' ' || c == '\t'; }
std::string_view trimmed(std::string_view text) {
  while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Texts that one line of the file can hold such that reading the line gives them back.
bool keyFits(std::string_view key) {
  key = onOneLine(key);
  if (key.find('=') != std::string_view::npos) return false;
  if (key.empty()) return true;
  return !isBlank(key.front()) && !isBlank(key.back()) && key.front() != ';' && key.front() != '[';
}
bool valueFits(std::string_view value) {
  value = onOneLine(value);
  return value.empty() || !isBlank(value.front());
}
bool groupFits(std::string_view name) { return onOneLine(name).find(']') == std::string_view::npos; }

std::string pickText(FuzzedDataProvider& input, const std::string_view* list, std::size_t count) {
  const std::size_t choice = input.ConsumeIntegralInRange<std::size_t>(0, count);
  if (choice < count) return std::string(list[choice]);
  return input.ConsumeBytesAsString(input.ConsumeIntegralInRange<std::size_t>(0, 8));
}

struct Edit {
  int operation;
  std::string name;
  std::string text;
  std::int32_t number;
};

struct Probe {
  bool grouped;
  std::string group;
  std::string key;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider input(data, size);
  std::vector<Edit> edits(input.ConsumeIntegralInRange<std::size_t>(0, 8));
  for (Edit& edit : edits) {
    edit.operation = input.ConsumeIntegralInRange<int>(0, 3);
    edit.name = pickText(input, names, std::size(names));
    edit.text = pickText(input, values, std::size(values));
    edit.number = input.ConsumeIntegral<std::int32_t>();
  }
  const std::string file = input.ConsumeRemainingBytesAsString();

  PreferencesModel model = PreferencesModel::parse(file);
  const std::string untouched = model.serialize();
  bool fits = true;
  bool wrote = false;
  bool grouped = false;
  std::string group;
  std::vector<Probe> probes;
  for (const Edit& edit : edits) {
    switch (edit.operation) {
      case 0:
        model.selectGroup(edit.name);
        grouped = true;
        group = edit.name;
        fits = fits && groupFits(edit.name);
        break;
      case 1:
        model.writeNumber(edit.name, edit.number);
        check(model.readNumber(edit.name, edit.number ^ 1) == edit.number);
        break;
      case 2:
        model.writeText(edit.name, edit.text);
        check(model.readText(edit.name) == trimmed(onOneLine(edit.text)));
        fits = fits && valueFits(edit.text);
        break;
      case 3:
        model.writeComment(edit.text);
        break;
    }
    if (edit.operation != 0) {
      wrote = true;
      fits = fits && groupFits(group);
    }
    if (edit.operation == 1 || edit.operation == 2) {
      fits = fits && keyFits(edit.name);
      probes.push_back({grouped, group, edit.name});
    }
  }
  check(model.changed() == wrote);
  const std::string written = model.serialize();
  if (!wrote) check(written == untouched);

  // One rewrite normalises any file; from then on reading and writing change nothing.
  PreferencesModel reread = PreferencesModel::parse(written);
  check(reread.utf8Mode() == model.utf8Mode());
  check(!reread.changed());
  const std::string rewritten = reread.serialize();
  check(PreferencesModel::parse(rewritten).serialize() == rewritten);

  if (fits) {
    check(rewritten == written);
    PreferencesModel fresh = PreferencesModel::parse(written);
    for (const Probe& probe : probes) {
      // A model cannot go back to no group, so keys above the groups are compared only when
      // nothing was ever selected.
      if (!probe.grouped && grouped) continue;
      if (probe.grouped) check(model.selectGroup(probe.group) == fresh.selectGroup(probe.group));
      check(model.readText(probe.key, "\x01") == fresh.readText(probe.key, "\x01"));
      check(model.readNumber(probe.key, 0x5EED) == fresh.readNumber(probe.key, 0x5EED));
    }
  }
  return 0;
}
