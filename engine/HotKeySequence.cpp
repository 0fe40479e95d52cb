// The hot-key sequence: evaluate, log, deliver. The log line comes before any
// clipboard change, so every hot key is logged even when the delivery cannot
// happen.
#include "HotKeySequence.h"

#include <string>

#include "ResultText.h"

namespace tarvok {
namespace {

// Both texts come from the converter, each asked for separately with the
// thread's layout at that moment; the library is released before the paste.
void DeliverLineForm(long double value, const std::string& folder, HotKeyServices services) {
  LoadedPlugin plugin(services.plugin, folder + kConverterFileName);
  if (!plugin) return;
  if (!services.delivery.BeginDelivery()) return;
  DeliveryScope scope(services.delivery);
  services.delivery.PutText(ConvertValueToLine(services.plugin, value).value_or(std::string()));
  services.delivery.PutUnicodeText(ConvertValueToLine(services.plugin, value).value_or(std::string()));
  plugin.Release();
  scope.Finish();
}

}  // namespace

void RunHotKeySequence(std::string_view expression, const SettingsCopy& settings,
                       HotKeyServices services) {
  const ResultText result = MakeResultText(expression, settings.Precision);

  const std::string folder = services.registry.ReadPathSetting();
  if (IsAbsoluteFolder(folder)) AppendLogLine(services.log, WithClosingSeparator(folder), expression, result.text);

  if (settings.ResultForm == kResultFormNumber) {
    services.delivery.PasteResultText(result.text);
    return;
  }
  if (result.failed) return;
  const std::string pluginFolder = services.registry.ReadPathSetting();
  if (!IsAbsoluteFolder(pluginFolder)) return;
  DeliverLineForm(result.value, WithClosingSeparator(pluginFolder), services);
}

}  // namespace tarvok
