// Extracting and bounding the fatal data errors of the game's log.
#include "troubleshooting/fatal_errors.h"

#include <wx/convauto.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

constexpr char marker[] = "Fatal Data Error";
constexpr std::size_t markerLength = sizeof marker - 1;
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

namespace {

// Whether the toolkit's automatic conversion would take the bytes as UTF-8 without a byte-order
// mark. ASCII is passed over eight bytes at a time; each run of other bytes is judged by the
// toolkit's own decoder, since an ASCII byte always ends a multi-byte sequence.
bool IsPlainUtf8(const std::string& bytes)
{
    wxConvAuto probe;
    probe.ToWChar(nullptr, 0, bytes.data(), std::min<size_t>(bytes.size(), 16));
    if (probe.GetBOM() != wxBOM_None)
        return false;

    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    while (at < end) {
        std::uint64_t word = 0;
        if (end - at >= 8 && (std::memcpy(&word, at, 8), (word & 0x8080808080808080u) == 0)) {
            at += 8;
            continue;
        }
        if (static_cast<unsigned char>(*at) < 0x80) {
            ++at;
            continue;
        }
        const char* runEnd = at;
        while (runEnd < end && static_cast<unsigned char>(*runEnd) >= 0x80)
            ++runEnd;
        if (wxConvUTF8.ToWChar(nullptr, 0, at, static_cast<size_t>(runEnd - at)) == wxCONV_FAILED)
            return false;
        at = runEnd;
    }
    return true;
}

// A log of millions of lines holds a few lines with the phrase: only those are decoded, each from
// the phrase to the end of its line, which is what the report takes of them.
void CollectFromUtf8(const std::string& bytes, FatalErrorReport& report)
{
    const char* at = bytes.data();
    const char* const end = at + bytes.size();
    // The phrase's first letter is rare in a log, and memchr finds it far faster than memmem
    // finds the whole phrase.
    while (const void* const found = std::memchr(at, marker[0], static_cast<size_t>(end - at))) {
        const char* const hit = static_cast<const char*>(found);
        if (static_cast<size_t>(end - hit) < markerLength)
            break;
        if (std::memcmp(hit, marker, markerLength) != 0) {
            at = hit + 1;
            continue;
        }
        const char* lineEnd = hit + markerLength;
        while (lineEnd < end && *lineEnd != '\r' && *lineEnd != '\n')
            ++lineEnd;
        report.AddLine(wxString(hit, wxConvUTF8, static_cast<size_t>(lineEnd - hit)));
        at = lineEnd;
    }
}

// Any other text is decoded whole, as the toolkit's text file decodes it.
void CollectFromText(const std::string& bytes, FatalErrorReport& report)
{
    const wxString text(bytes.data(), wxConvAuto(), bytes.size());
    size_t at = 0;
    while ((at = text.find(marker, at)) != wxString::npos) {
        size_t lineEnd = text.find_first_of("\r\n", at);
        if (lineEnd == wxString::npos)
            lineEnd = text.length();
        report.AddLine(text.substr(at, lineEnd - at));
        at = lineEnd;
    }
}

} // namespace

void CollectFatalErrors(const std::string& bytes, FatalErrorReport& report)
{
    if (IsPlainUtf8(bytes))
        CollectFromUtf8(bytes, report);
    else
        CollectFromText(bytes, report);
}
