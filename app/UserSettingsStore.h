// Moving the user's settings between the registry and their in-memory form,
// and the values start-up records (first-run marker, program folders).
// LoadValues/SaveValues of the options window are thin wrappers over these.
#pragma once

#include <string>

#include "HookSettings.h"
#include "SettingsRegistry.h"
#include "ShortcutText.h"

namespace tarvok {

inline constexpr char kDefaultShortcutText[] = "Ctrl+=";

// Registry -> settings, with the defaults for absent values, the stored
// precision clamped to 0..10, and a ShortCut text that names no key read as
// absent (only the empty text means "no hot key").
[[nodiscard]] UserSettings ReadUserSettings(SettingsRegistry& registry, const KeyNameSource& layout);

// Settings -> registry. `programFile` is the full path of the running
// program, written as the autorun entry when autorun is on.
void WriteUserSettings(SettingsRegistry& registry, const UserSettings& settings,
                       const std::string& programFile, const KeyNameSource& layout);

// The folder of a full program path, with its trailing backslash.
[[nodiscard]] std::string FolderOf(const std::string& programFile);
[[nodiscard]] std::string LanguageFolderOf(const std::string& programFolder);

// Writes Path and GlobalPathlanguage. A folder too long for the 200-byte text
// field is refused by the registry routine rather than cut (a cut path would
// send calc.dll's log into some other folder), and a stale value from an
// earlier installation is removed. Returns whether both were written.
bool RecordProgramFolders(SettingsRegistry& registry, const std::string& programFolder);

// True exactly once per installation: when ferstrun is 0. Sets it to 1.
bool TakeFirstRun(SettingsRegistry& registry);

}  // namespace tarvok
