#include <gtest/gtest.h>

#include <windows.h>

#include "gdi_object_count.h"
#include "handle_count.h"
#include "monitor/win_cpu_monitor.h"
#include "monitor/win_system_source.h"
#include "platform/memory_property_bag.h"

using namespace torvane;

TEST(CpuMonitorWindow, ThousandTicksLeaveGdiObjectsAndHandlesAsTenDid)
{
    HWND parent = CreateWindowExW(0, L"STATIC", L"monitor", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 400, 120, nullptr,
                                  nullptr, GetModuleHandleW(nullptr), nullptr);
    WinSystemSource source;
    CpuMonitorSupport support(source);
    MemoryPropertyBag properties;
    properties.Set(L"BackColor", std::int32_t{0xFFFFFF});
    properties.Set(L"BorderStyle", std::int32_t{0});
    properties.Set(L"HDDriveLetter", std::wstring(L"C:\\"));
    CpuMonitorCreateArgs args;
    args.parent = parent;
    args.support = &support;
    args.properties = &properties;
    CpuMonitorWindow* window = CpuMonitorWindow::Create(args);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->picture().Width(), 361);
    EXPECT_EQ(window->picture().Height(), 73);

    const auto tick = [window] {
        window->monitor().Timer1_Timer();
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    };
    for (int i = 0; i < 10; ++i)
        tick();
    const DWORD gdi = GdiObjectCount();
    const std::uintptr_t handles = HandleLeakGauge();
    ASSERT_GT(gdi, 0u);
    ASSERT_GT(handles, 0u);
    for (int i = 0; i < 990; ++i)
        tick();
    EXPECT_EQ(GdiObjectCount(), gdi);
    EXPECT_EQ(HandleLeakGauge(), handles);
    // The grid has wrapped at least twice over 1,000 ticks and kept moving.
    EXPECT_GT(window->monitor().GridOffset(), -361);
    EXPECT_EQ(window->monitor().UnfilledColumns(), 0);
    DestroyWindow(parent);
}
