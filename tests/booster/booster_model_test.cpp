// The booster and its ledger against a fake process table, through random
// sequences of what happens on a desktop, a kill and a restart among them.
// After every step the rules are checked against the table:
// - every live process Torvane holds raised belongs to the application
//   boosted last (the window's process, or the app inside a UWP frame, and
//   that program's helpers), and is named in the ledger's file (before its
//   class changed, too); the frame host is never touched;
// - a class is given back only to normal or to the class the process had
//   before the raise, never to an ended process, and never over a class the
//   user chose after the raise;
// - after exit, and after a restart from the file, nothing Torvane raised is
//   left raised.
// A failing sequence is shrunk before it is printed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "booster/booster.h"
#include "booster/ledger_text.h"
#include "fakes/fake_process_table.h"
#include "fakes/scripted_random.h"

using namespace torvane;

namespace {

enum class Kind { Tick, Focus, NoFocus, Report, OpenWindow, CloseWindow, Spawn, FrameContent, EndProcess, UserClass, Pause, Resume, Mode, Restore, Exclude, Kill, Exit };

// What each number means is decided when the step is played, so that any
// part of a sequence still plays: a shrunk one too.
struct Step {
    Kind kind;
    std::uint32_t a;
    std::uint32_t b;
};

constexpr std::uint32_t kUserClasses[] = {0x40, 0x4000, 0x20, 0x8000};
constexpr std::uint32_t kIdPool = 8; // few ids, so that they are given out again
constexpr std::uint32_t kFrameHost = 40; // never ends, never raised
constexpr std::uintptr_t kContentOffset = 0x10000; // a frame's app window: the frame's handle and this
const wchar_t* const kTitles[] = {L"AlphaWin", L"AlphaWin 2", L"BetaWin", L"", L"Gamma", L"无标题"};
const wchar_t* const kPrograms[] = {L"C:\\A\\a.exe", L"C:\\B\\b.exe", L"C:\\X\\ex.exe"};

bool IsRaise(std::uint32_t cls) { return cls == 0x80 || cls == 0x100; }

struct Killed {};

struct ByIdentity {
    bool operator()(const ProcessIdentity& a, const ProcessIdentity& b) const
    {
        return a.id != b.id ? a.id < b.id : a.startTime < b.startTime;
    }
};

struct WindowOnScreen {
    std::uintptr_t handle;
    std::uint32_t process;
    std::wstring title;
    bool frame = false;           // a UWP frame of the frame host
    ProcessIdentity content = {}; // the app inside it; id 0: none (suspended)
};

std::wstring FileName(const std::wstring& path) { return path.substr(path.find_last_of(L'\\') + 1); }

// What the model knows of a process beyond the table.
struct Shadow {
    bool raisedByUs = false;      // its class is one Torvane raised it to
    bool movedAfterRaise = false; // the user chose another class since
    std::uint32_t beforeRaise = 0;
};

class World : public ForegroundWindow, public LocalClock {
public:
    World()
    {
        table.autoCreate = false;
        table.onCall = [this] { CountDown(); };
        store.onCall = [this] { CountDown(); };
        table.beforeSet = [this](const FakeProcess& p, std::uint32_t cls) { CheckSet(p, cls); };
        table.Process(kFrameHost, 1).path = L"C:\\Windows\\System32\\ApplicationFrameHost.exe";
        processes_.push_back(table.processes[kFrameHost]);
        Start();
    }

    std::uintptr_t Window() override { return front_; }
    std::wstring Title(std::uintptr_t window) override
    {
        const WindowOnScreen* w = Find(window);
        return w ? w->title : L"";
    }
    std::wstring ProgramName(std::uintptr_t window) override
    {
        const auto id = table.windows.find(window);
        if (id == table.windows.end() || !table.processes.count(id->second))
            return L"";
        return FileName(table.processes[id->second]->path);
    }
    std::vector<ChildWindow> Children(std::uintptr_t window) override
    {
        const WindowOnScreen* w = Find(window);
        if (!w || !w->frame || !Alive(w->content))
            return {};
        return {{window + kContentOffset, L"Windows.UI.Core.CoreWindow", w->content.id}};
    }
    std::wstring CurrentTimeText() override { return L"12:00:00"; }

