// A library that someone has put beside the program under the name of the file dialog's library. When
// it is loaded it leaves a mark beside itself; its file dialog opens nothing.
// Without the file dialog's own declarations, whose functions this library defines in its own way.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason != DLL_PROCESS_ATTACH) return TRUE;
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
  DWORD folder = length;
  while (folder > 0 && path[folder - 1] != '\\') --folder;
  lstrcpynA(path + folder, "planted-library-was-loaded", MAX_PATH - static_cast<int>(folder));
  HANDLE mark = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (mark != INVALID_HANDLE_VALUE) CloseHandle(mark);
  return TRUE;
}

extern "C" __declspec(dllexport) BOOL WINAPI GetOpenFileNameA(void*) {
  return FALSE;
}
