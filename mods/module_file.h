// What the readers of module files share with the required-mods check.
#pragma once

#include <wx/string.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace module_file {

// Every line of a module file that begins with this is one required-mod entry.
constexpr const char* requiredModKey = "RequiredMod.";
// The one entry of a mod that requires no other.
constexpr const char* noModsRequired = "No mods required to run!";

// A module file read whole and decoded as the toolkit's text file reads it (automatic encoding
// detection, lines ending at CR LF, LF or a lone CR), with one read call and no string per line:
// the mod list reads every module file, twice each, so its cost is what these calls cost.
class Lines
{
public:
    // False when the file cannot be opened or read; the caller reports it in its own box.
    bool Read(const wxString& path);
    // The bytes decoded and split as Read does with a file's; true, since text that does not
    // decode simply has no lines.
    bool Parse(const std::string& bytes);

    const wxString& GetPath() const { return m_path; }
    std::size_t GetCount() const { return m_lines.size(); }
    wxString GetLine(std::size_t line) const;
    // Whether the line begins with `key` at its first character; `rest` receives what follows.
    bool StartsWith(std::size_t line, const wxString& key, wxString* rest = nullptr) const;

private:
    wxString m_path;
    wxString m_text;
    std::vector<std::pair<std::size_t, std::size_t>> m_lines; // begin and end in m_text
};

} // namespace module_file
