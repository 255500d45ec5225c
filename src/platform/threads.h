// Threads of long computations.  A worker never touches windows: whatever
// it has to show reaches the user-interface thread through UiThread::Post,
// which runs the posted functions there one after another in the order they
// were posted.
#pragma once

#include <functional>

namespace varnik {

class UiThread {
 public:
  virtual ~UiThread() = default;
  // May be called from any thread.
  virtual void Post(std::function<void()> task) = 0;
};

class ThreadStarter {
 public:
  virtual ~ThreadStarter() = default;
  // Runs `body` on a new thread that nobody waits for.  Returns false when
  // the thread cannot be created; `body` then never runs.
  virtual bool Start(std::function<void()> body) = 0;
};

// A detached std::thread per call.
class DetachedThreadStarter : public ThreadStarter {
 public:
  bool Start(std::function<void()> body) override;
};

}  // namespace varnik
