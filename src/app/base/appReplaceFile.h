#pragma once
#include <cstddef>
#include <functional>
#include <wx/string.h>

// Writes a file whole beside the target and renames it over the old one.
// The new file's data reach the disk before the rename and the rename
// reaches the disk after it, so a power cut leaves the old file or the new
// one, never a part of either. False when any step failed; a failure before
// the rename leaves the old file untouched.
bool appReplaceFile(const wxString& path, const char* data, size_t size);

// Replaces the flush of a file or folder descriptor (fsync) for tests that
// need it to fail; an empty function restores the real flush.
void appSetFlushHook(std::function<int(int descriptor, bool folder)> hook);
