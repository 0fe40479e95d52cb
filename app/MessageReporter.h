// Where the hook controller reports a failed system call. The real one shows
// the modal box "Message from tarvok.exe"; tests put a recorder in its place.
#pragma once

#include <string>

namespace tarvok {

inline constexpr char kMessageCaption[] = "Message from tarvok.exe";

class MessageReporter {
 public:
  virtual ~MessageReporter() = default;
  // `text` is UTF-8: a language file's text keeps its letters.
  virtual void Show(const std::string& text) = 0;
};

// MessageBoxW without owner, OK button, no icon.
class MessageBoxReporter final : public MessageReporter {
 public:
  void Show(const std::string& text) override;
};

}  // namespace tarvok
