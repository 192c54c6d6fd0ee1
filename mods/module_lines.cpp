// A module file's text split into lines, read with the toolkit's automatic encoding detection.
#include "mods/module_file.h"
#include "game/game_file.h"

#include <wx/convauto.h>

#include <string>

bool module_file::Lines::Read(const wxString& path)
{
    m_path = path;
    m_text.clear();
    m_lines.clear();
    std::string bytes;
    // Only a bounded regular file is read, so that a FIFO cannot block the window nor a huge
    // file fill the memory.
    return ReadFileBytes(path, bytes) == FileReadResult::Read && Parse(bytes);
}

bool module_file::Lines::Parse(const std::string& bytes)
{
    m_text.clear();
    m_lines.clear();
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
