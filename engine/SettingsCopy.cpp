// Copying the shared blocks into the process's settings.
#include "SettingsCopy.h"

namespace tarvok {
namespace {

void CopySettingsFields(const GlobalHookData& block, SettingsCopy& settings) noexcept {
  settings.Precision = block.Precision;
  settings.ResultForm = block.ResultForm;
  settings.HotKeyVirtualKey = block.HotKeyVirtualKey;
  settings.HotKeyModifiers = block.HotKeyModifiers;
}

void CopyHookOptions(SharedBlockSeam& block, SettingsCopy& settings) noexcept {
  HookOptionsData options{};
  if (block.ReadHookOptions(options)) settings.KeepHotKeyFromProgram = options.KeepHotKeyFromProgram != 0;
}

}  // namespace

void LoadSharedSettings(SharedBlockSeam& block, SettingsCopy& settings) noexcept {
  CopyHookOptions(block, settings);
  GlobalHookData data{};
  if (!block.ReadSharedBlock(data)) return;
  settings.GetMessageHook = data.GetMessageHook;
  settings.CallWndProcHook = data.CallWndProcHook;
  settings.ShellHook = data.ShellHook;
  settings.KeyboardHook = data.KeyboardHook;
  CopySettingsFields(data, settings);
}

void RefreshSharedSettings(SharedBlockSeam& block, SettingsCopy& settings) noexcept {
  GlobalHookData data{};
  if (block.ReadSharedBlock(data)) CopySettingsFields(data, settings);
  CopyHookOptions(block, settings);
}

}  // namespace tarvok
