#include <gtest/gtest.h>

#include <string>
#include <utility>

#include <windows.h>

#include "handle_count.h"
#include "platform/win_handles.h"
#include "platform/win_window_class.h"
#include "platform/win_window_queries.h"

using namespace torvane;

namespace {

bool KernelHandleOpen(HANDLE handle)
{
    DWORD flags = 0;
    return GetHandleInformation(handle, &flags) != 0;
}

bool GdiObjectAlive(HGDIOBJ object)
{
    return GetObjectType(object) != 0;
}

LRESULT CALLBACK PlainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

TEST(WinHandles, MovedFromOwnerLeavesTheHandleToItsNewOwner)
{
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ASSERT_NE(event, nullptr);
    {
        ScopedHandle second;
        {
            ScopedHandle first(event);
            second = std::move(first);
            EXPECT_FALSE(first);
        }
        EXPECT_TRUE(KernelHandleOpen(event));
        EXPECT_EQ(second.get(), event);
    }
    EXPECT_FALSE(KernelHandleOpen(event));
}

TEST(WinHandles, MoveAssignmentClosesTheHandleHeldBefore)
{
    HANDLE kept = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE replaced = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ScopedHandle target(replaced);
    target = ScopedHandle(kept);
    EXPECT_FALSE(KernelHandleOpen(replaced));
    EXPECT_TRUE(KernelHandleOpen(kept));
}

TEST(WinHandles, ResetToTheSameHandleKeepsItOpen)
{
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    ScopedHandle owner(event);
    owner.reset(owner.get());
    EXPECT_TRUE(KernelHandleOpen(event));
}

TEST(WinHandles, ReleasedHandleIsNotClosed)
{
    HANDLE event = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    {
        ScopedHandle owner(event);
        EXPECT_EQ(owner.release(), event);
        EXPECT_FALSE(owner);
    }
    EXPECT_TRUE(KernelHandleOpen(event));
    CloseHandle(event);
}

TEST(WinHandles, FailedCreateFileCountsAsNoHandle)
{
    const ScopedHandle file(CreateFileW(L"C:\\no such folder\\no such file", GENERIC_READ, 0, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    EXPECT_FALSE(file);
    EXPECT_EQ(file.get(), nullptr);
}

TEST(WinHandles, ReceiveClosesTheKeyHeldBefore)
{
    ScopedRegKey key;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.receive()), ERROR_SUCCESS);
    const auto before = HandleLeakGauge();
    for (int i = 0; i < 64; ++i)
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_READ, key.receive()), ERROR_SUCCESS);
    EXPECT_EQ(HandleLeakGauge(), before);
    EXPECT_TRUE(key);
}

TEST(WinHandles, GdiOwnerDeletesOnlyFromItsLastHolder)
{
    HBRUSH brush = CreateSolidBrush(RGB(1, 2, 3));
    {
        ScopedGdiObject<HBRUSH> last;
        {
            ScopedGdiObject<HBRUSH> first(brush);
            last = std::move(first);
        }
        EXPECT_TRUE(GdiObjectAlive(brush));
    }
    EXPECT_FALSE(GdiObjectAlive(brush));
}

TEST(WinHandles, ScopedSelectPutsThePreviousObjectBack)
{
    const MemoryDc dc(CreateCompatibleDC(nullptr));
    ASSERT_TRUE(dc);
    const ScopedGdiObject<HBRUSH> brush(CreateSolidBrush(RGB(10, 20, 30)));
    HGDIOBJ original = GetCurrentObject(dc.get(), OBJ_BRUSH);
    {
        const ScopedSelect selected(dc.get(), brush.get());
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), brush.get());
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), original);
    {
        const ScopedSelect nothing(dc.get(), nullptr);
        EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), original);
    }
    EXPECT_EQ(GetCurrentObject(dc.get(), OBJ_BRUSH), original);
}

TEST(WinHandles, WindowTextIsTheCaptionWithoutItsTerminator)
{
    HWND label = CreateWindowExW(0, L"STATIC", L"优化 42", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(WindowText(label), L"优化 42");
    SetWindowTextW(label, L"");
    EXPECT_EQ(WindowText(label), L"");
    DestroyWindow(label);
    EXPECT_EQ(WindowText(label), L"");
}

TEST(WinHandles, WindowClassBelongsToThisModuleAndRegistersOnce)
{
    WindowClassArgs args;
    args.name = L"TorvaneHandlesTestClass";
    args.procedure = PlainProcedure;
    args.style = CS_DBLCLKS;
    ASSERT_TRUE(RegisterWindowClass(args));
    EXPECT_FALSE(RegisterWindowClass(args));
    WNDCLASSEXW found = {};
    found.cbSize = sizeof found;
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), args.name, &found));
    EXPECT_EQ(found.style, static_cast<UINT>(CS_DBLCLKS));
    EXPECT_EQ(found.hCursor, LoadCursorW(nullptr, IDC_ARROW));
    UnregisterClassW(args.name, GetModuleHandleW(nullptr));
}
