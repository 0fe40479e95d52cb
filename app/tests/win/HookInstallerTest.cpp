// The hook installer's Start and Stop for real under Wine, against stub hook
// libraries: the block's fields, the full-path load, the order that keeps every
// copy of the library from reading an empty block, each failure's message text,
// and that a disable/enable cycle starts clean.
#include <gtest/gtest.h>

#include "HookInstaller.h"
#include "RegistryNames.h"
#include "WineTestSupport.h"

namespace tarvok {
namespace {

using testing::RecordingReporter;
using testing::TestProgramFolder;

using BlockAtLoadFn = BOOL (*)(GlobalHookData*);

HookSettings SampleSettings() {
  HookSettings settings;
  settings.precision = 7;
  settings.resultForm = kResultFormLine;
  settings.controllerWindow = 0x4242;
  settings.shortcut = 0x60BB;  // Shift+Ctrl+=
  return settings;
}

bool BlockExists() {
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, kGlobalHookDataName);
  if (mapping == nullptr) return false;
  CloseHandle(mapping);
  return true;
}

class HookInstallerTest : public ::testing::Test {
 protected:
  // A controller that was just told to exit may still hold the block for a
  // moment; these tests need the name free.
  void SetUp() override {
    for (int wait = 0; wait < 50 && BlockExists(); ++wait) Sleep(100);
    ASSERT_FALSE(BlockExists()) << "another program holds the settings block";
  }
  void TearDown() override {
    work.Stop();
    work.ReleaseLibrary();
  }
  RecordingReporter reporter;
  HookInstaller work{reporter};
};

TEST_F(HookInstallerTest, StartFillsTheBlockAndStopRemovesEverything) {
  const std::string library = TestProgramFolder() + "stubcalc.dll";
  work.SetLibraryPath(library);
  EXPECT_TRUE(work.Start(SampleSettings()));
  EXPECT_TRUE(reporter.messages.empty()) << reporter.messages.front();

  ASSERT_TRUE(work.BlockMapped());
  const GlobalHookData& block = *work.Block();
  EXPECT_NE(block.GetMessageHook, 0u);
  EXPECT_NE(block.KeyboardHook, 0u);
  EXPECT_EQ(block.CallWndProcHook, 0u);
  EXPECT_EQ(block.ShellHook, 0u);
  EXPECT_EQ(block.Precision, 7);
  EXPECT_EQ(block.ResultForm, kResultFormLine);
  EXPECT_EQ(block.ControllerWindow, 0x4242u);
  EXPECT_EQ(block.HotKeyVirtualKey, 0xBB);
  EXPECT_EQ(block.HotKeyModifiers, kModCtrl | kModShift);
  EXPECT_NE(work.OptionsUpdateMessage(), 0u);

  // The copy loaded into this process already saw the settings.
  HMODULE loaded = GetModuleHandleA(library.c_str());
  ASSERT_NE(loaded, nullptr);
  auto blockAtLoad = reinterpret_cast<BlockAtLoadFn>(reinterpret_cast<void*>(GetProcAddress(loaded, "StubBlockAtLoad")));
  ASSERT_NE(blockAtLoad, nullptr);
  GlobalHookData seen{};
  ASSERT_TRUE(blockAtLoad(&seen));
  EXPECT_EQ(seen.Precision, 7);
  EXPECT_EQ(seen.HotKeyVirtualKey, 0xBB);
  EXPECT_EQ(seen.HotKeyModifiers, kModCtrl | kModShift);
  EXPECT_EQ(seen.ResultForm, kResultFormLine);

  EXPECT_TRUE(work.Stop());
  EXPECT_TRUE(reporter.messages.empty()) << reporter.messages.front();
  EXPECT_FALSE(work.BlockMapped());
  EXPECT_FALSE(BlockExists());
  EXPECT_EQ(GetModuleHandleA(library.c_str()), loaded);
  work.ReleaseLibrary();
  EXPECT_EQ(GetModuleHandleA(library.c_str()), nullptr);
}

// The library is loaded at the first Enable only: its copy here still holds
// what it read then.
TEST_F(HookInstallerTest, DisableEnableCycleCreatesANewBlockWithoutComplaintOrReload) {
  const std::string library = TestProgramFolder() + "stubcalc.dll";
  work.SetLibraryPath(library);
  HookSettings settings = SampleSettings();
  for (int cycle = 0; cycle < 3; ++cycle) {
    settings.precision = static_cast<std::uint8_t>(cycle);
    work.Start(settings);
    ASSERT_TRUE(work.BlockMapped());
    EXPECT_NE(work.Block()->KeyboardHook, 0u);
    EXPECT_EQ(work.Block()->Precision, cycle);
    work.Stop();
    EXPECT_FALSE(BlockExists());
  }
  EXPECT_TRUE(reporter.messages.empty()) << reporter.messages.front();
  auto blockAtLoad = reinterpret_cast<BlockAtLoadFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(library.c_str()), "StubBlockAtLoad")));
  ASSERT_NE(blockAtLoad, nullptr);
  GlobalHookData seen{};
  ASSERT_TRUE(blockAtLoad(&seen));
  EXPECT_EQ(seen.Precision, 0);
}

