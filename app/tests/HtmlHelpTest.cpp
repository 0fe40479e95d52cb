// Binding the HTML Help control through a registration under a scratch key:
// which registrations give a loaded library, and that an unbound API does
// nothing when called.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "HtmlHelpAPI.h"

namespace tarvok {
namespace {

constexpr char kScratchKey[] = "Software\\Quorvane\\TarvokTest\\HtmlHelp";

std::string SystemLibrary() {
  char folder[MAX_PATH] = {};
  GetSystemDirectoryA(folder, MAX_PATH);
  return std::string(folder) + "\\hhctrl.ocx";
}

struct Registration {
  const char* name;
  bool keyExists;
  DWORD type;
  std::string path;
  bool loads;
};

class HtmlHelpBindTest : public ::testing::TestWithParam<Registration> {
 protected:
  void SetUp() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey); }
  void TearDown() override { RegDeleteTreeA(HKEY_CURRENT_USER, kScratchKey); }
};

TEST_P(HtmlHelpBindTest, LoadsOnlyAnExistingLibrary) {
  const Registration& r = GetParam();
  if (r.keyExists) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, r.type, reinterpret_cast<const BYTE*>(r.path.c_str()),
                   static_cast<DWORD>(r.path.size() + 1));
    RegCloseKey(key);
  }
  HtmlHelpAPI api;
  EXPECT_EQ(api.Bind(HKEY_CURRENT_USER, kScratchKey), r.loads);
  EXPECT_EQ(api.IsLoaded(), r.loads);
  api.Unbind();
  EXPECT_FALSE(api.IsLoaded());
}

INSTANTIATE_TEST_SUITE_P(
    Registrations, HtmlHelpBindTest,
    ::testing::Values(
        Registration{"NoKey", false, REG_SZ, "", false},
        Registration{"EmptyPath", true, REG_SZ, "", false},
        Registration{"MissingFile", true, REG_SZ, "C:\\nowhere\\hhctrl.ocx", false},
        Registration{"Folder", true, REG_SZ, "C:\\windows", false},
        Registration{"NumberNotText", true, REG_DWORD, "abc", false},
        Registration{"SystemLibrary", true, REG_SZ, SystemLibrary(), true},
        Registration{"ExpandablePath", true, REG_EXPAND_SZ, "%SystemRoot%\\system32\\hhctrl.ocx",
                     true}),
    [](const auto& param) { return std::string(param.param.name); });

TEST(HtmlHelpAPI, UnboundCallDoesNothing) {
  HtmlHelpAPI api;
  EXPECT_EQ(api.HtmlHelp(nullptr, "C:\\none.chm::/whats-new.htm", kHhDisplayTopic, 0), nullptr);
}

// The build passes its own (Unix) path; Wine shows the root as drive Z:.
std::string BuiltHelpFile() {
  std::string path = TARVOK_HELP_FILE;
  if (!path.empty() && path.front() == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

TEST(HtmlHelpAPI, InfoTopicOpensAndItsWindowClosesWhenTheLibraryIsReleased) {
  HtmlHelpAPI api;
  if (!api.Bind()) GTEST_SKIP() << "this system registers no HTML Help control";
  if (GetFileAttributesA(BuiltHelpFile().c_str()) == INVALID_FILE_ATTRIBUTES) {
    GTEST_SKIP() << "the help file was not built (no chmcmd)";
  }
  const std::string topic = BuiltHelpFile() + "::/whats-new.htm";
  HWND viewer = api.HtmlHelp(nullptr, topic.c_str(), kHhDisplayTopic, 0);
  ASSERT_NE(viewer, nullptr);
  char title[64] = {};
  GetWindowTextA(viewer, title, sizeof title);
  EXPECT_STREQ(title, "Tarvok Help");
  api.Unbind();
  EXPECT_FALSE(IsWindow(viewer));
}

TEST(HtmlHelpAPI, TheSystemRegistrationIsFound) {
  HtmlHelpAPI api;
  if (!api.Bind()) GTEST_SKIP() << "this system registers no HTML Help control";
  EXPECT_TRUE(api.IsLoaded());
}

}  // namespace
}  // namespace tarvok
