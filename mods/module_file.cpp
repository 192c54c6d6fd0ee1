// The four readers of a module file: version, Playable flag, mod folder and required mods.
#include "frame/quorvant_frame.h"
#include "game/game_folder.h"
#include "mods/module_file.h"

#include <wx/convauto.h>
#include <wx/msgdlg.h>

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

const wxString module_file::requiredModKey = "RequiredMod.";
const wxString module_file::noModsRequired = "No mods required to run!";

namespace {

const wxString versionKey = "ModVersion = ";
const wxString playableKey = "Playable = ";
const wxString modFolderKey = "ModFolder = ";

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

// The file's bytes as the toolkit's text file takes them: as many as its size when opened, or,
// for a file that tells no size (as under /proc), everything up to its end. Anything but a
// regular file is refused, so that a FIFO cannot block the window.
bool ReadBytes(const wxString& path, std::string& bytes)
{
    const wxCharBuffer name = path.fn_str();
    if (!name.data() || !*name.data())
        return false;
    const int fd = open(name.data(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    struct stat info;
    bool read = fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    const bool sized = read && info.st_size > 0;
    bytes.resize(sized ? static_cast<size_t>(info.st_size) : 4096);
    size_t done = 0;
    while (read) {
        if (done == bytes.size()) {
            if (sized)
                break;
            bytes.resize(bytes.size() * 2);
        }
        const ssize_t got = ::read(fd, &bytes[done], bytes.size() - done);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            read = false;
        else if (got == 0)
            break;
        else
            done += static_cast<size_t>(got);
    }
    bytes.resize(done);
    close(fd);
    return read;
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
    if (!ReadBytes(path, bytes))
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
