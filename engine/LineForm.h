// The line form: the optional converter plug-in "convert.dll" turns the
// value into text for the keyboard layout of the thread. It is loaded from
// the program's folder for one hot key and released again.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

#include "SharedBlock.h"

namespace tarvok {

inline constexpr char kConverterFunctionName[] = "CONVERTVALUE";
// The x87 extended value as memory holds it: 8 bytes of significand, then
// sign and exponent.
inline constexpr std::size_t kExtendedValueBytes = 10;

class PluginSeam {
 public:
  // Loads the library and finds its function; false when either fails.
  virtual bool Load(const std::string& fileName) noexcept = 0;
  // The function's text for `value` and the thread's present keyboard
  // layout; null when it returned none. Valid until the next call.
  virtual const char* Convert(long double value) noexcept = 0;
  virtual void Unload() noexcept = 0;

 protected:
  ~PluginSeam() = default;
};

// The converter's text, copied at once; nothing when it gave none.
std::optional<std::string> ConvertValueToLine(PluginSeam& plugin, long double value);

// Keeps the plug-in loaded for one scope.
class LoadedPlugin {
 public:
  LoadedPlugin(PluginSeam& plugin, const std::string& fileName) noexcept
      : plugin_(plugin), loaded_(plugin.Load(fileName)) {}
  ~LoadedPlugin() { Release(); }
  LoadedPlugin(const LoadedPlugin&) = delete;
  LoadedPlugin& operator=(const LoadedPlugin&) = delete;
  explicit operator bool() const noexcept { return loaded_; }
  void Release() noexcept {
    if (loaded_) plugin_.Unload();
    loaded_ = false;
  }

 private:
  PluginSeam& plugin_;
  bool loaded_;
};

}  // namespace tarvok