    // Plays one step; false once a rule is broken.
    bool Play(const Step& step)
    {
        try {
            PlayStep(step);
        } catch (const Killed&) {
            Say("  killed there; started again");
            Restart(step.b % 3 == 0 ? 1 + step.b % 5 : 0);
        }
        if (violation_.empty())
            CheckHeld();
        return violation_.empty();
    }

    std::vector<std::string> log;
    const std::string& violation() const { return violation_; }

private:
    void PlayStep(const Step& step)
    {
        switch (step.kind) {
        case Kind::Tick:
            Say("tick");
            Tick();
            break;
        case Kind::Focus:
            if (windows_.empty())
                break;
            front_ = windows_[step.a % windows_.size()].handle;
            Say("focus " + Describe(front_));
            Tick();
            break;
        case Kind::NoFocus:
            front_ = 0;
            Say("no window in front");
            Tick();
            break;
        case Kind::Report: {
            // A switch the system reports, now and then for a window gone since.
            const std::uintptr_t window = windows_.empty() || step.b % 4 == 0 ? nextHandle_ + 7
                                                                                : windows_[step.a % windows_.size()].handle;
            if (Find(window))
                front_ = window;
            Say("the system reports " + Describe(window) + " in front");
            Tick(window);
            break;
        }
        case Kind::Spawn: Spawn(step); break;
        case Kind::FrameContent:
            for (WindowOnScreen& w : windows_) {
                const auto live = LiveIds();
                if (w.frame && !Alive(w.content) && !live.empty()) {
                    w.content = table.processes[live[step.a % live.size()]]->identity;
                    table.windows[w.handle + kContentOffset] = w.content.id;
                    Say("process " + std::to_string(w.content.id) + " puts its window in frame " + Hex(w.handle));
                    break;
                }
            }
            break;
        case Kind::OpenWindow: OpenWindow(step); break;
        case Kind::CloseWindow:
            if (!windows_.empty())
                CloseWindow(step.a % windows_.size(), "close");
            break;
        case Kind::EndProcess: EndProcess(step.a); break;
        case Kind::UserClass: UserClass(step); break;
        case Kind::Pause:
            if (settings_.speedUp) {
                Say("pause");
                settings_.speedUp = false;
                booster_->Pause();
                inForce_.clear();
                paused_ = true;
            }
            break;
        case Kind::Resume:
            if (!settings_.speedUp) {
                Say("resume");
                settings_.speedUp = true;
                // A copy that started paused gave nothing back to raise again.
                resumed_ = paused_;
                paused_ = false;
            }
            break;
        case Kind::Mode:
            settings_.mode = settings_.mode == SpeedMode::Normal ? SpeedMode::Crazy : SpeedMode::Normal;
            Say(settings_.mode == SpeedMode::Normal ? "mode 普通提速" : "mode 疯狂提速");
            break;
        case Kind::Restore:
            settings_.restoreOriginal = !settings_.restoreOriginal;
            Say(settings_.restoreOriginal ? "恢复原优先级 on" : "恢复原优先级 off");
            break;
        case Kind::Exclude:
            settings_.excluded = ExcludedPrograms(settings_.excluded.empty() ? L"ex.exe" : L"");
            Say(settings_.excluded.empty() ? "exclude nothing" : "exclude ex.exe");
            break;
        case Kind::Kill:
            Say("kill at call " + std::to_string(1 + step.a % 12) + " of the next tick");
            killAt_ = 1 + static_cast<int>(step.a % 12);
            Tick();
            killAt_ = 0;
            break;
        case Kind::Exit:
            Say("exit");
            booster_->GiveBackAll();
            inForce_.clear();
            CheckNothingRaised("after exit");
            Restart(0);
            break;
        }
    }

