#pragma once
// Process ids, the system's own way (process_id_posix.cpp,
// process_id_windows.cpp): what tells a temporary file that a running process
// may still rename from one that a process which ended left behind.

#include <cstdint>

namespace quorvex {

// This process's id.
std::uint64_t CurrentProcessId();

// True only when no process of this id runs now. False for a running process
// (also one this process may not signal or open, and one that has ended but
// whose parent has not yet collected it) and for an id that no process of
// this system can have (0, or too large): what cannot be known is taken as
// running.
bool ProcessEnded(std::uint64_t id);

}  // namespace quorvex
