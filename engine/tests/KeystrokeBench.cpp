// The per-keystroke path of the keyboard and message hooks, with the
// keyboard seam faked, and a count of heap allocations made on it (there
// must be none).
#include <benchmark/benchmark.h>

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

struct Bench {
  FakeKeyboard keyboard;
  FakeClipboard clipboard;
  FakeTimers timers;
  FakeSharedBlock block;
  FakeRegistry registry;
  FakeLogFile log;
  FakePlugin plugin;
  FakeHookChain chain;
  HookEngine engine{EngineSeams{keyboard, clipboard, timers, block, registry, log, plugin, chain}};
  Bench() {
    block.exists = true;
    block.block.HotKeyVirtualKey = 0xBB;
    block.block.HotKeyModifiers = kModCtrl;
    engine.Load(0xC000);
    chain.calls.reserve(1 << 26);
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
    benchmark::DoNotOptimize(bench.engine.GetMessageProc(0, 0, 0, &message));
    if (bench.chain.calls.size() > (1 << 25)) bench.chain.calls.clear();
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
    if (bench.chain.calls.size() > (1 << 25)) bench.chain.calls.clear();
  }
  state.counters["allocations"] = static_cast<double>(g_allocations - before);
}
BENCHMARK(BM_HotKeyCodeWithoutModifiers);

}  // namespace
}  // namespace tarvok

BENCHMARK_MAIN();
