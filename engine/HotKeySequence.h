// What happens on the hot key once the typed expression is read: the result
// text, the log line, and the delivery by the chosen result form.
#pragma once

#include <string_view>

#include "LineForm.h"
#include "LogLine.h"
#include "ProgramFolder.h"
#include "ResultDelivery.h"
#include "SettingsCopy.h"

namespace tarvok {

struct HotKeyServices {
  RegistrySeam& registry;
  LogFileSeam& log;
  PluginSeam& plugin;
  ResultDelivery& delivery;
};

// May raise; the keyboard hook drops every error (the event is still passed
// on to the program).
void RunHotKeySequence(std::string_view expression, const SettingsCopy& settings,
                       HotKeyServices services);

}  // namespace tarvok
