// Rules that turn the controls' values into the shared block's fields.
#include "HookSettings.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace tarvok {

int ClampPrecision(long long precision) {
  return static_cast<int>(std::clamp<long long>(precision, kMinPrecision, kMaxPrecision));
}

int PrecisionFromText(const std::string& text, int fallback) {
  const char* begin = text.c_str();
  char* end = nullptr;
  errno = 0;
  const long long value = std::strtoll(begin, &end, 10);
  if (end == begin) return ClampPrecision(fallback);
  // strtoll saturates on overflow, which the clamp then maps to the nearer bound.
  return ClampPrecision(value);
}

HookSettings ToHookSettings(const UserSettings& settings, std::uint32_t controllerWindow) {
  HookSettings out;
  out.precision = static_cast<std::uint8_t>(ClampPrecision(settings.precision));
  out.resultForm = settings.resultAsLine ? kResultFormLine : kResultFormNumber;
  out.controllerWindow = controllerWindow;
  out.shortcut = settings.shortcut;
  out.keepHotKey = settings.keepHotKey;
  return out;
}

void FillBlockSettings(GlobalHookData& block, const HookSettings& settings) {
  const HotKeyInBlock hotKey = SplitShortcut(settings.shortcut);
  block.ResultForm = settings.resultForm;
  block.ControllerWindow = settings.controllerWindow;
  block.Precision = static_cast<std::uint8_t>(ClampPrecision(settings.precision));
  block.HotKeyVirtualKey = hotKey.virtualKey;
  block.HotKeyModifiers = hotKey.modifiers;
}

void FillHookOptions(HookOptionsData& options, const HookSettings& settings) {
  options.KeepHotKeyFromProgram = settings.keepHotKey ? 1 : 0;
}

}  // namespace tarvok
