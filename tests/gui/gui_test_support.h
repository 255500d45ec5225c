// Helpers of the smoke tests: pumping events with a time limit and reading
// pixels of bitmaps.
#pragma once

#include <functional>

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/image.h>
#include <wx/stopwatch.h>
#include <wx/utils.h>

namespace varnik::testing {

// Processes events until `done` holds or `timeoutMs` passes; returns `done`.
inline bool PumpUntil(const std::function<bool()>& done, long timeoutMs = 3000) {
  wxStopWatch watch;
  while (!done()) {
    if (watch.Time() > timeoutMs) return false;
    wxTheApp->Yield(true);
    wxTheApp->ProcessIdle();
    wxMilliSleep(2);
  }
  return true;
}

// Processes the events that are pending now, for `ms` milliseconds.
inline void Pump(long ms = 50) {
  wxStopWatch watch;
  while (watch.Time() < ms) {
    wxTheApp->Yield(true);
    wxTheApp->ProcessIdle();
    wxMilliSleep(2);
  }
}

}  // namespace varnik::testing
