#pragma once

#include <string>
#include <string_view>

// Named mutexes of the user's session, as the start-up guard uses them: a
// name is "in existence" while some process holds it. Each name is a file in
// $XDG_RUNTIME_DIR (or in a private per-user folder under /tmp when that is
// unset) with an flock on it, so a crashed process leaves nothing held.
using NamedMutexHandle = int;
constexpr NamedMutexHandle NO_NAMED_MUTEX = -1;

// Creates the mutex `name` and holds it until CloseNamedMutex or the end of
// the process. `alreadyExists` is true when another process held it already;
// the handle is then valid but holds nothing. Any other failure gives
// NO_NAMED_MUTEX with `alreadyExists` false: as if no other process ran.
NamedMutexHandle CreateNamedMutex(std::string_view name, bool& alreadyExists);

// Releases the name; NO_NAMED_MUTEX is ignored.
void CloseNamedMutex(NamedMutexHandle handle);

// The folder the names live in; empty when no usable folder exists.
std::string NamedMutexFolder();
