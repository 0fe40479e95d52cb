// The Win32 seams for real: the Path value read at its size limits, the log
// file created and appended with CR LF, the settings copy from a real named
// mapping, and the converter plug-in built for the tests.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "LogLine.h"
#include "RegistryAccess.h"
#include "RegistryNames.h"
#include "SettingsCopy.h"
#include "Win32Services.h"

namespace tarvok {
namespace {

constexpr char kTestKey[] = "Software\\Quorvane\\TarvokEngineTest";

struct RegCase {
  const char* name;
  std::size_t dataBytes;  // the value's size, with its terminating zero if any
  bool terminated;
  std::size_t expectedLength;  // 0: the absent text
};

class ReadRegStringTest : public ::testing::TestWithParam<RegCase> {};

TEST_P(ReadRegStringTest, ReadsUpTo200Bytes) {
  std::string data(GetParam().dataBytes, 'x');
  if (GetParam().terminated) data.back() = '\0';
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kTestKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.data()), static_cast<DWORD>(data.size()));
  RegCloseKey(key);
  const std::string text = ReadRegString(HKEY_CURRENT_USER, kTestKey, "Path");
  if (GetParam().expectedLength == 0) {
    EXPECT_EQ(text, "0");
  } else {
    EXPECT_EQ(text, std::string(GetParam().expectedLength, 'x'));
  }
  RegDeleteKeyA(HKEY_CURRENT_USER, kTestKey);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ReadRegStringTest,
                         ::testing::Values(RegCase{"Bytes199", 199, true, 198}, RegCase{"Bytes200", 200, true, 199},
                                           RegCase{"Bytes201", 201, true, 0}),
                         [](const auto& tested) { return std::string(tested.param.name); });

TEST(Win32Registry, MissingPathReadsAsAbsent) {
  EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kTestKey, "Path"), "0");
}

std::string TempFolder() {
  char folder[MAX_PATH] = {};
  GetTempPathA(MAX_PATH, folder);
  std::string path = std::string(folder) + "tarvok-engine-test\\";
  CreateDirectoryA(path.c_str(), nullptr);
  return path;
}

std::string FileText(const std::string& name) {
  std::ifstream file(name, std::ios::binary);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(Win32LogFile, CreatesThenAppendsLinesWithCrLf) {
  Win32LogFile log;
  const std::string folder = TempFolder();
  DeleteFileA((folder + kLogFileName).c_str());
  AppendLogLine(log, folder, "2*3", "6.00");
  AppendLogLine(log, folder, "2*", "");
  const std::string text = FileText(folder + kLogFileName);
  const LocalTime now = log.Now();
  const std::string date = log.FormatShortDate(now);
  ASSERT_FALSE(date.empty());
  EXPECT_EQ(text.rfind("[" + date, 0), 0u) << text;
  EXPECT_NE(text.find("] 2*3=6.00\r\n["), std::string::npos) << text;
  EXPECT_EQ(text.substr(text.size() - 7), "] 2*=\r\n");
  DeleteFileA((folder + kLogFileName).c_str());
}

TEST(Win32LogFile, UnwritableFolderRaises) {
  Win32LogFile log;
  EXPECT_THROW(AppendLogLine(log, "C:\\no such folder\\at all\\", "1", "1.00"), LogFileError);
}

TEST(Win32LogFile, MidnightShowsTheDateOnly) {
  Win32LogFile log;
  const LocalTime midnight{2026, 3, 4, 0, 0, 0};
  EXPECT_EQ(FormatLogTimestamp(log, midnight), log.FormatShortDate(midnight));
  const LocalTime later{2026, 3, 4, 13, 5, 9};
  EXPECT_EQ(FormatLogTimestamp(log, later), log.FormatShortDate(later) + " " + log.FormatLongTime(later));
}

TEST(Win32SharedBlock, LoadsFromTheNamedMappingOrKeepsTheDefaults) {
  Win32SharedBlock reader;
  SettingsCopy settings;
  LoadSharedSettings(reader, settings);
  EXPECT_EQ(settings.Precision, 2);  // no controller: defaults

  HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, kGlobalHookDataSize,
                                     kGlobalHookDataName);
  ASSERT_NE(mapping, nullptr);
  auto* block = static_cast<GlobalHookData*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0));
  block->GetMessageHook = 0x11;
  block->KeyboardHook = 0x22;
  block->Precision = 7;
  block->ResultForm = 1;
  block->HotKeyVirtualKey = 0xBB;
  block->HotKeyModifiers = 5;
  LoadSharedSettings(reader, settings);
  EXPECT_EQ(settings.GetMessageHook, 0x11u);
  EXPECT_EQ(settings.KeyboardHook, 0x22u);
  EXPECT_EQ(settings.Precision, 7);
  EXPECT_EQ(settings.ResultForm, 1);
  EXPECT_EQ(settings.HotKeyVirtualKey, 0xBB);
  EXPECT_EQ(settings.HotKeyModifiers, 5);

  block->KeyboardHook = 0x99;
  block->Precision = 0;
  RefreshSharedSettings(reader, settings);
  EXPECT_EQ(settings.Precision, 0);
  EXPECT_EQ(settings.KeyboardHook, 0x22u);
  UnmapViewOfFile(block);
  CloseHandle(mapping);
}

