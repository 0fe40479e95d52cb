// The language files the build ships (build/<preset>/bin/language), as a
// Windows path, and the code page a test run must be in.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace tarvok::testing {

inline std::string ShippedLanguageFolder() {
  // The build passes its own (Unix) path; Wine shows the root as drive Z:.
  std::string path = TARVOK_SHIPPED_LANGUAGE_DIR;
  if (!path.empty() && path.front() == '/') path = "Z:" + path;
  for (char& c : path) {
    if (c == '/') c = '\\';
  }
  return path;
}

// The test command runs these tests once on a Western and once on a Russian
// system code page (TARVOK_EXPECT_ACP); a run that did not get the code page
// it was meant for would prove nothing.
inline void ExpectSystemCodePageOfThisRun() {
  const char* expected = std::getenv("TARVOK_EXPECT_ACP");
  if (expected != nullptr) {
    ASSERT_EQ(GetACP(), static_cast<UINT>(std::atoi(expected)));
  }
}

}  // namespace tarvok::testing
