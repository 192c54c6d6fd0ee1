// The four readers of a module file: version, Playable flag, mod folder and required mods.
#include "frame/quorvant_frame.h"
#include "game/game_file.h"
#include "game/game_folder.h"
#include "mods/module_file.h"

#include <wx/convauto.h>
#include <wx/msgdlg.h>

#include <string>

namespace {

// Plain characters: a static wxString could throw before main, where nothing can catch it.
constexpr const char* versionKey = "ModVersion = ";
constexpr const char* playableKey = "Playable = ";
constexpr const char* modFolderKey = "ModFolder = ";

using module_file::Lines;

bool OpenOrReport(Lines& file, const wxString& path, const wxString& caption)
{
    if (file.Read(path))
        return true;
    wxMessageBox("Unable to open " + path + ".", caption, wxICON_ERROR);
    return false;
}

// The value behind `key` on the first line that carries it.
bool FindFirstValue(const Lines& file, const wxString& key, wxString& value)
{
    for (size_t i = 0; i < file.GetCount(); ++i) {
        if (file.StartsWith(i, key, &value))
            return true;
    }
    return false;
}

bool NamesExistingFolder(const Lines& file, const GameFolder& folder)
{
    wxString name;
    if (!FindFirstValue(file, modFolderKey, name))
        return false;
    // Windows drops trailing blanks from a path, so the game finds the folder without them.
    name.Trim(true);
    return !name.empty() && folder.HasDirectory(name);
}

} // namespace

bool module_file::Lines::Read(const wxString& path)
{
    m_path = path;
    m_text.clear();
    m_lines.clear();
    std::string bytes;
    // Only a bounded regular file is read, so that a FIFO cannot block the window nor a huge
    // file fill the memory.
    if (ReadFileBytes(path, bytes) != FileReadResult::Read)
        return false;
    // Text that does not decode has no lines, as in the toolkit's reader.
    m_text = wxString(bytes.data(), wxConvAuto(), bytes.size());

    const wchar_t* const text = m_text.wc_str();
    const size_t end = m_text.length();
    size_t begin = 0;
    for (size_t at = 0; at < end; ++at) {
        const wchar_t c = text[at];
        if (c != L'\r' && c != L'\n')
            continue;
        m_lines.emplace_back(begin, at);
        if (c == L'\r' && at + 1 < end && text[at + 1] == L'\n')
            ++at;
        begin = at + 1;
    }
    if (begin < end)
        m_lines.emplace_back(begin, end);
    return true;
}

wxString module_file::Lines::GetLine(size_t line) const
{
    const auto& [begin, end] = m_lines[line];
    return m_text.substr(begin, end - begin);
}

bool module_file::Lines::StartsWith(size_t line, const wxString& key, wxString* rest) const
{
    const auto& [begin, end] = m_lines[line];
    const size_t length = key.length();
    if (end - begin < length || m_text.compare(begin, length, key) != 0)
        return false;
    if (rest)
        *rest = m_text.substr(begin + length, end - begin - length);
    return true;
}

wxString QuorvantFrame::ReadModVersion(const wxString& moduleFile)
{
    Lines file;
    if (!OpenOrReport(file, moduleFile, "Unable To Open File"))
        return "error";
    wxString version;
    FindFirstValue(file, versionKey, version);
    return version;
}

bool QuorvantFrame::IsModPlayable(const wxString& moduleFile)
{
    Lines file;
    if (!OpenOrReport(file, moduleFile, "Unable To Open File"))
        return false;
    wxString playable;
    return FindFirstValue(file, playableKey, playable) && playable == "1";
}

bool QuorvantFrame::HasModFolder(const wxString& moduleFile)
{
    Lines file;
    if (!OpenOrReport(file, moduleFile, "Unable to open file."))
        return false;
    GameFolder folder;
    if (!folder.Open(m_gameDirectory)) {
        wxMessageBox("The directory cannot be opened.", "Cannot Open Directory", wxOK | wxCENTRE);
        return false;
    }
    return NamesExistingFolder(file, folder);
}

bool QuorvantFrame::HasModFolder(const wxString& moduleFile, const GameFolder& folder)
{
    Lines file;
    if (!OpenOrReport(file, moduleFile, "Unable to open file."))
        return false;
    return NamesExistingFolder(file, folder);
}

bool QuorvantFrame::ReadRequiredMods(const wxString& moduleFile)
{
    Lines file;
    if (!OpenOrReport(file, moduleFile, "Unable To Open File"))
        return false;
    m_requiredMods->Clear();
    for (size_t i = 0; i < file.GetCount(); ++i) {
        if (file.StartsWith(i, module_file::requiredModKey))
            m_requiredMods->Add(file.GetLine(i));
    }
    if (m_requiredMods->IsEmpty())
        m_requiredMods->Add(module_file::noModsRequired);
    return true;
}
