// A stand-in for a DLL someone left in the program's folder under a system
// DLL's name. It exports none of the real DLL's calls, so a program that
// loaded it in place of the system's could not use it.
#include <windows.h>

extern "C" __declspec(dllexport) int PlantedDllMarker()
{
    return 1;
}

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID)
{
    return TRUE;
}