// The library only ever asks for read access to the block: a block that
// allows nothing else must still be read whole.
TEST(Win32SharedBlock, AsksForReadAccessOnly) {
  GlobalHookData written{};
  written.KeyboardHook = 0x33;
  written.Precision = 9;
  written.ResultForm = 1;
  written.HotKeyVirtualKey = 0x70;
  written.HotKeyModifiers = 2;
  char folder[MAX_PATH] = {};
  char fileName[MAX_PATH] = {};
  ASSERT_NE(GetTempPathA(MAX_PATH, folder), 0u);
  ASSERT_NE(GetTempFileNameA(folder, "tbk", 0, fileName), 0u);
  {
    std::ofstream out(fileName, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&written), sizeof written);
  }
  HANDLE file = CreateFileA(fileName, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  HANDLE mapping = CreateFileMappingA(file, nullptr, PAGE_READONLY, 0, kGlobalHookDataSize, kGlobalHookDataName);
  ASSERT_NE(mapping, nullptr);
  ASSERT_NE(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS)) << "another block is in the way";

  // The block really refuses writers, so a reader asking for more would fail.
  HANDLE writer = OpenFileMappingA(FILE_MAP_WRITE, FALSE, kGlobalHookDataName);
  void* writable = writer != nullptr ? MapViewOfFile(writer, FILE_MAP_WRITE, 0, 0, kGlobalHookDataSize) : nullptr;
  EXPECT_EQ(writable, nullptr);
  if (writable != nullptr) UnmapViewOfFile(writable);
  if (writer != nullptr) CloseHandle(writer);

  Win32SharedBlock reader;
  GlobalHookData read{};
  ASSERT_TRUE(reader.ReadSharedBlock(read));
  EXPECT_EQ(std::memcmp(&read, &written, sizeof read), 0);

  CloseHandle(mapping);
  CloseHandle(file);
  DeleteFileA(fileName);
}

std::string PluginFile() {
  std::string path = std::string("Z:") + TARVOK_TEST_PLUGIN_DIR + "/" + kConverterFileName;
  for (char& c : path)
    if (c == '/') c = '\\';
  return path;
}

unsigned short ControlWord() {
  unsigned short word = 0;
  asm volatile("fnstcw %0" : "=m"(word));
  return word;
}

unsigned short ExceptionFlags() {
  unsigned short status = 0;
  asm volatile("fnstsw %0" : "=m"(status));
  return status & 0x3F;
}

unsigned Mxcsr() {
  unsigned mxcsr = 0;
#if defined(__x86_64__)
  asm volatile("stmxcsr %0" : "=m"(mxcsr));
#endif
  return mxcsr;
}

TEST(Win32Plugin, PassesTheValueAndLayoutAndKeepsTheFpuEnvironment) {
  Win32Plugin plugin;
  const unsigned mxcsrBefore = Mxcsr();
  ASSERT_TRUE(plugin.Load(PluginFile())) << PluginFile();
  asm volatile("fnclex\n\tfld1\n\tfldz\n\tfdivrp\n\tfstp %%st(0)" : : : "st");  // a masked 1/0: ZE set
  const unsigned short before = ControlWord();
  const unsigned short flagsBefore = ExceptionFlags();
  char expected[32];
  std::snprintf(expected, sizeof expected, "<1234.50|%04X>",
                static_cast<unsigned>(reinterpret_cast<UINT_PTR>(GetKeyboardLayout(0)) & 0xFFFF));
  EXPECT_EQ(ConvertValueToLine(plugin, 1234.5L).value_or("<none>"), expected);
  EXPECT_EQ(ConvertValueToLine(plugin, -0.25L).value_or("<none>").substr(0, 7), "<-0.25|");
  EXPECT_EQ(ControlWord(), before);
  EXPECT_EQ(ExceptionFlags(), flagsBefore);
  EXPECT_EQ(Mxcsr(), mxcsrBefore);
  EXPECT_NE(flagsBefore & 0x04, 0);
  plugin.Unload();
  EXPECT_EQ(plugin.Convert(1.0L), nullptr);
}

// calc.dll's replacements of the library's error helpers still throw, and
// what they throw is caught like any other error.
TEST(LeanLibraryErrors, StringAndVectorErrorsStillThrow) {
  const std::string empty;
  EXPECT_THROW((void)empty.at(5), std::exception);
  EXPECT_THROW((void)empty.substr(9), std::exception);
  std::vector<int> numbers;
  EXPECT_THROW(numbers.reserve(numbers.max_size() + 1), std::exception);
}

TEST(Win32Plugin, MissingLibraryOrFunctionIsNotLoaded) {
  Win32Plugin plugin;
  EXPECT_FALSE(plugin.Load("C:\\no such folder\\convert.dll"));
  EXPECT_FALSE(plugin.Load("C:\\windows\\system32\\kernel32.dll"));
}

}  // namespace
}  // namespace tarvok
