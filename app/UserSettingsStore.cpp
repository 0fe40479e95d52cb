// Registry <-> settings for the options window, and the start-up values.
#include "UserSettingsStore.h"

#include "RegistryNames.h"

namespace tarvok {

UserSettings ReadUserSettings(SettingsRegistry& registry, const KeyNameSource& layout) {
  UserSettings settings;
  settings.autorun = registry.ReadString(kAutorunKey, kAutorunValue) != kAbsentText;
  settings.resultAsLine = registry.ReadInteger(kSettingsKey, kValueType) != 0;
  settings.precision = registry.ValueExists(kSettingsKey, kValuePrecision)
                           ? ClampPrecision(registry.ReadInteger(kSettingsKey, kValuePrecision))
                           : kDefaultPrecision;
  const std::string shortcut = registry.ReadString(kSettingsKey, kValueShortCut);
  settings.shortcut = TextToShortcut(shortcut != kAbsentText ? shortcut : kDefaultShortcutText, layout);
  return settings;
}

void WriteUserSettings(SettingsRegistry& registry, const UserSettings& settings,
                       const std::string& programFile, const KeyNameSource& layout) {
  if (settings.autorun) {
    registry.WriteString(kAutorunKey, kAutorunValue, programFile);
  } else {
    registry.DeleteValue(kAutorunKey, kAutorunValue);
  }
  registry.WriteInteger(kSettingsKey, kValueType, settings.resultAsLine ? 1 : 0);
  registry.WriteInteger(kSettingsKey, kValuePrecision, ClampPrecision(settings.precision));
  registry.WriteString(kSettingsKey, kValueShortCut, ShortcutToText(settings.shortcut, layout));
}

std::string FolderOf(const std::string& programFile) {
  const auto slash = programFile.find_last_of("\\/");
  return slash == std::string::npos ? std::string() : programFile.substr(0, slash + 1);
}

std::string LanguageFolderOf(const std::string& programFolder) { return programFolder + "language\\"; }

bool RecordProgramFolders(SettingsRegistry& registry, const std::string& programFolder) {
  const bool path = registry.WriteString(kSettingsKey, kValuePath, programFolder);
  const bool language =
      registry.WriteString(kSettingsKey, kValueGlobalPathLanguage, LanguageFolderOf(programFolder));
  // A value left from an earlier installation would point calc.dll at a
  // folder this program no longer lives in; better no folder than the wrong one.
  if (!path) registry.DeleteValue(kSettingsKey, kValuePath);
  if (!language) registry.DeleteValue(kSettingsKey, kValueGlobalPathLanguage);
  return path && language;
}

bool TakeFirstRun(SettingsRegistry& registry) {
  if (registry.ReadInteger(kSettingsKey, kValueFirstRun) != 0) return false;
  registry.WriteInteger(kSettingsKey, kValueFirstRun, 1);
  return true;
}

}  // namespace tarvok