    // A tick, or with `reported` the decision for a switch the system reported.
    void Tick(std::uintptr_t reported = 0)
    {
        const int writes = store.writes;
        deciding_ = reported ? reported : front_;
        const WindowOnScreen* w = Find(deciding_);
        const std::uint32_t root = AppRootOf(deciding_);
        const bool shouldRaise = resumed_ && settings_.speedUp && w && !w->title.empty() && root != 0 &&
                                 !settings_.excluded.Contains(ProgramName(deciding_)) &&
                                 !settings_.excluded.Contains(FileName(table.processes[root]->path));
        raisedNow_.clear();
        const BoostTick tick = reported ? booster_->Switched(reported, settings_) : booster_->Tick(settings_);
        if (settings_.speedUp && (tick.ran || !reported))
            resumed_ = false;
        if (tick.boosted) {
            Say("  boosted " + Describe(deciding_));
            inForce_ = raisedNow_;
        } else {
            inForce_.insert(raisedNow_.begin(), raisedNow_.end());
            if (!raisedNow_.empty())
                Say("  raised helpers started since");
            else if (store.writes != writes)
                Violate("wrote the ledger on a tick that boosted nothing");
        }
        if (shouldRaise && !tick.boosted)
            Violate("did not raise the window in front on resuming");
    }

    // The process of a window's application: the app inside a frame; 0 for
    // a frame with none, a window gone, or one whose process ended.
    std::uint32_t AppRootOf(std::uintptr_t window)
    {
        const WindowOnScreen* w = Find(window);
        if (!w)
            return 0;
        if (w->frame)
            return Alive(w->content) ? w->content.id : 0;
        return table.processes.count(w->process) ? w->process : 0;
    }

    // Whether the process is its application's: the root, or started by one
    // of the application's processes from the same program file, later.
    bool InApplication(const FakeProcess& p, std::uint32_t root)
    {
        if (root == 0 || !table.processes.count(root))
            return false;
        const FakeProcess* at = &p;
        for (int depth = 0; depth <= static_cast<int>(kIdPool); ++depth) {
            if (at->identity.id == root)
                return true;
            const auto parent = table.processes.find(at->parentId);
            if (parent == table.processes.end() || parent->second->path != at->path ||
                parent->second->identity.startTime > at->identity.startTime)
                return false;
            at = parent->second.get();
        }
        return false;
    }

    bool Alive(const ProcessIdentity& identity)
    {
        const auto found = table.processes.find(identity.id);
        return identity.id != 0 && found != table.processes.end() && found->second->identity == identity;
    }

    // A process with a new identity under an id of the pool: one that holds
    // the id now ends first.
    FakeProcess& NewProcess(std::uint32_t a, std::uint32_t b, std::uint32_t parent, const std::wstring& path)
    {
        const std::uint32_t id = 1 + b % kIdPool;
        if (table.processes.count(id))
            EndProcessWithId(id); // its id is given to the new process
        // Now and then a program that raises itself to high as it starts.
        FakeProcess& p = table.Process(id, ++startTime_, a % 7 == 3 ? 0x80 : kUserClasses[a % 4]);
        if (a % 5 == 0)
            p.grants = {{0x100, 0x80}}; // no privilege for real-time
        if (a % 11 == 0)
            p.openError = 5;
        p.parentId = parent;
        p.path = path;
        processes_.push_back(table.processes[id]);
        return p;
    }

    void OpenWindow(const Step& step)
    {
        std::uint32_t id = 0;
        const auto live = LiveIds();
        const bool frame = step.a % 9 == 4;
        if (frame)
            id = kFrameHost;
        else if (!live.empty() && step.b % 3 != 0)
            id = live[step.b % live.size()];
        else
            id = NewProcess(step.a, step.b, 0, kPrograms[(step.a / 6) % 3]).identity.id;
        const std::uintptr_t handle = nextHandle_++;
        WindowOnScreen w{handle, id, kTitles[step.a % 6]};
        const auto nowLive = LiveIds();
        if (frame && !nowLive.empty() && step.b % 4 != 0) {
            w.content = table.processes[nowLive[step.b % nowLive.size()]]->identity;
            table.windows[handle + kContentOffset] = w.content.id;
        }
        w.frame = frame;
        windows_.push_back(w);
        table.windows[handle] = id;
        front_ = handle;
        Say("open " + Describe(handle));
        Tick();
    }