DWORD WINAPI CloseAfterAMoment(LPVOID handle) {
  Sleep(50);
  CloseHandle(static_cast<HANDLE>(handle));
  return 0;
}

TEST_F(HookInstallerTest, EnableRightAfterDisableWaitsOutAReaderOfTheOldBlock) {
  work.SetLibraryPath(TestProgramFolder() + "stubcalc.dll");
  work.Start(SampleSettings());
  // A copy of calc.dll in some program reads the block just as Disable
  // closes it, and lets go a moment later.
  HANDLE reader = OpenFileMappingA(FILE_MAP_READ, FALSE, kGlobalHookDataName);
  ASSERT_NE(reader, nullptr);
  work.Stop();
  HANDLE release = CreateThread(nullptr, 0, &CloseAfterAMoment, reader, 0, nullptr);
  ASSERT_NE(release, nullptr);
  work.Start(SampleSettings());
  WaitForSingleObject(release, INFINITE);
  CloseHandle(release);
  EXPECT_TRUE(reporter.messages.empty()) << reporter.messages.front();
  ASSERT_TRUE(work.BlockMapped());
  EXPECT_NE(work.Block()->KeyboardHook, 0u);
  EXPECT_EQ(work.Block()->Precision, 7);
}

TEST_F(HookInstallerTest, StopWithoutStartAndTwiceReleasesNothingTwice) {
  EXPECT_TRUE(work.Stop());
  work.SetLibraryPath(TestProgramFolder() + "stubcalc.dll");
  work.Start(SampleSettings());
  EXPECT_TRUE(work.Stop());
  EXPECT_TRUE(work.Stop());
  EXPECT_TRUE(reporter.messages.empty()) << reporter.messages.front();
}

struct FailureCase {
  const char* library;   // file in the test folder
  const char* expected;  // the one message shown
  bool libraryStaysLoaded;
};

class HookInstallerFailureTest : public HookInstallerTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(HookInstallerFailureTest, ReportsOnceAndStopCleansUpQuietly) {
  const std::string library = TestProgramFolder() + GetParam().library;
  work.SetLibraryPath(library);
  EXPECT_TRUE(work.Start(SampleSettings()));
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0], GetParam().expected);
  EXPECT_EQ(work.LibraryLoaded(), GetParam().libraryStaysLoaded);
  ASSERT_TRUE(work.BlockMapped());
  EXPECT_EQ(work.Block()->GetMessageHook, 0u);
  EXPECT_EQ(work.Block()->KeyboardHook, 0u);

  reporter.messages.clear();
  EXPECT_TRUE(work.Stop());
  EXPECT_TRUE(reporter.messages.empty()) << reporter.messages.front();
  EXPECT_FALSE(BlockExists());
  EXPECT_EQ(GetModuleHandleA(library.c_str()), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Table, HookInstallerFailureTest,
                         ::testing::Values(FailureCase{"missing-calc.dll", "Error Load Library - 126", false},
                                           FailureCase{"stubcalc-nokeyboard.dll", "Error Get KeyboardProc Address",
                                                       true}));

