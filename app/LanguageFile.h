// Language files: ini files in the "language" folder beside tarvok.exe that
// replace the English texts of the tray menu, the options window, the
// first-run balloon and the About box. This unit knows the sections, keys and
// built-in texts, reads them through a small file-system seam (Win32 profile
// reader in the program, a fake in the native tests) and decides in which
// order a file's texts reach their targets.
//
// A file is 8-bit text in one code page: the one it names in "Info"
// "CodePage", else the system's ANSI code page. Its texts are turned into
// UTF-16 once, as they are read, so a Russian file reads the same on a
// Western Windows and a German one on a Russian Windows.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tarvok {

// The profile reader fills a buffer of this size, so a value holds at most
// one character less.
inline constexpr std::size_t kLanguageValueBufferSize = 2048;
inline constexpr std::size_t kLanguageValueMaxLength = kLanguageValueBufferSize - 1;

// Our own files are a few kilobytes. Anything far larger is not a language
// file, and the profile reader would re-read all of it for every key.
inline constexpr std::size_t kLanguageFileMaxBytes = 256 * 1024;

inline constexpr char kDefaultLanguageFile[] = "eng.ini";

// Stands for the system's ANSI code page (CP_ACP).
inline constexpr unsigned kSystemCodePage = 0;

// Every text a language file may replace, in the order LoadLanguage applies
// them.
enum class TextId : std::size_t {
  FirstRunTitle,
  FirstRunText,
  ErrorLoadLibrary,  // the boxes about the hook library; an error code follows
  ErrorNoGetMessageProc,
  ErrorNoKeyboardProc,
  ErrorUnhookGetMessage,
  ErrorUnhookKeyboard,
  ErrorUnloadLibrary,
  MenuOptions,
  MenuDisable,
  MenuEnable,
  MenuLanguage,
  MenuAbout,
  MenuExit,
  MenuHelp,
  WindowCaption,
  RadioNumber,
  PrecisionLabel,
  RadioLine,
  Autorun,
  ButtonOK,  // also the About box's OK button
  ButtonCancel,
  ButtonApply,
  HotKeyLabel,
  FormulaNote,
  HotKeyWarning,
  LineFormNote,
  KeepHotKey,
  AboutCaption,
  CreditsLabel,
  Count
};

inline constexpr std::size_t kTextCount = static_cast<std::size_t>(TextId::Count);

struct LanguageKey {
  TextId id;
  const char* section;
  const char* key;
  const char* builtIn;
};

// One row per text, in TextId order.
const std::array<LanguageKey, kTextCount>& LanguageKeys();

// Texts in UTF-16, as the W calls of Windows take them.
class LanguageTexts {
 public:
  LanguageTexts();  // the built-in English texts
  [[nodiscard]] const std::wstring& operator[](TextId id) const {
    return texts_[static_cast<std::size_t>(id)];
  }
  std::wstring& operator[](TextId id) { return texts_[static_cast<std::size_t>(id)]; }
  bool operator==(const LanguageTexts&) const = default;

 private:
  std::array<std::wstring, kTextCount> texts_;
};

// The built-in texts are plain ASCII, the same in every code page.
std::wstring WidenAscii(std::string_view ascii);

// What a file says about itself in its "Info" section.
struct LanguageInfo {
  std::wstring language;
  std::wstring translator;
  std::wstring version;
};

// The About box's line for one file: language, "  Translate version ",
// version, "; ", translator.
std::wstring CreditsLine(const LanguageInfo& info);

// The code page named by an "Info" "CodePage" value: a decimal number from
// 1 to 65535, blanks around it allowed. Anything else, the empty text
// included, gives kSystemCodePage, which is how files without the key have
// always been read.
unsigned CodePageFromText(std::string_view value);

