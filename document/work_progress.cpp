#include "document/work_progress.h"

namespace document {

namespace {

constexpr unsigned long quietMs = 500;
constexpr unsigned long intervalMs = 250;

}  // namespace

int WorkProgress::step(unsigned long elapsedMs, unsigned long long done) {
  if (elapsedMs < quietMs || total_ == 0) return -1;
  if (shown_ >= 0 && elapsedMs - shownAt_ < intervalMs) return -1;
  const int percent = done >= total_ ? 100 : static_cast<int>(done * 100 / total_);
  if (percent == shown_) return -1;
  shown_ = percent;
  shownAt_ = elapsedMs;
  return percent;
}

std::string progressText(std::string_view verb, int percent) {
  return " " + std::string(verb) + "... " + std::to_string(percent) + " %";
}

}  // namespace document