    // A live process starts a windowless one: a helper of its program, or
    // another program.
    void Spawn(const Step& step)
    {
        const auto live = LiveIds();
        if (live.empty())
            return;
        const FakeProcess& parent = *table.processes[live[step.a % live.size()]];
        const std::uint32_t parentId = parent.identity.id;
        const std::wstring path = step.b % 3 == 0 ? kPrograms[step.b % 2] : parent.path;
        const FakeProcess& child = NewProcess(step.a, step.b, parentId, path);
        Say("process " + std::to_string(parentId) + " starts process " + std::to_string(child.identity.id) + " of " +
            Utf8(FileName(path)) + ", class " + Hex(child.cls));
    }

    void CloseWindow(std::size_t index, const char* why)
    {
        const WindowOnScreen w = windows_[index];
        Say(std::string(why) + " " + Describe(w.handle));
        windows_.erase(windows_.begin() + static_cast<std::ptrdiff_t>(index));
        table.windows[w.handle] = 0;
        table.windows[w.handle + kContentOffset] = 0;
        if (front_ == w.handle)
            front_ = 0;
    }

    void EndProcess(std::uint32_t which)
    {
        const auto live = LiveIds();
        if (!live.empty())
            EndProcessWithId(live[which % live.size()]);
    }

    void EndProcessWithId(std::uint32_t id)
    {
        for (std::size_t i = windows_.size(); i-- > 0;)
            if (windows_[i].process == id)
                CloseWindow(i, "  its window goes:");
        Say("process " + std::to_string(id) + " ends");
        for (WindowOnScreen& w : windows_)
            if (w.frame && w.content.id == id)
                table.windows[w.handle + kContentOffset] = 0;
        table.processes[id]->running = false;
        table.processes.erase(id);
    }

    void UserClass(const Step& step)
    {
        const auto live = LiveIds();
        if (live.empty())
            return;
        FakeProcess& p = *table.processes[live[step.a % live.size()]];
        const std::uint32_t cls = kUserClasses[step.b % 4];
        Say("the user sets process " + std::to_string(p.identity.id) + " to " + Hex(cls));
        Shadow& s = shadows_[&p];
        s.movedAfterRaise = HeldRaised(p);
        s.raisedByUs = false;
        p.cls = cls;
    }

    void Start()
    {
        booster_ = std::make_unique<Booster>(*this, table, store, *this, random_);
        booster_->GiveBackLeftBehind();
    }

    // A new copy, after a kill or an exit; a kill may strike it too.
    void Restart(int killRecoveryAt)
    {
        booster_.reset();
        inForce_.clear();
        resumed_ = false;
        paused_ = false;
        killAt_ = killRecoveryAt;
        try {
            Start();
        } catch (const Killed&) {
            Say("  killed again while giving back; started again");
            killAt_ = 0;
            Start();
        }
        killAt_ = 0;
        CheckNothingRaised("after a restart");
        if (!store.text.empty())
            Violate("the ledger's file was not emptied at start");
        // A new copy knows nothing of the user's choices the last one left
        // alone: for it, each is a window it did not raise.
        for (auto& entry : shadows_)
            entry.second.movedAfterRaise = false;
    }

    void CountDown()
    {
        if (killAt_ > 0 && --killAt_ == 0)
            throw Killed{};
    }

