#pragma once
// When the recovery copy is written: a short while after the user stops typing, and while the user
// types without a pause, no more often than every 30 seconds. A copy that took long to write (a large
// text) is written less often, so that writing takes a small share of the typing time.
#include <cstdint>

namespace document {

class RecoverySchedule {
 public:
  using Millis = std::int64_t;
  static constexpr Millis quietPause = 2000;
  static constexpr Millis typingInterval = 30000;
  // At most this share of the time goes to writing copies: 1 in `stallShare`.
  static constexpr Millis stallShare = 100;

  // The text may have changed at `now`.
  void edited(Millis now);
  // A copy was written (or tried); it took `took`.
  void written(Millis took);
  // The text is safe: nothing to write until the next edit.
  void cleared();
  bool pending() const { return pending_; }
  // How long until the copy is due, 0 when it is due now; -1 when nothing is pending.
  Millis dueIn(Millis now) const;

 private:
  bool pending_ = false;
  Millis firstEdit_ = 0;  // the first edit since the last copy
  Millis lastEdit_ = 0;
  Millis lastTook_ = 0;
};

}  // namespace document
