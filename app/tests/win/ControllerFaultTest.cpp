// tarvok.exe under Wine, started into the faults a user's machine can hold:
// a settings key with values of the wrong type, size or range, broken or
// missing calc.dll files, a calc.dll planted in the current folder, language
// files that are empty, binary or huge, a shell that forgets its icons, and
// the switch worked a hundred times. In every case the program must keep
// running, show only the boxes it is meant to, and write back only sound
// values. TARVOK_SOAK=1 switches many more times.
#include <gtest/gtest.h>

#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "AboutBox.h"
#include "InstalledController.h"
#include "ProcessCounters.h"
#include "RawRegistry.h"
#include "RegistryAccess.h"
#include "RegistryNames.h"

namespace tarvok {
namespace {

using namespace testing;  // the harness of InstalledController.h and RawRegistry.h

bool Soak() {
  const char* soak = std::getenv("TARVOK_SOAK");
  return soak != nullptr && *soak != '\0' && *soak != '0';
}

bool BlockExists() {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, kGlobalHookDataName);
  if (mapping == nullptr) return false;
  CloseHandle(mapping);
  return true;
}

// A menu command the way the tray menu sends it, given up on when the
// program does not answer (a modal box would hold it).
bool Command(HWND form, UINT id) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutA(form, WM_COMMAND, id, 0, SMTO_NORMAL, 10000, &result) != 0;
}

std::string BoxTexts(DWORD processId) {
  std::string texts;
  for (HWND box : MessageBoxesOf(processId)) texts += "[" + MessageBoxText(box) + "]";
  return texts;
}

class ControllerFaultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey);
    DeleteRegValue(HKEY_CURRENT_USER, kAutorunKey, kAutorunValue);
    // A copy of an earlier test may still be letting go of its block.
    WaitFor([] { return !BlockExists(); }, 5000);
  }
  void TearDown() override { RegDeleteKeyA(HKEY_CURRENT_USER, kSettingsKey); }
};

// ---- A poisoned settings key ----

struct Poison {
  const char* name;
  DWORD type;
  std::string data;
};

struct PoisonCase {
  const char* what;
  std::vector<Poison> values;
  std::uint8_t precision;
  std::uint8_t resultForm;
  std::uint16_t virtualKey;
  std::uint8_t modifiers;
  const char* shortcutText;  // what Apply writes back
};

class PoisonedKeyTest : public ControllerFaultTest, public ::testing::WithParamInterface<PoisonCase> {};

TEST_P(PoisonedKeyTest, StartsWithSoundSettingsAndWritesBackOnlySoundValues) {
  const PoisonCase& c = GetParam();
  for (const Poison& value : c.values) ASSERT_TRUE(StoreRaw(kSettingsKey, value.name, value.type, value.data));
  Installation installation("tarvok-poison", true);
  installation.Start();
  HWND form = installation.Form();
  ASSERT_NE(form, nullptr);
  ASSERT_TRUE(WaitFor(HooksStarted)) << c.what << ": " << BoxTexts(installation.ProcessId());

  GlobalHookData block{};
  ASSERT_TRUE(ReadBlock(block));
  EXPECT_EQ(block.Precision, c.precision) << c.what;
  EXPECT_EQ(block.ResultForm, c.resultForm) << c.what;
  EXPECT_EQ(block.HotKeyVirtualKey, c.virtualKey) << c.what;
  EXPECT_EQ(block.HotKeyModifiers, c.modifiers) << c.what;
  EXPECT_TRUE(MessageBoxesOf(installation.ProcessId()).empty()) << BoxTexts(installation.ProcessId());
  // What start-up always writes replaces whatever stood there.
  EXPECT_EQ(ReadRaw(kSettingsKey, kValuePath), (RawValue{REG_SZ, Sz200(installation.Folder())})) << c.what;
  EXPECT_EQ(ReadRaw(kSettingsKey, kValueGlobalPathLanguage),
            (RawValue{REG_SZ, Sz200(installation.Folder() + "language\\")}))
      << c.what;

  // Apply writes what the window chose, each value in its own type.
  SendMessageA(form, WM_COMMAND, MAKEWPARAM(kCmdAutorun, BN_CLICKED), 0);  // a change notification
  SendMessageA(GetDlgItem(form, kCmdApply), BM_CLICK, 0, 0);
  EXPECT_EQ(ReadRaw(kSettingsKey, kValuePrecision), (RawValue{REG_DWORD, Dword(c.precision)})) << c.what;
  EXPECT_EQ(ReadRaw(kSettingsKey, kValueType), (RawValue{REG_DWORD, Dword(c.resultForm == kResultFormLine ? 1 : 0)}))
      << c.what;
  EXPECT_EQ(ReadRaw(kSettingsKey, kValueShortCut), (RawValue{REG_SZ, Sz200(c.shortcutText)})) << c.what;
  ASSERT_TRUE(ReadBlock(block));
  EXPECT_EQ(block.Precision, c.precision);
  EXPECT_EQ(block.HotKeyVirtualKey, c.virtualKey);

  PostMessageA(form, WM_COMMAND, kCmdExit, 0);
  EXPECT_TRUE(installation.Ended(0, kWaitMs));
}

