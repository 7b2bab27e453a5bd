#include "run/process_id.h"

#include <windows.h>

namespace quorvex {

std::uint64_t CurrentProcessId() { return GetCurrentProcessId(); }

// A process that has ended can still be opened while another program holds
// a handle to it; its handle is then signalled. No process of the id at all:
// OpenProcess fails with ERROR_INVALID_PARAMETER (one this process may not
// open fails with ERROR_ACCESS_DENIED).
bool ProcessEnded(std::uint64_t id) {
  if (id == 0 || id > MAXDWORD) return false;
  const HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, static_cast<DWORD>(id));
  if (process == nullptr) return GetLastError() == ERROR_INVALID_PARAMETER;
  const bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
  CloseHandle(process);
  return ended;
}

}  // namespace quorvex
