// Calling the converter plug-in.
#include "LineForm.h"

namespace tarvok {

std::optional<std::string> ConvertValueToLine(PluginSeam& plugin, long double value) {
  const char* text = plugin.Convert(value);
  if (text == nullptr) return std::nullopt;
  return std::string(text);
}

}  // namespace tarvok