    void CheckSet(const FakeProcess& p, std::uint32_t cls)
    {
        Shadow& s = shadows_[&p];
        const std::string who = "process " + std::to_string(p.identity.id) + " (started " +
                                std::to_string(p.identity.startTime) + ")";
        if (!p.running)
            Violate("set the class of " + who + ", which had ended");
        bool named = false;
        for (const LedgerEntry& e : ParseLedger(store.text, FakeProcessTable::kOwnId))
            named = named || (e.process == p.identity && e.set == cls);
        if (p.identity.id == kFrameHost)
            Violate("set the frame host's class to " + Hex(cls));
        if (cls == p.cls) {
            // Changes nothing, but a raise of a program at high already
            // still puts it in Torvane's hands.
            if (IsRaise(cls) && named) {
                // Either a raise of the application, or a give-back to the
                // high it had: the same call.
                if (InApplication(p, AppRootOf(deciding_)))
                    raisedNow_.insert(p.identity);
                if (!s.raisedByUs) {
                    s.raisedByUs = true;
                    s.beforeRaise = p.cls;
                    s.movedAfterRaise = false;
                }
            }
            return;
        }
        // Back from real-time to a high the process had itself is a give-back.
        const bool raise = IsRaise(cls) && (named || !(s.raisedByUs && cls == s.beforeRaise));
        if (raise) {
            if (!named)
                Violate("raised " + who + " to " + Hex(cls) + " before the ledger's file named it");
            CheckRaisedIsTheApplications(p, who);
            if (!s.raisedByUs)
                s.beforeRaise = p.cls;
            s.raisedByUs = true;
            s.movedAfterRaise = false;
            return;
        }
        if (s.movedAfterRaise)
            Violate("set " + who + " to " + Hex(cls) + " over the class the user chose after the raise");
        if (s.raisedByUs && cls != 0x20 && cls != s.beforeRaise)
            Violate("gave " + who + " back " + Hex(cls) + ", but it had " + Hex(s.beforeRaise));
        if (!s.raisedByUs) {
            // Only the designed step may touch a process Torvane did not
            // raise: the window left goes to normal.
            const std::uint32_t left = AppRootOf(booster_ ? booster_->PreviousWindow() : 0);
            if (cls != 0x20 || left != p.identity.id)
                Violate("set " + who + " to " + Hex(cls) + ", which Torvane did not raise, nor is it the window left");
        }
        s.raisedByUs = false;
    }

    // A raise is for the application of the window decided on.
    void CheckRaisedIsTheApplications(const FakeProcess& p, const std::string& who)
    {
        if (!InApplication(p, AppRootOf(deciding_)))
            Violate("raised " + who + ", which is not of the application of " + Describe(deciding_));
        raisedNow_.insert(p.identity);
    }

    // Its class is one Torvane raised it to, other than its own.
    bool HeldRaised(const FakeProcess& p) { return shadows_[&p].raisedByUs && p.cls != shadows_[&p].beforeRaise; }

    void CheckHeld()
    {
        const auto stored = ParseLedger(store.text, FakeProcessTable::kOwnId);
        for (const auto& p : processes_) {
            if (!p->running || !HeldRaised(*p))
                continue;
            const std::string who = "process " + std::to_string(p->identity.id);
            if (!inForce_.count(p->identity))
                Violate(who + " is held raised, but it is not of the application boosted last");
            bool named = false;
            for (const LedgerEntry& e : stored)
                named = named || e.process == p->identity;
            if (!named)
                Violate(who + " is held raised, but the ledger's file does not name it");
        }
    }

    void CheckNothingRaised(const char* when)
    {
        for (const auto& p : processes_)
            if (p->running && HeldRaised(*p))
                Violate("process " + std::to_string(p->identity.id) + " is left raised " + when);
    }

    void Violate(const std::string& what)
    {
        if (violation_.empty())
            violation_ = what;
    }
    void Say(const std::string& line) { log.push_back(line); }

    // The processes that may end, be reused and be moved: all but the frame host.
    std::vector<std::uint32_t> LiveIds() const
    {
        std::vector<std::uint32_t> ids;
        for (const auto& entry : table.processes)
            if (entry.first != kFrameHost)
                ids.push_back(entry.first);
        return ids;
    }
    const WindowOnScreen* Find(std::uintptr_t handle) const
    {
        for (const WindowOnScreen& w : windows_)
            if (w.handle == handle)
                return &w;
        return nullptr;
    }
    std::string Describe(std::uintptr_t handle) const
    {
        const WindowOnScreen* w = Find(handle);
        if (!w)
            return "window " + Hex(handle);
        std::ostringstream out;
        out << "window " << Hex(handle) << " \"" << Utf8(w->title) << "\"";
        if (w->frame)
            out << ", a frame holding " << (w->content.id ? "process " + std::to_string(w->content.id) : "nothing");
        else
            out << " of process " << w->process;
        return out.str();
    }
    static std::string Utf8(const std::wstring& text)
    {
        std::string out;
        for (const wchar_t c : text) {
            if (c < 0x80) {
                out += static_cast<char>(c);
            } else if (c < 0x800) {
                out += static_cast<char>(0xC0 | (c >> 6));
                out += static_cast<char>(0x80 | (c & 0x3F));
            } else {
                out += static_cast<char>(0xE0 | (c >> 12));
                out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
                out += static_cast<char>(0x80 | (c & 0x3F));
            }
        }
        return out;
    }
    static std::string Hex(std::uint64_t value)
    {
        std::ostringstream out;
        out << "0x" << std::hex << value;
        return out.str();
    }