INSTANTIATE_TEST_SUITE_P(
    Table, PoisonedKeyTest,
    ::testing::Values(
        PoisonCase{"every value in the wrong type",
                   {{kValueType, REG_SZ, Sz("1")},
                    {kValuePrecision, REG_SZ, Sz("7")},
                    {kValueShortCut, REG_DWORD, Dword(0x3D)},
                    {kValueLanguage, REG_DWORD, Dword(5)},
                    {kValueFirstRun, REG_SZ, Sz("1")},
                    {kValuePath, REG_DWORD, Dword(1)},
                    {kValueGlobalPathLanguage, REG_BINARY, std::string(300, '\xFF')}},
                   7, kResultFormLine, 0xBB, kModCtrl, "Ctrl+="},
        PoisonCase{"out of range and oversize",
                   {{kValueType, REG_DWORD, Dword(7)},
                    {kValuePrecision, REG_DWORD, Dword(200)},
                    {kValueShortCut, REG_SZ, Sz(std::string(1000, 'x'))},
                    {kValueLanguage, REG_SZ, Sz(std::string(1000, 'l'))},
                    {kValueFirstRun, REG_BINARY, std::string(8, '\x01')},
                    {kValuePath, REG_SZ, Sz(std::string(1000, 'p'))}},
                   10, kResultFormLine, 0xBB, kModCtrl, "Ctrl+="},
        PoisonCase{"empty hot key, negative precision, one-byte Type",
                   {{kValueType, REG_BINARY, std::string(1, '\0')},
                    {kValuePrecision, REG_DWORD, Dword(static_cast<std::uint32_t>(-5))},
                    {kValueShortCut, REG_SZ, Sz("")}},
                   0, kResultFormNumber, 0, 0, ""},
        PoisonCase{"garbage hot key and Language",
                   {{kValueShortCut, REG_SZ, Sz("Ctrl+Shift+Banana\x01\x02")},
                    {kValueLanguage, REG_SZ, Sz("\x01\x02.ini")},
                    {kValuePrecision, REG_BINARY, Dword(3)}},
                   3, kResultFormNumber, 0xBB, kModCtrl, "Ctrl+="}));

// ---- calc.dll missing or broken ----

struct LibraryCase {
  const char* what;
  const char* library;  // built beside this test and installed as calc.dll; empty: none
  const char* message;
  const char* text = nullptr;  // instead of a library: a calc.dll holding this text
};

