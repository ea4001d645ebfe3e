// The DLL's load/unload entry. Loading the library starts nothing: the socket layer is started
// by each connect, so a host that only loads the DLL (or unloads it while slots are open)
// leaves no trace.
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
