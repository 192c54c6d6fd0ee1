// The text of the fatal data error report, built from the lines of the game's warnings.log.
#pragma once

#include <wx/string.h>

#include <cstddef>
#include <string>

// Collects, line by line, the extracts that begin at "Fatal Data Error". The text keeps the box
// readable however long the log: only the first extracts appear, each cut to a bounded length,
// and a last paragraph counts the rest.
class FatalErrorReport
{
public:
    static constexpr std::size_t maxExtracts = 20;
    // The length of a shown extract, its ellipsis included.
    static constexpr std::size_t maxExtractLength = 500;

    void AddLine(const wxString& line);

    bool IsEmpty() const { return m_count == 0; }
    std::size_t GetCount() const { return m_count; }

    // Each shown extract followed by an empty line; then, when extracts were left out,
    // "And <number> more Fatal Data Errors in the warnings.log file."
    wxString GetText() const;

private:
    wxString m_shown;
    std::size_t m_count = 0;
};

// Feeds the report every line of a warnings.log, decoded as the toolkit's text file decodes it.
// Plain UTF-8 is searched on its bytes and only the lines with the phrase are decoded, with the
// same result as decoding the whole text.
void CollectFatalErrors(const std::string& bytes, FatalErrorReport& report);
