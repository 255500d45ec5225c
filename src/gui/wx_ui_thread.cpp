#include "gui/wx_ui_thread.h"

#include <utility>

#include <wx/app.h>

namespace varnik {

void WxUiThread::Post(std::function<void()> task) {
  // Queueing an event is safe from any thread and keeps the order of the
  // calls.  Without an application (the program is ending) nothing runs.
  if (wxTheApp != nullptr) wxTheApp->CallAfter(std::move(task));
}

}  // namespace varnik
