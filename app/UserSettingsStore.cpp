// Registry <-> settings for the options window, and the start-up values.
#include "UserSettingsStore.h"

#include <algorithm>
#include <string_view>

#include "RegistryNames.h"

namespace tarvok {

namespace {

// The empty text is how "no hot key" is stored. Any other text that names
// no key was not written by this program; reading it as "no hot key" would
// silently switch calculation off, so it counts as absent.
std::uint16_t ReadShortcut(SettingsRegistry& registry, const KeyNameSource& layout) {
  const std::string stored = registry.ReadString(kSettingsKey, kValueShortCut);
  if (stored == kAbsentText) return TextToShortcut(kDefaultShortcutText, layout);
  const std::uint16_t shortcut = TextToShortcut(stored, layout);
  return shortcut != 0 || stored.empty() ? shortcut : TextToShortcut(kDefaultShortcutText, layout);
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return lower(x) == lower(y);
  });
}

}  // namespace

UserSettings ReadUserSettings(SettingsRegistry& registry, const KeyNameSource& layout,
                              const std::string& programFile) {
  UserSettings settings;
  settings.autorun = AutorunStartsProgram(registry.ReadString(kAutorunKey, kAutorunValue), programFile);
  settings.resultAsLine = registry.ReadInteger(kSettingsKey, kValueType) != 0;
  settings.precision = registry.ValueExists(kSettingsKey, kValuePrecision)
                           ? ClampPrecision(registry.ReadInteger(kSettingsKey, kValuePrecision))
                           : kDefaultPrecision;
  settings.shortcut = ReadShortcut(registry, layout);
  settings.keepHotKey = registry.ReadInteger(kSettingsKey, kValueKeepHotKey) != 0;
  return settings;
}

void WriteUserSettings(SettingsRegistry& registry, const UserSettings& settings,
                       const std::string& programFile, const KeyNameSource& layout) {
  if (settings.autorun) {
    registry.WriteString(kAutorunKey, kAutorunValue, AutorunText(programFile));
  } else if (AutorunStartsProgram(registry.ReadString(kAutorunKey, kAutorunValue), programFile)) {
    registry.DeleteValue(kAutorunKey, kAutorunValue);
  }
  registry.WriteInteger(kSettingsKey, kValueType, settings.resultAsLine ? 1 : 0);
  registry.WriteInteger(kSettingsKey, kValuePrecision, ClampPrecision(settings.precision));
  registry.WriteString(kSettingsKey, kValueShortCut, ShortcutToText(settings.shortcut, layout));
  registry.WriteInteger(kSettingsKey, kValueKeepHotKey, settings.keepHotKey ? 1 : 0);
}

std::string AutorunText(const std::string& programFile) { return '"' + programFile + '"'; }

bool AutorunStartsProgram(const std::string& text, const std::string& programFile) {
  std::string_view path = text;
  if (path.size() >= 2 && path.front() == '"' && path.back() == '"') path = path.substr(1, path.size() - 2);
  return !programFile.empty() && EqualsIgnoringAsciiCase(path, programFile);
}

bool QuoteOwnAutorunEntry(SettingsRegistry& registry, const std::string& programFile) {
  const std::string stored = registry.ReadString(kAutorunKey, kAutorunValue);
  if (stored == AutorunText(programFile) || !AutorunStartsProgram(stored, programFile)) return false;
  return registry.WriteString(kAutorunKey, kAutorunValue, AutorunText(programFile));
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