class BrokenLibraryTest : public ControllerFaultTest, public ::testing::WithParamInterface<LibraryCase> {
 protected:
  // Waits for exactly one box and returns it, or nullptr.
  static HWND OneBox(DWORD processId) {
    std::vector<HWND> boxes;
    if (!WaitFor([&] { return !(boxes = MessageBoxesOf(processId)).empty(); })) return nullptr;
    PumpMessages(500);  // a second box would come right after the first
    boxes = MessageBoxesOf(processId);
    return boxes.size() == 1 ? boxes[0] : nullptr;
  }
  static void Dismiss(HWND box) {
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitFor([&] { return !IsWindow(box); });
  }
};

TEST_P(BrokenLibraryTest, ShowsItsBoxOnceAndTheProgramStaysUsable) {
  const LibraryCase& c = GetParam();
  Installation installation("tarvok-broken", false);
  if (*c.library != '\0') installation.InstallHookLibrary(TestProgramFolder() + c.library);
  if (c.text != nullptr) {
    HANDLE file = CreateFileA((installation.Folder() + kHookLibraryFileName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, c.text, lstrlenA(c.text), &written, nullptr);
    CloseHandle(file);
  }
  installation.Start();
  const DWORD id = installation.ProcessId();
  HWND form = installation.Form();
  ASSERT_NE(form, nullptr);

  HWND box = OneBox(id);
  ASSERT_NE(box, nullptr) << c.what << ": " << BoxTexts(id);
  EXPECT_EQ(MessageBoxText(box), c.message);
  // The icon is there while the box is up, and a switch chosen now must not
  // start the hooks a second time inside the running start.
  EXPECT_TRUE(TrayIconShown(form));
  PostMessageA(form, WM_COMMAND, kCmdDisableEnable, 0);
  PostMessageA(form, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
  PumpMessages(1000);
  EXPECT_EQ(MessageBoxesOf(id).size(), 1u) << BoxTexts(id);
  Dismiss(box);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(form) != FALSE; })) << "the options window did not open";
  EXPECT_TRUE(MessageBoxesOf(id).empty()) << BoxTexts(id);

  // Nothing calculates, so calculation shows switched off with nothing held,
  // and the switch is an Enable that tries again and says so again. The
  // options window opened inside the box's own message loop, so the failed
  // start lets go of the block only after the box has gone.
  EXPECT_TRUE(WaitFor([] { return !BlockExists(); })) << "the failed start still holds the block";
  PostMessageA(form, WM_COMMAND, kCmdDisableEnable, 0);
  box = OneBox(id);
  ASSERT_NE(box, nullptr) << BoxTexts(id);
  EXPECT_EQ(MessageBoxText(box), c.message);

  // Exit chosen while that box is up ends the program once it is dismissed.
  PostMessageA(form, WM_COMMAND, kCmdExit, 0);
  PumpMessages(500);
  EXPECT_FALSE(installation.Ended(0, 0));
  Dismiss(box);
  EXPECT_TRUE(installation.Ended(0, kWaitMs)) << BoxTexts(id);
  EXPECT_FALSE(TrayIconShown(form));
  EXPECT_FALSE(BlockExists());
}

INSTANTIATE_TEST_SUITE_P(
    Table, BrokenLibraryTest,
    ::testing::Values(LibraryCase{"no calc.dll", "", "Error Load Library - 126"},
                      LibraryCase{"a calc.dll without exports", "stubcalc-noexports.dll",
                                  "Error Get GetMessageProc Address"},
                      LibraryCase{"a calc.dll without KeyboardProc", "stubcalc-nokeyboard.dll",
                                  "Error Get KeyboardProc Address"},
                      LibraryCase{"a calc.dll that is not a library", "", "Error Load Library - 193",
                                  "MZ this is no library at all\r\n"}));

// ---- calc.dll is the one beside the program ----

std::string LoadedModulePath(HANDLE process, const char* fileName) {
  HMODULE modules[512];
  DWORD bytes = 0;
  if (!EnumProcessModules(process, modules, sizeof modules, &bytes)) return {};
  for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
    char path[MAX_PATH] = {};
    GetModuleFileNameExA(process, modules[i], path, MAX_PATH);
    const std::string text = path;
    const std::size_t slash = text.find_last_of('\\');
    if (lstrcmpiA(text.substr(slash + 1).c_str(), fileName) == 0) return text;
  }
  return {};
}

