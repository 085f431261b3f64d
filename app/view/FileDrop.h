#pragma once

#include <filesystem>
#include <vector>

class QDropEvent;
class QMimeData;

// Why the window takes no drop of what is dragged over it (a catalogue text); none when it
// takes it, or when what is dragged holds no files to tell of. A file dragged out of the
// window's own lists is for other programs, and a source that only moves is never answered:
// the window copies what is dropped.
const char* DropRefusal(const QDropEvent* e, bool fromOwnList, bool working);

// The dropped addresses: a local file by its name in the file system, anything else by its
// address, which is refused as no file.
std::vector<std::filesystem::path> DroppedPaths(const QMimeData& data);
