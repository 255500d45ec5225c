// Small services the core asks of the user interface: the open-file dialog,
// message boxes, the wait cursor and the beep.  The GUI implements them with
// the toolkit; tests use the fakes in platform/fakes.h.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace varnik {

class FileDialog {
 public:
  virtual ~FileDialog() = default;
  // Asks for an existing file.  `filter` is a wildcard such as "*.ose";
  // returns the chosen path, or nothing when the user cancels.
  virtual std::optional<std::string> OpenFile(std::string_view title, std::string_view filter,
                                              std::string_view initialPath) = 0;
};

// Message box flags and results, with the values of the classic API.
enum MessageBoxFlags : unsigned {
  kMbOk = 0x0,
  kMbOkCancel = 0x1,
  kMbYesNo = 0x4,
  kMbIconError = 0x10,
  kMbIconQuestion = 0x20,
  kMbIconWarning = 0x30,
  kMbIconInformation = 0x40,
};
inline constexpr int kMbResultOk = 1;
inline constexpr int kMbResultCancel = 2;
inline constexpr int kMbResultYes = 6;
inline constexpr int kMbResultNo = 7;

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  virtual int Show(std::string_view text, std::string_view caption, unsigned flags) = 0;
};

class WaitCursor {
 public:
  virtual ~WaitCursor() = default;
  virtual void Begin() = 0;
  virtual void End() = 0;
};

// Shows the wait cursor for the lifetime of the object.
class ScopedWaitCursor {
 public:
  explicit ScopedWaitCursor(WaitCursor& cursor) : cursor_(cursor) { cursor_.Begin(); }
  ~ScopedWaitCursor() { cursor_.End(); }
  ScopedWaitCursor(const ScopedWaitCursor&) = delete;
  ScopedWaitCursor& operator=(const ScopedWaitCursor&) = delete;

 private:
  WaitCursor& cursor_;
};

class Beeper {
 public:
  virtual ~Beeper() = default;
  virtual void Beep() = 0;
};

}  // namespace varnik