TEST_F(ControllerFaultTest, CalcDllInTheCurrentFolderIsNeverLoaded) {
  TempFolder planted("tarvok-planted");
  CopyFileA((TestProgramFolder() + "stubcalc-nokeyboard.dll").c_str(), (planted.path() + kHookLibraryFileName).c_str(), FALSE);
  {
    Installation installation("tarvok-ownfolder", true);
    installation.Start(planted.path());
    ASSERT_TRUE(WaitFor(HooksStarted)) << BoxTexts(installation.ProcessId());
    EXPECT_TRUE(MessageBoxesOf(installation.ProcessId()).empty()) << BoxTexts(installation.ProcessId());
    EXPECT_EQ(lstrcmpiA(LoadedModulePath(installation.Process(), kHookLibraryFileName).c_str(),
                        (installation.Folder() + kHookLibraryFileName).c_str()),
              0)
        << LoadedModulePath(installation.Process(), kHookLibraryFileName);
  }
  // Without its own calc.dll the program reports the missing file rather
  // than take the one in the current folder.
  WaitFor([] { return !BlockExists(); }, 5000);
  CopyFileA((TestProgramFolder() + "stubcalc.dll").c_str(), (planted.path() + kHookLibraryFileName).c_str(), FALSE);
  Installation bare("tarvok-nolibrary", false);
  bare.Start(planted.path());
  ASSERT_TRUE(WaitFor([&] { return !MessageBoxesOf(bare.ProcessId()).empty(); }));
  EXPECT_EQ(MessageBoxText(MessageBoxesOf(bare.ProcessId())[0]), "Error Load Library - 126");
  EXPECT_EQ(LoadedModulePath(bare.Process(), kHookLibraryFileName), "");
}

// ---- The switch, many times ----

// The fewest handles the process holds over a moment: a handle that lives
// for an instant (a thread of Wine's, a message box's) is not one kept.
unsigned long SettledHandleCount(DWORD processId) {
  unsigned long fewest = counters::CountProcessHandles(processId);
  for (int sample = 0; sample < 10; ++sample) {
    Sleep(50);
    fewest = std::min(fewest, counters::CountProcessHandles(processId));
  }
  return fewest;
}

TEST_F(ControllerFaultTest, DisableEnableManyTimesLeaksNoHandleAndComplainsNever) {
  const int cycles = Soak() ? 1000 : 100;
  // The shipped library: a runtime linked into it that does not give back
  // what it takes would show here, not in a stand-in.
  Installation installation("tarvok-cycles", false);
  installation.InstallHookLibrary(TestProgramFolder() + "..\\bin\\" + kHookLibraryFileName);
  installation.Start();
  const DWORD id = installation.ProcessId();
  HWND form = installation.Form();
  ASSERT_TRUE(WaitFor(HooksStarted));
  // One cycle first, so that what the first switch loads once is not counted.
  ASSERT_TRUE(Command(form, kCmdDisableEnable));
  ASSERT_TRUE(Command(form, kCmdDisableEnable));
  const unsigned long before = SettledHandleCount(id);
  ASSERT_GT(before, 0u) << "the handle list cannot be read here";

  for (int cycle = 0; cycle < cycles; ++cycle) {
    ASSERT_TRUE(Command(form, kCmdDisableEnable)) << "cycle " << cycle << ": " << BoxTexts(id);
    ASSERT_TRUE(Command(form, kCmdDisableEnable)) << "cycle " << cycle << ": " << BoxTexts(id);
  }
  const unsigned long after = SettledHandleCount(id);
  std::printf("%d disable/enable cycles: %lu handles before, %lu after\n", cycles, before, after);
  EXPECT_EQ(after, before) << cycles << " cycles: " << before << " handles before, " << after << " after";
  EXPECT_TRUE(MessageBoxesOf(id).empty()) << BoxTexts(id);
  GlobalHookData block{};
  ASSERT_TRUE(ReadBlock(block));
  EXPECT_NE(block.GetMessageHook, 0u);
  EXPECT_NE(block.KeyboardHook, 0u);
  EXPECT_EQ(block.HotKeyVirtualKey, 0xBB);
  EXPECT_EQ(block.HotKeyModifiers, kModCtrl);
  PostMessageA(form, WM_COMMAND, kCmdExit, 0);
  EXPECT_TRUE(installation.Ended(0, kWaitMs));
}

