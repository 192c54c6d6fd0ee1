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
    std::transform(folded.begin(), folded.end(), folded.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return folded;
}

} // namespace

bool GameFolder::Open(const wxString& directory)
{
    m_directory = directory;
    m_entries.clear();
    m_byFolded.clear();

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

    m_byFolded.reserve(m_entries.size());
    for (size_t i = 0; i < m_entries.size(); ++i)
        m_byFolded.emplace(m_entries[i].folded, i);
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
    const auto [first, last] = m_byFolded.equal_range(folded);
    const Entry* found = nullptr;
    for (auto it = first; it != last; ++it) {
        const Entry& entry = m_entries[it->second];
        if (!(entry.*kind))
            continue;
        if (entry.name == onDisk)
            return Decode(entry);
        // Of the other spellings, the same one on every machine, whatever the listing order.
        if (!found || entry.name < found->name)
            found = &entry;
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
    std::vector<const Entry*> matching;
    for (const Entry& entry : m_entries) {
        const std::string& folded = entry.folded;
        if (entry.isFile && entry.name[0] != '.' && folded.size() >= foldedSuffix.size() &&
            folded.compare(folded.size() - foldedSuffix.size(), foldedSuffix.size(),
                           foldedSuffix) == 0)
            matching.push_back(&entry);
    }
    std::sort(matching.begin(), matching.end(), [](const Entry* a, const Entry* b) {
        const int byFolded = a->folded.compare(b->folded);
        return byFolded != 0 ? byFolded < 0 : a->name < b->name;
    });
    wxArrayString paths;
    paths.Alloc(matching.size());
    for (const Entry* const entry : matching)
        paths.Add(PathOf(Decode(*entry)));
    return paths;
}

wxString GameFolder::PathOf(const wxString& name) const
{
    if (m_directory.EndsWith("/"))
        return m_directory + name;
    return m_directory + "/" + name;
}
