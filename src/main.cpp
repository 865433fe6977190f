#include <windows.h>

#include <commctrl.h>

#include "platform/clock_seeded_random.h"
#include "app/main_window.h"
#include "app/start_command.h"
#include "app/win_single_instance.h"
#include "booster/win_foreground_window.h"
#include "booster/win_ledger_file.h"
#include "booster/win_log_file.h"
#include "booster/win_process_priority.h"
#include "monitor/win_system_source.h"
#include "platform/win_com_apartment.h"
#include "platform/win_dll_search.h"
#include "platform/win_program_location.h"
#include "platform/program_path.h"
#include "platform/win_local_clock.h"
#include "settings/win_config_place.h"
#include "settings/win_profile_store.h"
#include "settings/win_run_key.h"

using namespace torvane;

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int)
{
    RestrictDllSearchToSystem();

    // The installer's requests: a running copy ends first, so that no file
    // of the install is held open.
    const StartCommand command = ParseStartCommand(arguments ? arguments : L"");
    if (command != StartCommand::Run) {
        const bool ended = EndRunningCopy(5000);
        if (command == StartCommand::Uninstall) {
            const ProgramLocation location = CurrentProgramLocation();
            WinRunKey runKey;
            Autorun(runKey, ProgramFilePath(location.directory, location.baseName + L".exe")).RemoveIfPointingHere();
        }
        return ended ? 0 : 1;
    }

    // A second start brings the running copy up and leaves config.ini, the
    // Run value and every priority alone.
    const SingleInstance instance;
    if (!instance.first()) {
        BringUpFirstCopy(700);
        return 0;
    }

    const ComApartment apartment;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);

    const ProgramLocation location = CurrentProgramLocation();
    // Decided once: beside the program, or in the user's data when the
    // program's folder cannot be written.
    WinConfigPlaceProbe probe;
    const ConfigPlace place = ChooseConfigPlace(location.directory, probe);
    WinProfileStore store(place.configPath);
    ConfigSettings config(store);
    WinRunKey runKey;
    Autorun autorun(runKey, ProgramFilePath(location.directory, location.baseName + L".exe"));

    WinForegroundWindow foreground;
    WinProcessPriority priority;
    WinLocalClock clock;
    ClockSeededRandom random;
    WinLedgerFile ledgerFile(place.ledgerPath);
    Booster booster(foreground, priority, ledgerFile, clock, random);
    // Before the first tick, speed-up on or not: a copy killed while it held
    // a process raised has left it in the file.
    booster.GiveBackLeftBehind();

    WinLogFile logFile;
    WinSystemSource systemSource;
    CpuMonitorSupport monitorSupport(systemSource);
    MainWindow window(booster, config, autorun, clock, logFile, place, monitorSupport,
                      ProgramFilePath(location.directory, L"tv.ico"));
    if (!window.Create())
        return 1;

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (window.hwnd() && (window.TranslateKey(message) || IsDialogMessageW(window.hwnd(), &message)))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