// ---- The shell re-created ----

// Wine's notification area is a window of its own that grows by one icon
// width for each icon and hides when it holds none.
HWND WineSystemTray() { return FindWindowA(nullptr, "Wine System Tray"); }

int TrayWidth() {
  RECT rect{};
  HWND tray = WineSystemTray();
  return tray != nullptr && IsWindowVisible(tray) && GetWindowRect(tray, &rect) ? rect.right - rect.left : 0;
}

TEST_F(ControllerFaultTest, TaskbarCreatedBroadcastBringsTheIconBackOnce) {
  Installation installation("tarvok-shell", true);
  installation.Start();
  HWND form = installation.Form();
  ASSERT_TRUE(WaitFor(HooksStarted));
  ASSERT_TRUE(WaitFor([&] { return TrayIconShown(form); }));
  ASSERT_TRUE(Command(form, kCmdDisableEnable));  // the off icon must come back as it was
  const int width = TrayWidth();
  const UINT taskbarCreated = RegisterWindowMessageA("TaskbarCreated");

  // Announced while the icon still exists: no second icon.
  PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
  PumpMessages(1000);
  EXPECT_EQ(TrayWidth(), width);

  for (int restart = 0; restart < 3; ++restart) {
    NOTIFYICONDATAW record{};
    record.cbSize = kBasicRecordSize;
    record.hWnd = form;
    record.uID = kTrayIconId;
    ASSERT_TRUE(Shell_NotifyIconW(NIM_DELETE, &record));
    ASSERT_FALSE(TrayIconShown(form));
    PostMessageA(HWND_BROADCAST, taskbarCreated, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return TrayIconShown(form); })) << "restart " << restart;
    EXPECT_TRUE(WaitFor([&] { return TrayWidth() == width; }, 3000)) << TrayWidth() << " wide, was " << width;
  }
  // The icon that came back still works the program.
  PostMessageA(form, kTrayCallbackMessage, kTrayIconId, WM_LBUTTONDBLCLK);
  EXPECT_TRUE(WaitFor([&] { return IsWindowVisible(form) != FALSE; }));
  EXPECT_TRUE(Command(form, kCmdDisableEnable));
  EXPECT_TRUE(WaitFor(HooksStarted));
  PostMessageA(form, WM_COMMAND, kCmdExit, 0);
  EXPECT_TRUE(installation.Ended(0, kWaitMs));
  EXPECT_TRUE(WaitFor([] { return TrayWidth() == 0; }, 3000)) << "an icon was left behind";
}

// ---- Language files that are none ----

enum class FileKind { Empty, Binary, Huge };

void WriteLanguageFile(const std::string& path, FileKind kind) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  if (kind == FileKind::Binary) {
    std::string bytes;
    for (int i = 0; i < 4096; ++i) bytes += static_cast<char>((i * 37) & 0xFF);
    bytes.insert(0, "[MainWindow]\r\n1=Binary\r\n");
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  } else if (kind == FileKind::Huge) {
    // Valid sections at the start, then 50 MB: far beyond any language file.
    const std::string head = "[Info]\r\nLanguage=Huge\r\n[MainWindow]\r\n1=Huge\r\n6=Huge\r\n";
    WriteFile(file, head.data(), static_cast<DWORD>(head.size()), &written, nullptr);
    SetFilePointer(file, 50 * 1024 * 1024, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
  }
  CloseHandle(file);
}

