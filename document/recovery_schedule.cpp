#include "document/recovery_schedule.h"

#include <algorithm>

namespace document {

void RecoverySchedule::edited(Millis now) {
  if (!pending_) firstEdit_ = now;
  pending_ = true;
  lastEdit_ = now;
}

void RecoverySchedule::written(Millis took) {
  pending_ = false;
  lastTook_ = took;
}

void RecoverySchedule::cleared() { pending_ = false; }

RecoverySchedule::Millis RecoverySchedule::dueIn(Millis now) const {
  if (!pending_) return -1;
  // A copy that took t stalls the user for t: wait for a pause some multiple of it, and while the
  // user goes on typing leave stallShare times t between two copies.
  const Millis pause = std::max(quietPause, 4 * lastTook_);
  const Millis spacing = std::max(typingInterval, stallShare * lastTook_);
  const Millis due = std::min(lastEdit_ + pause, firstEdit_ + spacing);
  return std::max<Millis>(0, due - now);
}

}  // namespace document
