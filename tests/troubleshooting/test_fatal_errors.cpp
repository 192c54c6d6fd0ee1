// The fatal data error report's text from the lines of warnings.log.
#include "troubleshooting/fatal_errors.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

wxString Report(const std::vector<wxString>& lines)
{
    FatalErrorReport report;
    for (const wxString& line : lines)
        report.AddLine(line);
    return report.GetText();
}

} // namespace

TEST(FatalErrors, ExtractsFromThePhraseToTheEndOfEachLine)
{
    const struct
    {
        const char* what;
        std::vector<wxString> lines;
        wxString text;
    } cases[] = {
        {"no lines", {}, ""},
        {"no phrase", {"GAME -- all fine", "", "fatal data error", "FATAL DATA ERROR"}, ""},
        {"phrase alone", {"Fatal Data Error"}, "Fatal Data Error\n\n"},
        {"text before the phrase dropped",
         {"12:01:33.20 MOD -- Fatal Data Error: missing file art/x.rgd"},
         "Fatal Data Error: missing file art/x.rgd\n\n"},
        {"phrase twice, one extract from the first",
         {"a Fatal Data Error b Fatal Data Error c"},
         "Fatal Data Error b Fatal Data Error c\n\n"},
        {"longer word", {"Fatal Data Errors: 3"}, "Fatal Data Errors: 3\n\n"},
        {"three lines in file order, others skipped",
         {"x Fatal Data Error 1", "ok", "y Fatal Data Error 2", "fatal data error",
          "Fatal Data Error 3"},
         "Fatal Data Error 1\n\nFatal Data Error 2\n\nFatal Data Error 3\n\n"},
        {"non-ASCII text kept",
         {wxString::FromUTF8("\u00e9 Fatal Data Error: f\u00fcr \u4e2d\u6587 \U0001F600")},
         wxString::FromUTF8("Fatal Data Error: f\u00fcr \u4e2d\u6587 \U0001F600\n\n")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Report(c.lines), c.text) << c.what;
}

TEST(FatalErrors, ShowsTwentyExtractsAndCountsTheRest)
{
    std::vector<wxString> lines;
    wxString twenty;
    for (int i = 1; i <= 21; ++i) {
        lines.push_back(wxString::Format("%d: Fatal Data Error %d", i, i));
        if (i <= 20)
            twenty += wxString::Format("Fatal Data Error %d\n\n", i);
    }
    FatalErrorReport report;
    for (size_t i = 0; i < 20; ++i)
        report.AddLine(lines[i]);
    EXPECT_EQ(report.GetText(), twenty);

    report.AddLine(lines[20]);
    EXPECT_EQ(report.GetCount(), 21u);
    EXPECT_EQ(report.GetText(), twenty + "And 1 more Fatal Data Errors in the warnings.log file.");

    for (int i = 0; i < 4979; ++i)
        report.AddLine("Fatal Data Error again");
    EXPECT_EQ(report.GetText(),
              twenty + "And 4980 more Fatal Data Errors in the warnings.log file.");
}

TEST(FatalErrors, CutsALongExtractToFiveHundredCharactersWithAnEllipsis)
{
    const wxString phrase = "Fatal Data Error";
    const wxString exactly = phrase + wxString('x', 500 - phrase.length());
    EXPECT_EQ(Report({"before " + exactly}), exactly + "\n\n");

    const wxString longLine = "t " + phrase + wxString(wxUniChar(0x4e2d), 2000);
    const wxString text = Report({longLine, "Fatal Data Error next"});
    const wxString cut = phrase + wxString(wxUniChar(0x4e2d), 500 - 3 - phrase.length()) + "...";
    EXPECT_EQ(cut.length(), 500u);
    EXPECT_EQ(text, cut + "\n\nFatal Data Error next\n\n");
}

TEST(FatalErrors, IsEmptyOnlyWithoutAMatchingLine)
{
    FatalErrorReport report;
    EXPECT_TRUE(report.IsEmpty());
    report.AddLine("nothing here");
    EXPECT_TRUE(report.IsEmpty());
    report.AddLine("Fatal Data Error");
    EXPECT_FALSE(report.IsEmpty());
}
