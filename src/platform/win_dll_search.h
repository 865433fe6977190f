#pragma once

namespace torvane {

// The program lives in a folder its user can write to, beside its own files:
// a DLL dropped there must not be loaded in place of the system's. Limits
// the search of later loads to the system directory.
void RestrictDllSearchToSystem();

} // namespace torvane
