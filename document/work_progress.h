#pragma once
// How far a long load or save is, for the status bar: nothing for work that ends within half a
// second, then a new percentage at most four times a second, so that showing it costs nothing.
#include <string>
#include <string_view>

namespace document {

class WorkProgress {
 public:
  explicit WorkProgress(unsigned long long total) : total_(total) {}
  // Milliseconds since the work began and the bytes done so far: the percentage to show now, or -1.
  int step(unsigned long elapsedMs, unsigned long long done);

 private:
  unsigned long long total_;
  unsigned long shownAt_ = 0;
  int shown_ = -1;
};

// " Lädt... 42 %" for the verb "Lädt".
std::string progressText(std::string_view verb, int percent);

}  // namespace document