    FakeProcessTable table;
    FakeLedgerStore store;
    ScriptedRandom random_;
    std::unique_ptr<Booster> booster_;
    BoosterSettings settings_;
    std::vector<WindowOnScreen> windows_;
    std::vector<std::shared_ptr<FakeProcess>> processes_; // every one ever started
    std::map<const FakeProcess*, Shadow> shadows_;
    // The processes of the boost in force, and those raised on this step.
    std::set<ProcessIdentity, ByIdentity> inForce_, raisedNow_;
    std::uintptr_t deciding_ = 0;
    std::uintptr_t front_ = 0;
    std::uintptr_t nextHandle_ = 0x100;
    std::uint64_t startTime_ = 1000;
    int killAt_ = 0;
    bool paused_ = false;
    bool resumed_ = false;
    std::string violation_;
};

std::vector<Step> Generate(std::uint32_t seed)
{
    std::mt19937 random(seed);
    // Ticks and focus changes most often, the rest now and then.
    const Kind kinds[] = {Kind::Tick,       Kind::Tick,       Kind::Tick,      Kind::Focus,       Kind::Focus,
                          Kind::Focus,      Kind::NoFocus,    Kind::Report,    Kind::Report,      Kind::OpenWindow,
                          Kind::OpenWindow, Kind::CloseWindow, Kind::Spawn,    Kind::Spawn,       Kind::FrameContent,
                          Kind::EndProcess, Kind::UserClass,  Kind::UserClass, Kind::Pause,       Kind::Resume,
                          Kind::Mode,       Kind::Restore,    Kind::Exclude,   Kind::Kill,        Kind::Exit};
    std::vector<Step> steps(20 + random() % 80);
    for (Step& step : steps)
        step = {kinds[random() % (sizeof kinds / sizeof kinds[0])], static_cast<std::uint32_t>(random()),
                static_cast<std::uint32_t>(random())};
    return steps;
}

// The failure a sequence ends in, with what happened up to it; empty when
// every rule held.
std::vector<std::string> Play(const std::vector<Step>& steps)
{
    World world;
    for (const Step& step : steps) {
        if (!world.Play(step)) {
            world.log.push_back("=> " + world.violation());
            return world.log;
        }
    }
    return {};
}

// Takes away steps for as long as the sequence still fails: halves first,
// then ever smaller pieces, down to single steps, until no step can go.
std::vector<Step> Shrink(std::vector<Step> steps)
{
    for (std::size_t before = 0; before != steps.size();) {
        before = steps.size();
        for (std::size_t piece = steps.size() / 2; piece > 0; piece /= 2) {
            for (std::size_t at = 0; at + piece <= steps.size();) {
                std::vector<Step> fewer = steps;
                fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(at),
                            fewer.begin() + static_cast<std::ptrdiff_t>(at + piece));
                if (!Play(fewer).empty())
                    steps = std::move(fewer);
                else
                    at += piece;
            }
        }
    }
    return steps;
}

} // namespace

TEST(BoosterModel, NothingRaisedIsLeftRaisedAndNoClassTheUserChoseIsTouched)
{
    const char* asked = std::getenv("TORVANE_MODEL_SEQUENCES");
    const std::uint32_t sequences = asked ? static_cast<std::uint32_t>(std::strtoul(asked, nullptr, 10)) : 3000;
    for (std::uint32_t seed = 1; seed <= sequences; ++seed) {
        const std::vector<Step> steps = Generate(seed);
        if (Play(steps).empty())
            continue;
        const std::vector<Step> shortest = Shrink(steps);
        std::string story;
        for (const std::string& line : Play(shortest))
            story += "  " + line + "\n";
        FAIL() << "seed " << seed << ", " << steps.size() << " steps, shrunk to " << shortest.size() << ":\n" << story;
    }
}
