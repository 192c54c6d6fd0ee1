// One listing of a game folder, whose names are looked up the way the game looks them up.
#pragma once

#include <wx/string.h>
#include <wx/arrstr.h>

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The game's files come from a case-insensitive file system and the game, under Wine, still finds
// them without regard to letter case; so does every lookup here. Where several names differ only
// in case, the one spelled exactly as asked for wins. Names are literal: no wildcards.
class GameFolder
{
public:
    // Lists the folder once. False when it cannot be opened as a directory.
    bool Open(const wxString& directory);

    const wxString& GetDirectory() const { return m_directory; }

    // The name on disk of the regular file (or link to one) called `name`; empty when none.
    wxString FindFile(const wxString& name) const;
    // The name on disk of the sub-directory (or link to one) called `name`; empty when none.
    wxString FindDirectory(const wxString& name) const;
    bool HasFile(const wxString& name) const { return !FindFile(name).empty(); }
    bool HasDirectory(const wxString& name) const { return !FindDirectory(name).empty(); }
    // Whether the folder holds any sub-directory at all, hidden ones included.
    bool HasAnyDirectory() const;

    // The full paths of the regular files, hidden ones excepted, whose names end in `suffix`,
    // ordered by name without regard to case (the order the game's own file system lists them in).
    wxArrayString FilesEndingWith(const wxString& suffix) const;

    // The path of `name` inside the folder, as the directory was given plus one separator.
    wxString PathOf(const wxString& name) const;

    // Case folding used for every comparison of names, as UTF-8: ASCII letters by themselves,
    // since a folder holds thousands of mostly ASCII names, any other name by wxString::Lower.
    static std::string Fold(const wxString& name);

private:
    // Names are kept as the bytes on disk and decoded only when asked for: a listing of ten
    // thousand mods would otherwise decode and fold twenty thousand names at every selection.
    struct Entry
    {
        std::string folded;
        std::string name;
        bool ascii;
        bool isFile;
        bool isDirectory;
    };

    static wxString Decode(const Entry& entry);
    wxString Find(const wxString& name, bool Entry::*kind) const;

    wxString m_directory;
    std::vector<Entry> m_entries; // in the order the directory lists them
    // Hashed rather than sorted: a selection looks up a few names among thousands.
    std::unordered_multimap<std::string_view, size_t> m_byFolded;
};
