// Posting to the user-interface thread through the toolkit's event queue.
#pragma once

#include "platform/threads.h"

namespace varnik {

// Posted functions run from the application's event queue, in order.
class WxUiThread : public UiThread {
 public:
  void Post(std::function<void()> task) override;
};

}  // namespace varnik
