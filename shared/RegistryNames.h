// Registry names shared by the controller (which writes them) and the hook
// library (which reads Path). All values live under HKEY_CURRENT_USER.
#pragma once

namespace tarvok {

inline constexpr char kSettingsKey[] = "Software\\Quorvane\\Tarvok\\2.0";
inline constexpr char kValueType[] = "Type";
inline constexpr char kValuePrecision[] = "precision";
inline constexpr char kValueShortCut[] = "ShortCut";
inline constexpr char kValueLanguage[] = "Language";
inline constexpr char kValueFirstRun[] = "ferstrun";
inline constexpr char kValuePath[] = "Path";
inline constexpr char kValueGlobalPathLanguage[] = "GlobalPathlanguage";
inline constexpr char kValueCurrentPage[] = "CurrentPage";
// REG_DWORD, 1: the calculating hot key is kept from the program; absent or
// 0: it is passed on.
inline constexpr char kValueKeepHotKey[] = "KeepHotKeyFromProgram";

inline constexpr char kAutorunKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kAutorunValue[] = "Tarvok";

// What ReadRegString returns for a value that is missing or unreadable. A
// stored "0" cannot be told apart from a missing value: every reader
// compares with this text.
inline constexpr char kAbsentText[] = "0";

// Every text value is stored as exactly this many bytes: the text, then zeros.
inline constexpr unsigned kRegTextBytes = 200;

}  // namespace tarvok
