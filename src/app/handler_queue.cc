#include "app/handler_queue.h"

#include <utility>

namespace boltgen {

void HandlerQueue::Run(Handler handler) {
  if (ended_) return;
  if (busy_) {
    if (handler) pending_.push_back(std::move(handler));
    return;
  }
  // The owed handlers run now, ahead of the click the release would complete.
  waits_for_release_ = false;
  if (handler) pending_.push_back(std::move(handler));
  // What a handler let through runs as soon as it has finished, not with
  // whatever action comes next.
  while (!pending_.empty() && !ended_) {
    const Handler next = std::move(pending_.front());
    pending_.pop_front();
    window_.CopyEdits();
    busy_ = true;
    next();
    window_.FinishHandler();
    busy_ = false;
    window_.ShowHandled();
  }
  if (!ended_) window_.Settle();
}

void HandlerQueue::ValidateLater(Handler handler) {
  pending_.push_back(std::move(handler));
  if (window_.MouseButtonDown()) {
    waits_for_release_ = true;
    return;
  }
  window_.RunPendingSoon();
}

void HandlerQueue::RunBeforeNext(Handler handler) {
  if (handler) pending_.push_back(std::move(handler));
}

void HandlerQueue::RunPending() {
  if (!pending_.empty()) Run(nullptr);
}

void HandlerQueue::MouseReleased() {
  if (!waits_for_release_) return;
  waits_for_release_ = false;
  window_.RunPendingSoon();
}

}  // namespace boltgen
