// Moving the user's settings between the registry and their in-memory form,
// and the values start-up records (first-run marker, program folders).
// LoadValues/SaveValues of the options window are thin wrappers over these.
#pragma once

#include <string>

#include "HookSettings.h"
#include "PathText.h"
#include "SettingsRegistry.h"
#include "ShortcutText.h"

namespace tarvok {

inline constexpr char kDefaultShortcutText[] = "Ctrl+=";

// Registry -> settings, with the defaults for absent values, the stored
// precision clamped to 0..10, and a ShortCut text that names no key read as
// absent (only the empty text means "no hot key"). Autorun is on only when
// the entry starts `programFile`, the full path of the running program: an
// entry left by a copy in another folder starts that copy, not this one.
[[nodiscard]] UserSettings ReadUserSettings(SettingsRegistry& registry, const KeyNameSource& layout,
                                            const std::string& programFile);

// Settings -> registry. Autorun on writes the entry for `programFile`; off
// deletes it when it starts this program and leaves another copy's alone.
void WriteUserSettings(SettingsRegistry& registry, const UserSettings& settings,
                       const std::string& programFile, const KeyNameSource& layout);

// The autorun text for a program: its full path in double quotes. Windows
// splits an unquoted command line at the first blank, so a bare
// "C:\Program Files\..." would run "C:\Program.exe" first at every logon.
[[nodiscard]] std::string AutorunText(const std::string& programFile);

// Whether an autorun text starts `programFile`: quoted, or bare as older
// versions wrote it; letters compared without regard to case, as Windows
// compares paths.
[[nodiscard]] bool AutorunStartsProgram(const std::string& text, const std::string& programFile);

// An entry of this program still written bare by an older version is
// rewritten quoted. Returns whether it was rewritten.
bool QuoteOwnAutorunEntry(SettingsRegistry& registry, const std::string& programFile);

// The language folder in a program folder (given with its trailing backslash).
[[nodiscard]] std::string LanguageFolderOf(const std::string& programFolder);

// Writes Path and GlobalPathlanguage. A folder too long for the 200-byte text
// field is refused by the registry routine rather than cut (a cut path would
// send calc.dll's log into some other folder), and a stale value from an
// earlier installation is removed. Returns whether both were written.
bool RecordProgramFolders(SettingsRegistry& registry, const std::string& programFolder);

// True exactly once per installation: when ferstrun is 0. Sets it to 1.
bool TakeFirstRun(SettingsRegistry& registry);

}  // namespace tarvok
