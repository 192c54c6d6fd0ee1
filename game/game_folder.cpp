// Listing a game folder once and finding names in it without regard to letter case.
#include "game/game_folder.h"

#include <wx/strconv.h>

#include <algorithm>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
        // A name that does not decode cannot be addressed through a path either.
        const wxString name(raw, *wxConvFileName);
        if (name.empty())
            continue;

        bool isFile = item->d_type == DT_REG;
        bool isDirectory = item->d_type == DT_DIR;
        if (item->d_type == DT_LNK || item->d_type == DT_UNKNOWN) {
            struct stat info;
            if (fstatat(dirFd, raw, &info, 0) == 0) {
                isFile = S_ISREG(info.st_mode);
                isDirectory = S_ISDIR(info.st_mode);
            }
        }
        m_entries.push_back(Entry{Fold(name), name, isFile, isDirectory});
    }
    closedir(dir);

    std::sort(m_entries.begin(), m_entries.end(), [](const Entry& a, const Entry& b) {
        const int byFolded = a.folded.compare(b.folded);
        return byFolded != 0 ? byFolded < 0 : a.name.compare(b.name) < 0;
    });
    return true;
}

wxString GameFolder::Fold(const wxString& name)
{
    return name.Lower();
}

wxString GameFolder::Find(const wxString& name, bool Entry::*kind) const
{
    const wxString folded = Fold(name);
    auto it = std::lower_bound(
        m_entries.begin(), m_entries.end(), folded,
        [](const Entry& entry, const wxString& key) { return entry.folded.compare(key) < 0; });
    wxString found;
    for (; it != m_entries.end() && it->folded == folded; ++it) {
        if (!((*it).*kind))
            continue;
        if (it->name == name)
            return it->name;
        if (found.empty())
            found = it->name;
    }
    return found;
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
    const wxString foldedSuffix = Fold(suffix);
    wxArrayString paths;
    for (const Entry& entry : m_entries) {
        if (entry.isFile && !entry.name.StartsWith(".") && entry.folded.EndsWith(foldedSuffix))
            paths.Add(PathOf(entry.name));
    }
    return paths;
}

wxString GameFolder::PathOf(const wxString& name) const
{
    if (m_directory.EndsWith("/"))
        return m_directory + name;
    return m_directory + "/" + name;
}
