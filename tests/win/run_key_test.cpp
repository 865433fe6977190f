#include <gtest/gtest.h>

#include <windows.h>

#include "settings/win_run_key.h"

using namespace torvane;

namespace {

const char kRun[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";

struct StoredValue {
    bool present = false;
    DWORD type = 0;
    std::string bytes;
};

StoredValue Query(HKEY root, const char* name)
{
    StoredValue stored;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, kRun, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return stored;
    char data[1024];
    DWORD size = sizeof data;
    if (RegQueryValueExA(key, name, nullptr, &stored.type, reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS) {
        stored.present = true;
        stored.bytes.assign(data, size);
    }
    RegCloseKey(key);
    return stored;
}

} // namespace

TEST(WinRunKey, WritesAnsiStringWithItsNulAndDeletesIt)
{
    WinRunKey runKey;
    struct Case {
        RunKeyRoot root;
        HKEY hkey;
    };
    const Case cases[] = {{RunKeyRoot::Machine, HKEY_LOCAL_MACHINE}, {RunKeyRoot::User, HKEY_CURRENT_USER}};
    for (const Case& c : cases) {
        ASSERT_TRUE(runKey.SetValue(c.root, L"TorvaneTest", L"\"C:\\提速\\Torvane.exe\""));
        const StoredValue stored = Query(c.hkey, "TorvaneTest");
        ASSERT_TRUE(stored.present);
        EXPECT_EQ(stored.type, static_cast<DWORD>(REG_SZ));
        EXPECT_EQ(stored.bytes, std::string("\"C:\\\xCC\xE1\xCB\xD9\\Torvane.exe\"") + '\0');

        runKey.DeleteValue(c.root, L"TorvaneTest");
        EXPECT_FALSE(Query(c.hkey, "TorvaneTest").present);
        // Deleting again is quiet.
        runKey.DeleteValue(c.root, L"TorvaneTest");
        EXPECT_FALSE(Query(c.hkey, "TorvaneTest").present);
    }
}
