// Listing a game folder once and finding names in it without regard to letter case.
#include "game/game_folder.h"

#include <wx/strconv.h>

#include <algorithm>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

bool IsAscii(const char* bytes)
{
    for (; *bytes; ++bytes) {
        if (static_cast<unsigned char>(*bytes) >= 0x80)
            return false;
    }
    return true;
}

std::string FoldAscii(const char* bytes, size_t length)
{
    std::string folded(bytes, length);
    for (char& c : folded) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return folded;
}

} // namespace

bool GameFolder::Open(const wxString& directory)
{
    m_directory = directory;
    m_entries.clear();

    const wxCharBuffer encoded = directory.fn_str();
    if (directory.empty() || !encoded.data())
        return false;
    DIR* const dir = opendir(encoded.data());
    if (!dir)
        return false;

    const int dirFd = dirfd(dir);
    while (const dirent* const item = readdir(dir)) {
        const char* const raw = item->d_name;
        if (raw[0] == '.' && (raw[1] == '\0' || (raw[1] == '.' && raw[2] == '\0')))
            continue;
        const size_t length = std::strlen(raw);
        const bool ascii = IsAscii(raw);
        std::string folded;
        if (ascii) {
            folded = FoldAscii(raw, length);
        } else {
            // A name that does not decode cannot be addressed through a path either.
            const wxString name(raw, *wxConvFileName);
            if (name.empty())
                continue;
            folded = Fold(name);
        }

        bool isFile = item->d_type == DT_REG;
        bool isDirectory = item->d_type == DT_DIR;
        if (item->d_type == DT_LNK || item->d_type == DT_UNKNOWN) {
            struct stat info;
            if (fstatat(dirFd, raw, &info, 0) == 0) {
                isFile = S_ISREG(info.st_mode);
                isDirectory = S_ISDIR(info.st_mode);
            }
        }
        m_entries.push_back(
            Entry{std::move(folded), std::string(raw, length), ascii, isFile, isDirectory});
    }
    closedir(dir);

    std::sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
        const int byFolded = a.folded.compare(b.folded);
        return byFolded != 0 ? byFolded < 0 : a.name.compare(b.name) < 0;
    });
    return true;
}

std::string GameFolder::Fold(const wxString& name)
{
    if (name.IsAscii()) {
        const wxScopedCharBuffer ascii = name.ToAscii();
        return FoldAscii(ascii.data(), ascii.length());
    }
    return std::string(name.Lower().utf8_str());
}

wxString GameFolder::Decode(const Entry& entry)
{
    if (entry.ascii)
        return wxString::FromAscii(entry.name.data(), entry.name.size());
    return wxString(entry.name.c_str(), *wxConvFileName);
}

wxString GameFolder::Find(const wxString& name, bool Entry::*kind) const
{
    const std::string folded = Fold(name);
    const wxCharBuffer encoded = name.fn_str();
    const std::string onDisk = encoded.data() ? encoded.data() : "";
    auto it = std::lower_bound(
        m_entries.begin(), m_entries.end(), folded,
        [](const Entry& entry, const std::string& key) { return entry.folded.compare(key) < 0; });
    const Entry* found = nullptr;
    for (; it != m_entries.end() && it->folded == folded; ++it) {
        if (!((*it).*kind))
            continue;
        if (it->name == onDisk)
            return Decode(*it);
        if (!found)
            found = &*it;
    }
    return found ? Decode(*found) : wxString();
}

wxString GameFolder::FindFile(const wxString& name) const
{
    return Find(name, &Entry::isFile);
}

wxString GameFolder::FindDirectory(const wxString& name) const
{
    return Find(name, &Entry::isDirectory);
}

bool GameFolder::HasAnyDirectory() const
{
    return std::any_of(m_entries.begin(), m_entries.end(),
                       [](const Entry& entry) { return entry.isDirectory; });
}

wxArrayString GameFolder::FilesEndingWith(const wxString& suffix) const
{
    const std::string foldedSuffix = Fold(suffix);
    wxArrayString paths;
    for (const Entry& entry : m_entries) {
        const std::string& folded = entry.folded;
        if (entry.isFile && entry.name[0] != '.' && folded.size() >= foldedSuffix.size() &&
            folded.compare(folded.size() - foldedSuffix.size(), foldedSuffix.size(),
                           foldedSuffix) == 0)
            paths.Add(PathOf(Decode(entry)));
    }
    return paths;
}

wxString GameFolder::PathOf(const wxString& name) const
{
    if (m_directory.EndsWith("/"))
        return m_directory + name;
    return m_directory + "/" + name;
}
