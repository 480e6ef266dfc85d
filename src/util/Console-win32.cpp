#include "util/Console.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdlib>

#include "util/WindowsText.h"

namespace {

UINT gPreviousOutputCodePage = 0;

void restoreOutputCodePage() {
  if (gPreviousOutputCodePage != 0) SetConsoleOutputCP(gPreviousOutputCodePage);
}

// An interrupted run ends without the C runtime's exit handlers: the code
// page is given back first. (Handlers added later are called first; the
// interruption's own comes after this one.)
BOOL WINAPI restoreOnConsoleEvent(DWORD) {
  restoreOutputCodePage();
  return FALSE;
}

}  // namespace

// The C runtime's argv is in the ANSI code page, which is UTF-8 only where
// the manifest's setting is honoured; the wide command line always holds
// every character.
std::vector<std::string> programArguments(int, char**) {
  std::vector<std::string> arguments;
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return arguments;
  for (int i = 1; i < count; ++i) arguments.push_back(utf8Text(wide[i]));
  LocalFree(wide);
  return arguments;
}

void prepareConsole() {
  const UINT previous = GetConsoleOutputCP();
  // No console (output redirected by a service, say): nothing to set.
  if (previous == 0 || previous == CP_UTF8 || !SetConsoleOutputCP(CP_UTF8)) return;
  gPreviousOutputCodePage = previous;
  std::atexit(restoreOutputCodePage);
  SetConsoleCtrlHandler(restoreOnConsoleEvent, TRUE);
}
