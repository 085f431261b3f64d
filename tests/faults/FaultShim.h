#pragma once

#include <string>

// The fault shim's controls for a test it is linked into; see FaultShim.cpp.

// Counts from now the file calls on the folder's files, and fails call number `at` (1 for the
// first; 0 fails none).
void FaultArm(const std::string& dir, long at);
// The calls counted since FaultArm.
long FaultCount();
// The call that failed, "open /path" and the like; empty when none did.
std::string FaultFailed();