struct LanguageCase {
  const char* what;
  std::vector<std::pair<const char*, FileKind>> files;  // none: no language folder at all
  const char* language;                                  // stored Language; empty: absent
  const char* caption;                                   // of the options window after start-up
};

class LanguageFaultTest : public ControllerFaultTest, public ::testing::WithParamInterface<LanguageCase> {};

HWND AboutBoxOf(DWORD processId) { return FindWindowOf(processId, "#32770", tarvok::AboutBox::kBuiltInCaption); }

TEST_P(LanguageFaultTest, EnglishTextsAndEveryCommandStillWorks) {
  const LanguageCase& c = GetParam();
  Installation installation("tarvok-language", true);
  const std::string folder = installation.Folder() + "language\\";
  if (!c.files.empty()) CreateDirectoryA(folder.c_str(), nullptr);
  for (const auto& [name, kind] : c.files) WriteLanguageFile(folder + name, kind);
  if (*c.language != '\0') WriteRegString(HKEY_CURRENT_USER, kSettingsKey, kValueLanguage, c.language);

  installation.Start();
  const DWORD id = installation.ProcessId();
  HWND form = installation.Form();
  ASSERT_TRUE(WaitFor(HooksStarted)) << c.what;
  EXPECT_EQ(Text(form), c.caption) << c.what;
  EXPECT_EQ(Text(GetDlgItem(form, kCmdOK)), "OK") << c.what;
  EXPECT_EQ(Text(GetDlgItem(form, kCmdApply)), "Apply") << c.what;

  // The About box lists one line of empty fields for each file.
  PostMessageA(form, WM_COMMAND, kCmdAbout, 0);
  HWND about = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (about = AboutBoxOf(id)) != nullptr && IsWindowVisible(about); })) << c.what;
  std::string expected;
  for (std::size_t i = 0; i < c.files.size(); ++i) expected += (i > 0 ? "\r\n" : "") + std::string("  Translate version ; ");
  EXPECT_EQ(Text(FindWindowExA(about, nullptr, "Edit", nullptr)), expected) << c.what;
  SendMessageA(FindWindowExA(about, nullptr, "Button", "OK"), BM_CLICK, 0, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(about); })) << c.what;

  // Each Language item applies its file: English texts, the name remembered.
  for (std::size_t tag = 0; tag < c.files.size(); ++tag) {
    ASSERT_TRUE(Command(form, kLanguageItemBase + static_cast<UINT>(tag))) << c.what;
    EXPECT_EQ(Text(form), "Tarvok Options") << c.what << ", item " << tag;
    EXPECT_EQ(Text(GetDlgItem(form, kCmdOK)), "OK") << c.what << ", item " << tag;
  }
  EXPECT_TRUE(Command(form, kCmdDisableEnable));
  EXPECT_TRUE(Command(form, kCmdDisableEnable));
  EXPECT_TRUE(WaitFor(HooksStarted));
  EXPECT_TRUE(MessageBoxesOf(id).empty()) << BoxTexts(id);
  PostMessageA(form, WM_COMMAND, kCmdExit, 0);
  EXPECT_TRUE(installation.Ended(0, kWaitMs)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Table, LanguageFaultTest,
    ::testing::Values(
        LanguageCase{"no language folder", {}, "", OptionsWindow::kBuiltInCaption},
        LanguageCase{"an empty file", {{"eng.ini", FileKind::Empty}}, "", "Tarvok Options"},
        LanguageCase{"a binary file", {{"bin.ini", FileKind::Binary}}, "bin.ini", "Tarvok Options"},
        LanguageCase{"a 50 MB file among others",
                     {{"huge.ini", FileKind::Huge}, {"empty.ini", FileKind::Empty}, {"bin.ini", FileKind::Binary}},
                     "huge.ini",
                     "Tarvok Options"}));

}  // namespace
}  // namespace tarvok
