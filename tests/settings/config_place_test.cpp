#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "app/start_command.h"
#include "settings/config_place.h"

using namespace torvane;

namespace {

// Files with their contents, folders, and the paths that refuse writing.
class FakeDisk : public ConfigPlaceProbe {
public:
    bool CanWrite(const std::wstring& file) override { return !readOnly.count(file) && !folders.count(file); }
    bool FileExists(const std::wstring& file) override { return files.count(file) != 0; }
    bool MakeFolder(const std::wstring& folder) override
    {
        if (readOnly.count(folder))
            return false;
        folders.insert(folder);
        return true;
    }
    bool CopyNew(const std::wstring& from, const std::wstring& to) override
    {
        if (files.count(to))
            return false;
        files[to] = files[from];
        return true;
    }
    std::wstring UserDataFolder() override
    {
        ++dataFolderAsked;
        return dataFolder;
    }

    std::map<std::wstring, std::string> files;
    std::set<std::wstring> folders;
    std::set<std::wstring> readOnly;
    std::wstring dataFolder;
    int dataFolderAsked = 0;
};

const std::wstring kProgram = L"C:\\Program Files\\Torvane";
const std::wstring kData = L"C:\\Users\\u\\AppData\\Roaming";
const std::wstring kBeside = kProgram + L"\\config.ini";
const std::wstring kUser = kData + L"\\Torvane\\config.ini";

} // namespace

TEST(ConfigPlace, BesideTheProgramWhenWritableElseTheUsersDataWithTheSettingsCopiedOnce)
{
    struct Case {
        const char* name;
        bool besideWritable;
        bool besideIsFolder;
        const char* besideContent; // null: no file beside the program
        const char* userContent;   // null: no file in the user's data yet
        bool userDataWritable;
        bool inUserData;
        const char* userContentAfter; // null: none
        bool noDataFolder = false;
    };
    const Case cases[] = {
        {"portable copy", true, false, "[Normal]\r\nAutoRun=1\r\n", nullptr, true, false, nullptr},
        {"portable copy, first start", true, false, nullptr, nullptr, true, false, nullptr},
        {"read-only settings are copied over", false, false, "[Speed]\r\nSpeedLevel=2\r\n", nullptr, true, true,
         "[Speed]\r\nSpeedLevel=2\r\n"},
        {"a later start keeps what was written since", false, false, "[Speed]\r\nSpeedLevel=2\r\n",
         "[Speed]\r\nSpeedLevel=1\r\n", true, true, "[Speed]\r\nSpeedLevel=1\r\n"},
        {"config.ini is a folder", false, true, nullptr, nullptr, true, true, nullptr},
        {"nowhere writable: beside the program as ever", false, false, "x", nullptr, false, false, nullptr},
        {"no user data folder: beside the program", false, false, "x", nullptr, true, false, nullptr, true},
    };
    for (const Case& c : cases) {
        FakeDisk disk;
        disk.dataFolder = c.noDataFolder ? L"" : kData;
        if (c.besideContent)
            disk.files[kBeside] = c.besideContent;
        if (!c.besideWritable)
            disk.readOnly.insert(kBeside);
        if (c.besideIsFolder)
            disk.folders.insert(kBeside);
        if (c.userContent)
            disk.files[kUser] = c.userContent;
        if (!c.userDataWritable)
            disk.readOnly.insert(kData + L"\\Torvane");
        const ConfigPlace place = ChooseConfigPlace(kProgram, disk);
        // A portable copy never asks where the user's data is.
        EXPECT_EQ(disk.dataFolderAsked, c.besideWritable ? 0 : 1) << c.name;
        EXPECT_EQ(place.inUserData, c.inUserData) << c.name;
        EXPECT_EQ(place.configPath, c.inUserData ? kUser : kBeside) << c.name;
        EXPECT_EQ(place.logsPath, c.inUserData ? kData + L"\\Torvane\\Logs.txt" : kProgram + L"\\Logs.txt") << c.name;
        EXPECT_EQ(place.ledgerPath, c.inUserData ? kData + L"\\Torvane\\Raised.txt" : kProgram + L"\\Raised.txt")
            << c.name;
        const std::string after = disk.files.count(kUser) ? disk.files[kUser] : "<none>";
        EXPECT_EQ(after, c.userContentAfter ? c.userContentAfter : "<none>") << c.name;
    }
}

TEST(StartCommand, OnlyTheInstallersTwoWordsChangeWhatAStartDoes)
{
    struct Case {
        const wchar_t* arguments;
        StartCommand command;
    };
    const Case cases[] = {
        {L"", StartCommand::Run},          {L"  ", StartCommand::Run},
        {L"/exit", StartCommand::Exit},    {L" /EXIT ", StartCommand::Exit},
        {L"-exit", StartCommand::Exit},    {L"/uninstall", StartCommand::Uninstall},
        {L"/Uninstall", StartCommand::Uninstall}, {L"/exit now", StartCommand::Run},
        {L"exit", StartCommand::Run},      {L"/min", StartCommand::Run},
        // However the caller quoted it.
        {L"\"/exit\"", StartCommand::Exit}, {L"\t\" /exit\t\" ", StartCommand::Exit},
        {L"\"/uninstall\"", StartCommand::Uninstall}, {L"\"\"", StartCommand::Run},
        {L"\"/exit", StartCommand::Run},   {L"\"/exit\" \"now\"", StartCommand::Run},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ParseStartCommand(c.arguments), c.command) << std::wstring(c.arguments).size();
}
