// The sections, keys and built-in texts of language files and the order in
// which a file's texts are applied. Everything here is portable; the Win32
// profile reader sits behind LanguageFileSystem.
#include "LanguageFile.h"

#include <algorithm>

namespace tarvok {
namespace {

constexpr char kInfo[] = "Info";
constexpr char kMessages[] = "Messages";
constexpr char kMenu[] = "Menu";
constexpr char kMainWindow[] = "MainWindow";
constexpr char kAbout[] = "About";

constexpr std::array<LanguageKey, kTextCount> kKeys = {{
    {TextId::FirstRunTitle, kMessages, "3", "New program - Tarvok"},
    {TextId::FirstRunText, kMessages, "4",
     "To access Options, double-click the icon. To access menu, right-click the icon."},
    {TextId::ErrorLoadLibrary, kMessages, "5", "Error Load Library"},
    {TextId::ErrorNoGetMessageProc, kMessages, "6", "Error Get GetMessageProc Address"},
    {TextId::ErrorNoKeyboardProc, kMessages, "7", "Error Get KeyboardProc Address"},
    {TextId::ErrorUnhookGetMessage, kMessages, "8", "CallWNDHook not unhooked! Error"},
    {TextId::ErrorUnhookKeyboard, kMessages, "9", "KeyboardHook not unhooked! Error"},
    {TextId::ErrorUnloadLibrary, kMessages, "10", "Error Unload Library"},
    {TextId::MenuOptions, kMenu, "1", "Options..."},
    {TextId::MenuDisable, kMenu, "2", "Disable"},
    {TextId::MenuEnable, kMenu, "3", "Enable"},
    {TextId::MenuLanguage, kMenu, "4", "Language"},
    {TextId::MenuAbout, kMenu, "6", "About..."},
    {TextId::MenuExit, kMenu, "7", "Exit"},
    {TextId::MenuHelp, kMenu, "8", "Help..."},
    {TextId::WindowCaption, kMainWindow, "1", "Tarvok Options"},
    {TextId::RadioNumber, kMainWindow, "2", "Show result as a number"},
    {TextId::PrecisionLabel, kMainWindow, "3", "Symbols after comma:"},
    {TextId::RadioLine, kMainWindow, "4", "Show result as a line"},
    {TextId::Autorun, kMainWindow, "5", "Start with Windows"},
    {TextId::ButtonOK, kMainWindow, "6", "OK"},
    {TextId::ButtonCancel, kMainWindow, "7", "Cancel"},
    {TextId::ButtonApply, kMainWindow, "8", "Apply"},
    {TextId::HotKeyLabel, kMainWindow, "9", "The calculations can be started by pressing:"},
    {TextId::FormulaNote, kMainWindow, "10",
     "Note that the program can also perform calculations according to the formula you "
     "select."},
    {TextId::HotKeyWarning, kMainWindow, "11", "This key alone occurs in typing: add Ctrl or Alt."},
    {TextId::LineFormNote, kMainWindow, "12", "The line form needs convert.dll in the program folder."},
    {TextId::KeepHotKey, kMainWindow, "13", "Keep the hot key from the program when it calculates"},
    {TextId::AboutCaption, kAbout, "1", "About Tarvok"},
    {TextId::CreditsLabel, kAbout, "3", "Credits:"},
}};

constexpr bool RowsFollowTextIdOrder() {
  for (std::size_t i = 0; i < kKeys.size(); ++i) {
    if (static_cast<std::size_t>(kKeys[i].id) != i) return false;
  }
  return true;
}
static_assert(RowsFollowTextIdOrder(), "LanguageTexts indexes the table by TextId");

bool IsAllowedControl(unsigned char c) {
  return c == '\t' || c == '\r' || c == '\n' || c == 0x1A;
}

}  // namespace

const std::array<LanguageKey, kTextCount>& LanguageKeys() { return kKeys; }

LanguageTexts::LanguageTexts() {
  for (const LanguageKey& row : kKeys) (*this)[row.id] = WidenAscii(row.builtIn);
}

std::wstring WidenAscii(std::string_view ascii) { return std::wstring(ascii.begin(), ascii.end()); }

std::wstring CreditsLine(const LanguageInfo& info) {
  return info.language + L"  Translate version " + info.version + L"; " + info.translator;
}

unsigned CodePageFromText(std::string_view value) {
  const auto first = value.find_first_not_of(" \t");
  if (first == std::string_view::npos) return kSystemCodePage;
  value = value.substr(first, value.find_last_not_of(" \t") - first + 1);
  if (value.size() > 5) return kSystemCodePage;
  unsigned number = 0;
  for (const char c : value) {
    if (c < '0' || c > '9') return kSystemCodePage;
    number = number * 10 + static_cast<unsigned>(c - '0');
  }
  return number <= 65535 ? number : kSystemCodePage;
}

unsigned LanguageFileCodePage(const LanguageFileSystem& files, const std::string& path) {
  return CodePageFromText(files.ReadValue(path, kInfo, "CodePage", ""));
}

bool IsLanguageFileText(std::string_view bytes, std::size_t fileSize) {
  if (fileSize > kLanguageFileMaxBytes) return false;
  return std::none_of(bytes.begin(), bytes.end(), [](char ch) {
    const auto c = static_cast<unsigned char>(ch);
    return c < 0x20 && !IsAllowedControl(c);
  });
}

bool HasIniExtension(std::string_view fileName) {
  constexpr std::string_view kExtension = ".ini";
  if (fileName.size() < kExtension.size()) return false;
  const std::string_view tail = fileName.substr(fileName.size() - kExtension.size());
  return std::equal(tail.begin(), tail.end(), kExtension.begin(), [](char a, char b) {
    return (a >= 'A' && a <= 'Z' ? static_cast<char>(a - 'A' + 'a') : a) == b;
  });
}

LanguageTexts ReadLanguageTexts(const LanguageFileSystem& files, const std::string& path) {
  LanguageTexts texts;
  if (!files.IsReadableLanguageFile(path)) return texts;
  const unsigned codePage = LanguageFileCodePage(files, path);
  for (const LanguageKey& row : kKeys) {
    texts[row.id] = files.Decode(files.ReadValue(path, row.section, row.key, row.builtIn), codePage);
  }
  return texts;
}

LanguageInfo ReadLanguageInfo(const LanguageFileSystem& files, const std::string& path) {
  if (!files.IsReadableLanguageFile(path)) return {};
  const unsigned codePage = LanguageFileCodePage(files, path);
  const auto read = [&](const char* key) {
    return files.Decode(files.ReadValue(path, kInfo, key, ""), codePage);
  };
  return {read("Language"), read("Translator"), read("Version")};
}

std::wstring BuildCreditsText(const LanguageFileSystem& files, const std::string& folder) {
  std::wstring text;
  for (const std::string& name : files.ListIniFiles(folder)) {
    if (!text.empty()) text += L"\r\n";
    text += CreditsLine(ReadLanguageInfo(files, folder + name));
  }
  return text;
}

std::vector<LanguageMenuEntry> ListLanguageMenu(const LanguageFileSystem& files,
                                                const std::string& folder) {
  std::vector<LanguageMenuEntry> entries;
  for (std::string& name : files.ListIniFiles(folder)) {
    std::wstring caption = ReadLanguageInfo(files, folder + name).language;
    entries.push_back({std::move(name), std::move(caption)});
  }
  return entries;
}

LanguageLoad LoadLanguage(const LanguageFileSystem& files, const std::string& folder,
                          const std::string& fileName, LanguageTarget& target) {
  const std::string path = folder + fileName;
  if (fileName.empty() || !files.FileExists(path)) return LanguageLoad::FileMissing;
  target.RememberLanguage(fileName);
  const LanguageTexts texts = ReadLanguageTexts(files, path);
  target.ApplyMessages(texts);
  target.ApplyMenu(texts);
  target.ApplyMainWindow(texts);
  return target.ApplyAbout(texts) ? LanguageLoad::Applied : LanguageLoad::AppliedWithoutAbout;
}

std::wstring NameOwnConverter(std::wstring note, std::string_view converterFileName) {
  constexpr std::wstring_view kNamed = L"convert.dll";
  const std::wstring own = WidenAscii(converterFileName);
  for (std::size_t at = note.find(kNamed); at != std::wstring::npos; at = note.find(kNamed, at + own.size())) {
    note.replace(at, kNamed.size(), own);
  }
  return note;
}

}  // namespace tarvok