TEST_F(HookInstallerTest, LoadsTheLibraryByItsFullPathOnly) {
  // A library that exists on the search path (the test folder) but not at
  // the configured full path must not be picked up by its bare name.
  testing::TempFolder elsewhere("tarvok-fullpath");
  work.SetLibraryPath(elsewhere.path() + "stubcalc.dll");
  work.Start(SampleSettings());
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0].rfind("Error Load Library - ", 0), 0u) << reporter.messages[0];
  EXPECT_FALSE(work.LibraryLoaded());
}

TEST_F(HookInstallerTest, ExistingBlockIsReportedAndStillUsed) {
  HANDLE other = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                    static_cast<DWORD>(kGlobalHookDataSize), kGlobalHookDataName);
  ASSERT_NE(other, nullptr);
  work.SetLibraryPath(TestProgramFolder() + "stubcalc.dll");
  work.Start(SampleSettings());
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0], "ERROR_ALREADY_EXISTS(1)");
  ASSERT_TRUE(work.BlockMapped());
  EXPECT_NE(work.Block()->KeyboardHook, 0u);
  EXPECT_EQ(work.Block()->Precision, 7);
  work.Stop();
  CloseHandle(other);
}

// A top-level window of this thread, to see the broadcast arrive.
class BroadcastCatcher {
 public:
  explicit BroadcastCatcher(UINT message) : message_(message) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &BroadcastCatcher::Proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TarvokBroadcastCatcher";
    RegisterClassA(&windowClass);
    window_ = CreateWindowExA(0, windowClass.lpszClassName, "catcher", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              windowClass.hInstance, nullptr);
    SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~BroadcastCatcher() { DestroyWindow(window_); }
  BroadcastCatcher(const BroadcastCatcher&) = delete;
  BroadcastCatcher& operator=(const BroadcastCatcher&) = delete;
  int received = 0;

 private:
  static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<BroadcastCatcher*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self != nullptr && message == self->message_) ++self->received;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  UINT message_;
  HWND window_;
};

TEST_F(HookInstallerTest, ApplyRewritesSettingsKeepsHooksAndAnnounces) {
  EXPECT_FALSE(work.ApplySettings(SampleSettings()));  // nothing mapped: nothing to do

  work.SetLibraryPath(TestProgramFolder() + "stubcalc.dll");
  work.Start(SampleSettings());
  ASSERT_TRUE(work.BlockMapped());
  const std::uint32_t keyboardHook = work.Block()->KeyboardHook;
  BroadcastCatcher catcher(work.OptionsUpdateMessage());

  HookSettings changed;
  changed.precision = 0;
  changed.resultForm = kResultFormNumber;
  changed.controllerWindow = 0x99;
  changed.shortcut = 0x8041;  // Alt+A
  EXPECT_TRUE(work.ApplySettings(changed));
  EXPECT_EQ(work.Block()->Precision, 0);
  EXPECT_EQ(work.Block()->ResultForm, kResultFormNumber);
  EXPECT_EQ(work.Block()->HotKeyVirtualKey, 0x41);
  EXPECT_EQ(work.Block()->HotKeyModifiers, kModAlt);
  EXPECT_EQ(work.Block()->KeyboardHook, keyboardHook);
  testing::PumpMessages(300);
  EXPECT_GE(catcher.received, 1);
}

}  // namespace
}  // namespace tarvok
