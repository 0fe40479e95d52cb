// The rules of the host-state comparison: every real change is reported,
// and what a program's own typing changes (toggle bits of ordinary keys, the
// keys the test holds) is not.
#include "HostState.h"

#include <gtest/gtest.h>

#include <cctype>
#include <functional>

namespace tarvok::resident {
namespace {

HostState Baseline() {
  HostState state;
  state.fpuControl = 0x0E73;
  state.fpuStatus = 0x0000;
  state.mxcsr = 0x1F80;
  state.keys[0x90] = 0x01;  // Num Lock on
  return state;
}

struct Case {
  const char* name;
  std::function<void(HostState&)> change;
  bool reported;
};

const Case kCases[] = {
    {"nothing", [](HostState&) {}, false},
    {"control word: precision", [](HostState& s) { s.fpuControl = 0x0F73; }, true},
    {"control word: rounding", [](HostState& s) { s.fpuControl = 0x0273; }, true},
    {"control word: a mask", [](HostState& s) { s.fpuControl = 0x0E77; }, true},
    {"a pending zero-divide flag (unmasked)", [](HostState& s) { s.fpuStatus = 0x0084; }, true},
    {"a pending overflow flag (unmasked)", [](HostState& s) { s.fpuStatus = 0x0008; }, true},
    {"the summary bit alone", [](HostState& s) { s.fpuStatus = 0x0080; }, true},
    {"the inexact flag (masked)", [](HostState& s) { s.fpuStatus = 0x0020; }, false},
    {"the invalid flag (masked)", [](HostState& s) { s.fpuStatus = 0x0001; }, false},
    {"x87 stack top moved", [](HostState& s) { s.fpuStatus = 0x3800; }, false},
    {"MXCSR rounding", [](HostState& s) { s.mxcsr = 0x7F80; }, true},
    {"Ctrl left down", [](HostState& s) { s.keys[0x11] = 0x80; }, true},
    {"left Ctrl left down", [](HostState& s) { s.keys[0xA2] = 0x81; }, true},
    {"V left down", [](HostState& s) { s.keys['V'] = 0x80; }, true},
    {"Caps Lock switched on", [](HostState& s) { s.keys[0x14] = 0x01; }, true},
    {"Num Lock switched off", [](HostState& s) { s.keys[0x90] = 0x00; }, true},
    {"a typed digit toggled", [](HostState& s) { s.keys['7'] = 0x01; }, false},
    {"Ctrl toggled by the paste", [](HostState& s) { s.keys[0x11] = 0x01; }, false},
};

class HostStateRules : public ::testing::TestWithParam<Case> {};

TEST_P(HostStateRules, ReportsRealChangesOnly) {
  const HostState before = Baseline();
  HostState after = before;
  GetParam().change(after);
  EXPECT_EQ(!DescribeChanges(before, after).empty(), GetParam().reported) << DescribeChanges(before, after);
}

INSTANTIATE_TEST_SUITE_P(Changes, HostStateRules, ::testing::ValuesIn(kCases),
                         [](const ::testing::TestParamInfo<Case>& param) {
                           std::string name;
                           for (const char c : std::string(param.param.name)) name += std::isalnum(c) ? c : '_';
                           return name;
                         });

TEST(HostStateRules, AKeyTheCallerHoldsMayStayDown) {
  const HostState before = Baseline();
  HostState after = before;
  after.keys[0x11] = 0x80;
  EXPECT_EQ(DescribeChanges(before, after, {0x11}), "");
  after.keys['V'] = 0x80;
  EXPECT_NE(DescribeChanges(before, after, {0x11}), "");
}

}  // namespace
}  // namespace tarvok::resident
