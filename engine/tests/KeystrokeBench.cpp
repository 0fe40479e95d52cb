// The per-keystroke path of the keyboard and message hooks, with the
// keyboard seam faked, and a count of heap allocations made on it (there
// must be none).
#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>
#include <new>

#include "EngineFakes.h"
#include "HookEngine.h"

namespace {
long long g_allocations = 0;
}  // namespace

// The replaced operators pair malloc with free themselves; GCC cannot see
// that through the library's inlined calls.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  ++g_allocations;
  if (void* p = std::malloc(size ? size : 1)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace tarvok {
namespace {

using namespace tarvok::testing;

// Seams as cheap as the Win32 calls are fast: a table lookup for the
// translation, nothing kept of the chaining. The fakes of the unit tests
// record every call and would measure themselves.
class TableKeyboard final : public KeyboardSeam {
 public:
  TableKeyboard() {
    for (unsigned key = '0'; key <= '9'; ++key) characters_[key] = static_cast<std::uint8_t>(key);
  }
  unsigned ScanCodeOf(unsigned virtualKey) noexcept override { return virtualKey & 0xFF; }
  bool GetKeyboardState(KeyboardState& state) noexcept override {
    state = state_;
    return true;
  }
  bool SetKeyboardState(const KeyboardState& state) noexcept override {
    state_ = state;
    return true;
  }
  int ToAscii(unsigned virtualKey, unsigned, const KeyboardState&, std::uint16_t& out) noexcept override {
    out = characters_[virtualKey & 0xFF];
    return out != 0 ? 1 : 0;
  }
  std::int16_t GetKeyState(unsigned virtualKey) noexcept override {
    return (state_[virtualKey & 0xFF] & 0x80) ? static_cast<std::int16_t>(-128) : 0;
  }
  std::int16_t GetAsyncKeyState(unsigned virtualKey) noexcept override { return GetKeyState(virtualKey); }
  void SendKeyEvent(std::uint8_t, std::uint32_t) noexcept override {}
  WindowRef FocusedWindow() noexcept override { return nullptr; }
  KeyFocus FocusOfKey() noexcept override { return {}; }

 private:
  KeyboardState state_{};
  std::array<std::uint16_t, 256> characters_{};
};

class NullChain final : public HookChainSeam {
 public:
  std::intptr_t CallNextHook(std::uint32_t hook, int, std::uintptr_t, std::intptr_t) noexcept override {
    return static_cast<std::intptr_t>(hook);
  }
};

struct Bench {
  TableKeyboard keyboard;
  FakeClipboard clipboard;
  FakeTimers timers;
  FakeSharedBlock block;
  FakeRegistry registry;
  FakeLogFile log;
  FakePlugin plugin;
  NullChain chain;
  HookEngine engine{EngineSeams{keyboard, clipboard, timers, block, registry, log, plugin, chain}};
  Bench() {
    block.exists = true;
    block.block.HotKeyVirtualKey = 0xBB;
    block.block.HotKeyModifiers = kModCtrl;
    engine.Load(0xC000);
  }
};

// One typed character: the keyboard hook's press and the message hook's
// WM_KEYDOWN for it, each with its chaining.
void BM_KeyPress(benchmark::State& state) {
  Bench bench;
  const QueuedMessage message{0x0100, '7'};
  const long long before = g_allocations;
  for (auto _ : state) {
    benchmark::DoNotOptimize(bench.engine.KeyboardProc(0, '7', 1));
    benchmark::DoNotOptimize(bench.engine.GetMessageProc(0, kPmRemove, 0, &message));
  }
  state.counters["allocations"] = static_cast<double>(g_allocations - before);
}
BENCHMARK(BM_KeyPress);

// A key that is compared with the hot key: its modifiers are asked for.
void BM_HotKeyCodeWithoutModifiers(benchmark::State& state) {
  Bench bench;
  const long long before = g_allocations;
  for (auto _ : state) {
    benchmark::DoNotOptimize(bench.engine.KeyboardProc(0, 0xBB, 1));
  }
  state.counters["allocations"] = static_cast<double>(g_allocations - before);
}
BENCHMARK(BM_HotKeyCodeWithoutModifiers);

}  // namespace
}  // namespace tarvok

BENCHMARK_MAIN();
