#include "platform/threads.h"

#include <system_error>
#include <thread>
#include <utility>

namespace varnik {

bool DetachedThreadStarter::Start(std::function<void()> body) {
  try {
    std::thread worker(std::move(body));
    worker.detach();
    return true;
  } catch (const std::system_error&) {
    // The system refused a new thread (out of resources).
    return false;
  }
}

}  // namespace varnik
