#include "platform/thread_fakes.h"

#include <utility>

namespace varnik {

void FakeUiThread::Post(std::function<void()> task) {
  // Notifying under the lock means the poster is done with this object once
  // a task it posted has been taken, so the object may then go away.
  std::lock_guard<std::mutex> lock(mutex_);
  tasks_.push_back(std::move(task));
  posted_.notify_all();
}

bool FakeUiThread::RunOne() {
  std::function<void()> task;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (tasks_.empty()) return false;
    task = std::move(tasks_.front());
    tasks_.pop_front();
  }
  // Run outside the lock: the task may post again.
  task();
  return true;
}

int FakeUiThread::RunPending() {
  int ran = 0;
  while (RunOne()) ++ran;
  return ran;
}

bool FakeUiThread::RunUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!done()) {
    if (RunOne()) continue;
    std::unique_lock<std::mutex> lock(mutex_);
    if (!posted_.wait_until(lock, deadline, [this] { return !tasks_.empty(); })) return done();
  }
  return true;
}

std::size_t FakeUiThread::Pending() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return tasks_.size();
}

}  // namespace varnik
