// The physical floors: the least work with plain POSIX calls that an operation has to do.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace floors {

// Every name in the folder, "." and ".." left out: one opendir/readdir pass.
std::vector<std::string> ListFolder(const std::string& folder);

// The whole file through open, fstat, read and close; empty when it cannot be read.
std::string ReadFile(const std::string& path);

// Reading a file once and no more: into a buffer of its size that is neither cleared nor kept.
// Returns the bytes read.
std::size_t ReadOnce(const std::string& path);

// The value behind `key` on the first line that begins with it.
bool FirstValue(const std::string& bytes, const char* key, std::string& value);

// The mod list: one listing, then each module file read and scanned for its Playable flag and,
// when it is listed, read again for its version (read once, for the version only, with
// `showAll`). Returns the number of rows.
std::size_t BuildModList(const std::string& folder, bool showAll);

// A selection: one listing; the selected file read for its entries, its version comments and its
// Playable flag; each required mod's file read for its folder and for its version. Returns the
// number of entries found installed.
std::size_t SelectMod(const std::string& folder, const std::string& moduleFile);

// What replacing a file safely costs at least: the file read, written anew beside itself, synced,
// renamed over the old one and the folder synced. Returns the bytes written.
std::size_t ReadAndReplace(const std::string& path);

} // namespace floors
