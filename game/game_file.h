// Opening the files of a game folder, which anyone may have put there, without ever blocking.
#pragma once

#include <wx/string.h>

#include <cstddef>
#include <string>

// Larger files are refused rather than read whole into memory.
constexpr std::size_t maxGameFileBytes = 16 * 1024 * 1024;

enum class FileReadResult
{
    Read,
    Missing,
    Unreadable // not a regular file, too large, or an error on opening or reading
};

// A read-only descriptor of `path` when it names a regular file (or a link to one) of at most
// `limit` bytes, else -1 with `result` saying why. Opening never blocks on a FIFO or a device.
int OpenGameFile(const wxString& path, std::size_t limit, FileReadResult& result);

// Reads a whole file that OpenGameFile accepts.
FileReadResult ReadFileBytes(const wxString& path, std::string& bytes,
                             std::size_t limit = maxGameFileBytes);
