#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "booster/file_name.h"
#include "booster/priority_ledger.h"
#include "booster/process_priority.h"

namespace torvane {

// One process of the fake table. It outlives its id: a handle held on it
// still names it after the id is given to another.
struct FakeProcess {
    ProcessIdentity identity;
    std::uint32_t cls = 0x20;
    bool running = true;
    std::uint32_t openError = 0;              // Open fails with this when set
    std::map<std::uint32_t, std::uint32_t> grants; // a class asked → the class it gets
    std::uint32_t parentId = 0;
    std::wstring path = L"C:\\Apps\\app.exe"; // its program file
};

// A class set through an opened process.
struct PriorityCall {
    std::uint32_t processId;
    std::uint32_t priorityClass;
    bool operator==(const PriorityCall& o) const { return processId == o.processId && priorityClass == o.priorityClass; }
};

// The system's processes in memory. A window not listed belongs to the
// process of its own number, and a process not listed is there at normal
// class, started at time 1; the window 0 is this process.
class FakeProcessTable : public ProcessPriority {
public:
    static constexpr std::uint32_t kOwnId = 0x5E1F;

    std::uint32_t WindowProcessId(std::uintptr_t window) override
    {
        Called();
        if (window == 0)
            return kOwnId;
        const auto found = windows.find(window);
        return found != windows.end() ? found->second : static_cast<std::uint32_t>(window);
    }

    std::unique_ptr<OpenedProcess> Open(std::uint32_t id, std::uint32_t& error) override
    {
        Called();
        ++opens;
        auto found = processes.find(id);
        if (found == processes.end()) {
            if (!autoCreate) {
                error = 87;
                return nullptr;
            }
            found = processes.emplace(id, MakeProcess({id, 1}, 0x20)).first;
        }
        if (found->second->openError) {
            error = found->second->openError;
            return nullptr;
        }
        return std::make_unique<Opened>(*this, found->second);
    }

    std::vector<ListedProcess> ListNamed(const std::wstring& fileName) override
    {
        Called();
        ++lists;
        std::vector<ListedProcess> listed;
        for (const auto& entry : processes) {
            const FakeProcess& p = *entry.second;
            if (SameFileName(FileNameOf(p.path), fileName))
                listed.push_back({entry.first, p.parentId});
        }
        if (onList)
            onList(listed);
        return listed;
    }

    FakeProcess& Process(std::uint32_t id, std::uint64_t startTime = 1, std::uint32_t cls = 0x20)
    {
        auto& slot = processes[id];
        slot = MakeProcess({id, startTime}, cls);
        return *slot;
    }

    std::map<std::uintptr_t, std::uint32_t> windows;
    std::map<std::uint32_t, std::shared_ptr<FakeProcess>> processes;
    std::vector<PriorityCall> calls;
    bool autoCreate = true;
    int opens = 0;
    int lists = 0;
    // Runs on the list before it is returned (a test ends a process there).
    std::function<void(std::vector<ListedProcess>&)> onList;
    // Runs before every call into the table (a model test ends the copy
    // there), and before every class set, with the process and the class.
    std::function<void()> onCall;
    std::function<void(const FakeProcess&, std::uint32_t)> beforeSet;

private:
    static std::shared_ptr<FakeProcess> MakeProcess(ProcessIdentity identity, std::uint32_t cls)
    {
        auto process = std::make_shared<FakeProcess>();
        process->identity = identity;
        process->cls = cls;
        return process;
    }

    void Called()
    {
        if (onCall)
            onCall();
    }

    class Opened : public OpenedProcess {
    public:
        Opened(FakeProcessTable& table, std::shared_ptr<FakeProcess> process)
            : table_(table), process_(std::move(process))
        {
        }
        ProcessIdentity Identity() override
        {
            table_.Called();
            return process_->identity;
        }
        bool Running() override
        {
            table_.Called();
            return process_->running;
        }
        std::uint32_t PriorityClass() override
        {
            table_.Called();
            return process_->running ? process_->cls : 0;
        }
        bool SetPriorityClass(std::uint32_t cls) override
        {
            table_.Called();
            if (table_.beforeSet)
                table_.beforeSet(*process_, cls);
            table_.calls.push_back({process_->identity.id, cls});
            if (!process_->running)
                return false;
            const auto granted = process_->grants.find(cls);
            process_->cls = granted != process_->grants.end() ? granted->second : cls;
            return true;
        }
        std::wstring ProgramPath() override
        {
            table_.Called();
            return process_->path;
        }

    private:
        FakeProcessTable& table_;
        std::shared_ptr<FakeProcess> process_;
    };
};

// The ledger's file in memory.
class FakeLedgerStore : public LedgerStore {
public:
    std::string Read() override
    {
        Called();
        return text;
    }
    bool Replace(const std::string& replacement) override
    {
        Called();
        if (failing)
            return false;
        text = replacement;
        ++writes;
        return true;
    }

    std::string text;
    bool failing = false;
    int writes = 0;
    std::function<void()> onCall;

private:
    void Called()
    {
        if (onCall)
            onCall();
    }
};

} // namespace torvane
