// Extracting and bounding the fatal data errors of the game's log.
#include "troubleshooting/fatal_errors.h"

#include <string>

namespace {

constexpr const char* marker = "Fatal Data Error";
constexpr const char* ellipsis = "...";
constexpr std::size_t ellipsisLength = 3;

} // namespace

void FatalErrorReport::AddLine(const wxString& line)
{
    const size_t at = line.find(marker);
    if (at == wxString::npos)
        return;
    ++m_count;
    if (m_count > maxExtracts)
        return;
    wxString extract = line.Mid(at);
    if (extract.length() > maxExtractLength)
        extract = extract.Left(maxExtractLength - ellipsisLength) + ellipsis;
    m_shown += extract + "\n\n";
}

wxString FatalErrorReport::GetText() const
{
    if (m_count <= maxExtracts)
        return m_shown;
    return m_shown + "And " + std::to_string(m_count - maxExtracts) +
           " more Fatal Data Errors in the warnings.log file.";
}
