// Stand-ins for threads in tests: a user-interface queue that the test
// drains itself, and a thread starter that runs the body at once or fails.
#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>

#include "platform/threads.h"

namespace varnik {

// Posted functions wait until the test runs them on its own thread, which
// plays the user-interface thread.  Posting is safe from any thread.
class FakeUiThread : public UiThread {
 public:
  void Post(std::function<void()> task) override;
  // Runs what is queued, including what those functions post; returns how
  // many ran.
  int RunPending();
  // Runs posted functions as they arrive until `done` holds or `timeout`
  // passes; returns whether `done` held.
  bool RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout);
  std::size_t Pending() const;

 private:
  bool RunOne();

  mutable std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> tasks_;
};

// Runs the body on the calling thread before Start returns, or refuses to
// start it when `fail` is set.
class SynchronousThreadStarter : public ThreadStarter {
 public:
  bool fail = false;
  int started = 0;

  bool Start(std::function<void()> body) override {
    if (fail) return false;
    ++started;
    body();
    return true;
  }
};

}  // namespace varnik
