#pragma once

// Gives the application the name its user folders are named after, the desktop entry that
// describes it and the window icon.
void SetProgramIdentity();
