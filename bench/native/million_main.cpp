// A million booster ticks and a million monitor samples with fakes, meant
// to run under AddressSanitizer/LeakSanitizer: any leak, overflow or use
// after free on these paths shows up as a sanitizer report and a failure.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "booster/booster.h"
#include "monitor/cpu_monitor.h"
#include "platform/memory_property_bag.h"
#include "fakes.h"

using namespace torvane;

int main(int argc, char** argv)
{
    // "canary": leaks one block on purpose, so the run can show that the
    // leak checker is live and would catch one.
    if (argc > 1 && std::strcmp(argv[1], "canary") == 0) {
        static void* volatile kept;
        kept = std::malloc(4096);
        std::printf("canary block %s\n", kept ? "allocated" : "missing");
        kept = nullptr;
        return 0;
    }
    const long rounds = argc > 1 ? std::atol(argv[1]) : 1000000;
    const auto start = std::chrono::steady_clock::now();

    BenchForeground foreground;
    BenchPriority priority;
    BenchLedgerStore ledgerStore;
    BenchClock clock;
    BenchRandom random;
    BenchBoosterPage page;
    Booster booster(foreground, priority, ledgerStore, clock, random);
    const wchar_t* titles[3] = {L"记事本 - 演示甲", L"画图 - 演示乙", L"计算器"};
    for (long i = 0; i < rounds; ++i) {
        // A new window every other tick, the same one in between.
        const long k = i / 2;
        foreground.Show(static_cast<std::uintptr_t>(0x100 + k % 3), titles[k % 3]);
        page.Show(booster.Tick(page.settings));
    }
    const auto ticked = std::chrono::steady_clock::now();

    // Samples on a small chart keep the run short; the history and sampling
    // path is the same at every size, and a full-size chart takes the last
    // thousand.
    BenchSource source;
    CpuMonitorSupport support(source);
    CpuMonitorEvents events;
    long samples = 0;
    for (int size = 0; size < 2; ++size) {
        BenchMonitorHost host(size == 0 ? 24 : 361, size == 0 ? 8 : 73);
        CpuMonitor monitor(host, support, events);
        MemoryPropertyBag bag;
        bag.Set(L"UpdateInterval", std::int32_t{500});
        bag.Set(L"HDDriveLetter", std::wstring(L"C:\\"));
        monitor.ReadProperties(bag);
        const long n = size == 0 ? rounds - rounds / 1000 : rounds / 1000;
        for (long i = 0; i < n; ++i)
            monitor.Timer1_Timer();
        samples += host.refreshes;
        if (monitor.LevelHistory().size() != static_cast<std::size_t>(host.picture.Width()) + 1) {
            std::fprintf(stderr, "million: the history changed size\n");
            return 1;
        }
    }
    const auto sampled = std::chrono::steady_clock::now();

    const long long expectedBoosts = rounds / 2;
    const auto ms = [](auto a, auto b) {
        return static_cast<long long>(std::chrono::duration_cast<std::chrono::milliseconds>(b - a).count());
    };
    std::printf("million: %ld booster ticks in %lld ms (%d boosts, %lld history clears), %ld monitor samples in %lld ms\n",
                rounds, ms(start, ticked), booster.BoostCount(), page.clears, samples, ms(ticked, sampled));
    if (booster.BoostCount() != expectedBoosts || samples != rounds) {
        std::fprintf(stderr, "million: expected %lld boosts and %ld samples\n", expectedBoosts, rounds);
        return 1;
    }
    return 0;
}
