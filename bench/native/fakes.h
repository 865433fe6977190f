#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "platform/random_digits.h"
#include "platform/trim_null.h"
#include "booster/boost_tick.h"
#include "booster/booster_settings.h"
#include "booster/foreground_window.h"
#include "booster/file_name.h"
#include "booster/priority_ledger.h"
#include "booster/process_priority.h"
#include "controls/command.h"
#include "drawing/raster_canvas.h"
#include "monitor/cpu_monitor.h"
#include "monitor/system_source.h"
#include "platform/local_clock.h"

using namespace torvane;

// Stand-ins for the system with no bookkeeping of their own, so that what is
// measured is the logic.

struct BenchForeground : ForegroundWindow {
    std::uintptr_t Window() override { return window; }
    std::wstring Title(std::uintptr_t) override { return title; }
    std::wstring ProgramName(std::uintptr_t) override { return L"bench.exe"; }
    std::vector<ChildWindow> Children(std::uintptr_t) override { return {}; }
    void Show(std::uintptr_t handle, const std::wstring& text)
    {
        window = handle;
        title = text;
    }
    std::uintptr_t window = 0;
    std::wstring title;
};

// Every process is the window of the same number, and takes any class.
struct BenchProcess : OpenedProcess {
    explicit BenchProcess(std::uint32_t processId) : id(processId) {}
    ProcessIdentity Identity() override { return {id, 1}; }
    bool Running() override { return true; }
    std::uint32_t PriorityClass() override { return cls; }
    bool SetPriorityClass(std::uint32_t c) override
    {
        cls = c;
        return true;
    }
    std::wstring ProgramPath() override { return L"C:\\bench.exe"; }
    std::uint32_t id;
    std::uint32_t cls = 0x20;
};

struct BenchPriority : ProcessPriority {
    std::uint32_t WindowProcessId(std::uintptr_t window) override { return static_cast<std::uint32_t>(window); }
    std::unique_ptr<OpenedProcess> Open(std::uint32_t id, std::uint32_t&) override
    {
        ++calls;
        return std::make_unique<BenchProcess>(id);
    }
    // A desktop's worth of other programs, none of them a helper.
    std::vector<ListedProcess> ListNamed(const std::wstring& fileName) override
    {
        std::vector<ListedProcess> named;
        for (const auto& p : listed)
            if (SameFileName(p.second, fileName))
                named.push_back(p.first);
        return named;
    }
    std::vector<std::pair<ListedProcess, std::wstring>> listed;
    long long calls = 0;
};

struct BenchLedgerStore : LedgerStore {
    std::string Read() override { return {}; }
    bool Replace(const std::string&) override
    {
        ++writes;
        return true;
    }
    long long writes = 0;
};

struct BenchClock : LocalClock {
    std::wstring CurrentTimeText() override { return L"12:34:56"; }
};

struct BenchRandom : RandomSource {
    void Reseed() override {}
    double Next() override
    {
        state = state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(state >> 11) / 9007199254740992.0;
    }
    std::uint64_t state = 1;
};

// What the settings page says (normal mode, a limit of 50), and how often a
// tick emptied the history.
struct BenchBoosterPage {
    BenchBoosterPage()
    {
        settings.mode = SpeedMode::Normal;
        settings.recordLimit = 50;
    }
    void Show(const BoostTick& tick)
    {
        if (tick.historyCleared)
            ++clears;
    }
    BoosterSettings settings;
    long long clears = 0;
};

// Scripted CPU times and memory load; disk through the 64-bit call.
class BenchSource : public SystemSource {
public:
    bool IsWindowsNT() override { return true; }
    bool ReadCpuTimes(CpuTimes& times) override
    {
        time += 5000000;
        idle += 5000000 - (step * 7919 % 5000000);
        times = {idle, time, 2};
        return true;
    }
    void ReadMemory(MemoryReading& memory) override
    {
        ++step;
        memory = {};
        memory.memoryLoad = static_cast<std::uint32_t>(step % 100);
        memory.totalPhysical = memory.totalPageFile = memory.totalVirtual = 8ull << 30;
        memory.availablePhysical = memory.availablePageFile = memory.availableVirtual = (step % 8) << 30;
    }
    bool HasDiskFreeSpaceEx() override { return true; }
    bool DiskFreeSpaceEx(const std::wstring&, std::uint64_t& available, std::uint64_t& total,
                         std::uint64_t& totalFree) override
    {
        total = 500ull << 30;
        available = totalFree = (step % 500) << 30;
        return true;
    }
    bool DiskFreeSpace(const std::wstring&, DiskClusters&) override { return false; }

    std::int64_t time = 0;
    std::int64_t idle = 0;
    std::uint64_t step = 0;
};

class BenchMonitorHost : public CpuMonitorHost {
public:
    BenchMonitorHost(int width, int height) : picture(width, height, 0xFFFFFF) {}
    bool RunMode() override { return true; }
    void SetTimer(int, bool) override {}
    int OuterWidth() override { return picture.Width(); }
    Canvas& Picture() override { return picture; }
    void RefreshWindow() override { ++refreshes; }
    int WindowAppearance() override { return 0; }
    void SetWindowAppearance(int) override {}
    int WindowBorderStyle() override { return 0; }
    void SetWindowBorderStyle(int) override {}
    bool WindowEnabled() override { return true; }
    void SetWindowEnabled(bool) override {}
    void SetWindowBackColour(Colour) override {}
    std::wstring WindowsDirectory() override { return L"C:\\WINDOWS"; }
    NumberPunctuation Punctuation() override { return {}; }
    void PropertyChanged(const wchar_t*) override {}

    RasterCanvas picture;
    long long refreshes = 0;
};

class BenchCommandSurface : public CommandSurface {
public:
    std::uintptr_t WindowHandle() override { return 0x1234; }
    std::wstring ControlName() override { return L"Command1"; }
    bool RunMode() override { return true; }
    FontDescription SurfaceFont() override { return {L"宋体", 9, false, false}; }
    FontDescription ContainerFont() override { return {L"宋体", 9, false, false}; }
    void SetSurfaceEnabled(bool) override {}
    void SetSurfaceFont(const FontDescription&) override {}
    void SetAccessKeys(const std::wstring&) override {}
    void PropertyChanged(const wchar_t*) override {}
    void Repaint() override {}
    void Resize() override {}
};

class BenchSystemColours : public SystemColours {
public:
    Colour Get(int index) override
    {
        const auto found = colours.find(index);
        return found != colours.end() ? found->second : Rgb(index, index, index);
    }
    std::map<int, Colour> colours = {
        {SystemColour::ButtonFace, Rgb(240, 240, 240)}, {SystemColour::ButtonText, Rgb(0, 0, 0)},
        {SystemColour::ButtonShadow, Rgb(160, 160, 160)}, {SystemColour::Light3D, Rgb(227, 227, 227)},
        {SystemColour::DarkShadow3D, Rgb(105, 105, 105)}, {SystemColour::ButtonHighlight, Rgb(255, 255, 255)},
    };
};