// Whether the bytes of a file can be a language file at all: not beyond the
// size limit, and plain text (no zero bytes, no control characters other
// than tab, line breaks and the old end-of-file mark). Anything else is
// treated as a file without sections, so binary garbage never becomes a
// menu text.
bool IsLanguageFileText(std::string_view bytes, std::size_t fileSize);

// Whether a file name ends in ".ini", in any letter case. The file search
// also matches "*.ini" against the short 8.3 names, so "rus.ini_old" would
// otherwise count as a language file (its short name ends in ".INI").
bool HasIniExtension(std::string_view fileName);

// The seam to the language folder.
class LanguageFileSystem {
 public:
  virtual ~LanguageFileSystem() = default;
  // A file (not a folder) exists at the path.
  [[nodiscard]] virtual bool FileExists(const std::string& path) const = 0;
  // The names (without folder) of the files matching "*.ini", in the order
  // the file system returns them; empty when the folder is missing.
  [[nodiscard]] virtual std::vector<std::string> ListIniFiles(const std::string& folder) const = 0;
  // Whether the file passes IsLanguageFileText.
  [[nodiscard]] virtual bool IsReadableLanguageFile(const std::string& path) const = 0;
  // One value, cut to kLanguageValueMaxLength characters; `defaultText`
  // when the section or key is missing, the empty text when the key has
  // an empty value.
  [[nodiscard]] virtual std::string ReadValue(const std::string& path, const char* section,
                                              const char* key,
                                              const char* defaultText) const = 0;
  // A value's bytes as UTF-16, read in `codePage` (kSystemCodePage: the
  // system's ANSI code page). A code page the system does not know reads as
  // the system's.
  [[nodiscard]] virtual std::wstring Decode(std::string_view bytes, unsigned codePage) const = 0;
};

// The code page a file's texts are read in.
unsigned LanguageFileCodePage(const LanguageFileSystem& files, const std::string& path);

// All texts of a file, each falling back to its built-in text.
LanguageTexts ReadLanguageTexts(const LanguageFileSystem& files, const std::string& path);

// The "Info" section; empty fields for whatever is missing or unreadable.
LanguageInfo ReadLanguageInfo(const LanguageFileSystem& files, const std::string& path);

// The credits list of the About box: one line per file of the folder, each
// read in its own file's code page, joined with CR LF.
std::wstring BuildCreditsText(const LanguageFileSystem& files, const std::string& folder);

// An entry of the Language submenu.
struct LanguageMenuEntry {
  std::string fileName;  // what LanguageFiles holds
  std::wstring caption;  // the file's "Info" "Language", possibly empty
};

std::vector<LanguageMenuEntry> ListLanguageMenu(const LanguageFileSystem& files,
                                                const std::string& folder);

// What LoadLanguage applies the texts to.
class LanguageTarget {
 public:
  virtual ~LanguageTarget() = default;
  virtual void RememberLanguage(const std::string& fileName) = 0;
  virtual void ApplyMessages(const LanguageTexts& texts) = 0;
  virtual void ApplyMenu(const LanguageTexts& texts) = 0;
  virtual void ApplyMainWindow(const LanguageTexts& texts) = 0;
  // Returns false when the About box does not exist yet: the start-up
  // application runs before it is created.
  virtual bool ApplyAbout(const LanguageTexts& texts) = 0;
};

enum class LanguageLoad { FileMissing, Applied, AppliedWithoutAbout };

// Applies the file `fileName` of `folder`: a missing file changes nothing and
// is not remembered; otherwise the name is remembered first and the texts
// are applied in the order messages, menu, options window, About box.
LanguageLoad LoadLanguage(const LanguageFileSystem& files, const std::string& folder,
                          const std::string& fileName, LanguageTarget& target);

// The line-form note as the program shows it: the texts, built-in and in
// the language files, name the 32-bit converter "convert.dll"; a program of
// another bitness names its own (converterFileName) instead.
std::wstring NameOwnConverter(std::wstring note, std::string_view converterFileName);

}  // namespace tarvok
