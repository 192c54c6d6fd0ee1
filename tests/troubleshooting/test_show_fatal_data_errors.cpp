// Troubleshooting > Show Fatal Data Errors on the game's real warnings.log.
#include "support/gui_test.h"
#include "support/permission_checks.h"

#include <wx/msgdlg.h>

#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>

namespace {

const char* const noErrors = "No Fatal Data Errors found in the warnings.log file.";

class ShowFatalDataErrorsTest : public GuiTest
{
protected:
    static void ExpectReport(const wxString& text)
    {
        dialogs::ExpectMessage("Fatal Data Errors Found", text, wxICON_ERROR);
    }
    static void ExpectNone()
    {
        dialogs::ExpectMessage("No Fatal Data Errors Found", noErrors, wxOK | wxCENTRE);
    }
};

} // namespace

TEST_F(ShowFatalDataErrorsTest, AMissingLogIsReported)
{
    InstallGame("Soulstorm.exe");
    // A folder of the name is no log.
    game.MakeDirectory("warnings.log");
    QuorvantFrame* const frame = Start(game.Path());
    ASSERT_NE(frame, nullptr);
    dialogs::ExpectMessage("Unable To Open File",
                           "The warnings.log file could not be found/opened.", wxICON_ERROR);
    ui::ChooseMenu(*frame, ID_SHOW_FATAL_DATA_ERRORS);
}

TEST_F(ShowFatalDataErrorsTest, ALogThatCannotBeReadIsReportedWithoutMore)
{
    QuorvantFrame* const frame = StartWithFile("warnings.log", "Fatal Data Error\n");
    ASSERT_NE(frame, nullptr);
    chmod(game.PathOf("warnings.log").fn_str(), 0);
    const PermissionChecks checks;
    ASSERT_TRUE(checks.IsActive());
    dialogs::ExpectMessage("Unable To Open File",
                           "The warnings.log file could not be found/opened.", wxICON_ERROR);
    ui::ChooseMenu(*frame, ID_SHOW_FATAL_DATA_ERRORS);
}

TEST_F(ShowFatalDataErrorsTest, ALogWithoutErrorsSaysSo)
{
    for (const std::string log :
         {"", "GAME -- started\r\nfatal data error\r\nFATAL DATA ERROR\r\n"}) {
        QuorvantFrame* const frame = StartWithFile("warnings.log", log);
        ASSERT_NE(frame, nullptr);
        ExpectNone();
        ui::ChooseMenu(*frame, ID_SHOW_FATAL_DATA_ERRORS);
        frame->Destroy();
        ProcessEvents();
    }
}

TEST_F(ShowFatalDataErrorsTest, ListsEachErrorFromThePhraseOnInFileOrder)
{
    QuorvantFrame* const frame =
        StartWithFile("WARNINGS.LOG", "12:00:01.10 GAME -- Fatal Data Error: art/a.rgd\r\n"
                                      "12:00:01.20 GAME -- fine\r\n"
                                      "x Fatal Data Error twice: Fatal Data Error\r\n"
                                      "fatal data error, lower case\r\n"
                                      "Fatal Data Errors in art/b.rgd\r\n");
    ASSERT_NE(frame, nullptr);
    ExpectReport("Fatal Data Error: art/a.rgd\n\nFatal Data Error twice: Fatal Data Error\n\n"
                 "Fatal Data Errors in art/b.rgd\n\n");
    ui::ChooseMenu(*frame, ID_SHOW_FATAL_DATA_ERRORS);

    // The log is read anew each time.
    game.Write("WARNINGS.LOG", "Fatal Data Error: new\n");
    ExpectReport("Fatal Data Error: new\n\n");
    ui::ChooseMenu(*frame, ID_SHOW_FATAL_DATA_ERRORS);
}

TEST_F(ShowFatalDataErrorsTest, KeepsTextTheLocaleCannotRepresent)
{
    QuorvantFrame* const frame =
        StartWithFile("warnings.log", "Fatal Data Error: f\xC3\xBCr \xE4\xB8\xAD\xE6\x96\x87.rgd\n"
                                      "Fatal Data Error: \xF0\x9F\x98\x80\n");
    ASSERT_NE(frame, nullptr);
    ExpectReport(wxString::FromUTF8("Fatal Data Error: f\u00fcr \u4e2d\u6587.rgd\n\n"
                                    "Fatal Data Error: \U0001F600\n\n"));
    ui::ChooseMenu(*frame, ID_SHOW_FATAL_DATA_ERRORS);

    // A log that is not UTF-8 is read as Latin-1.
    game.Write("warnings.log", "Fatal Data Error: caf\xE9\n");
    ExpectReport(wxString::FromUTF8("Fatal Data Error: caf\u00e9\n\n"));
    ui::ChooseMenu(*frame, ID_SHOW_FATAL_DATA_ERRORS);
}

TEST_F(ShowFatalDataErrorsTest, ShowsTwentyErrorsAndCountsTheRest)
{
    std::string log;
    wxString twenty;
    for (int i = 1; i <= 21; ++i) {
        log += "t Fatal Data Error " + std::to_string(i) + "\n";
        if (i <= 20)
            twenty += wxString::Format("Fatal Data Error %d\n\n", i);
    }
    QuorvantFrame* const frame = StartWithFile("warnings.log", log);
    ASSERT_NE(frame, nullptr);
    ExpectReport(twenty + "And 1 more Fatal Data Errors in the warnings.log file.");
    ui::ChooseMenu(*frame, ID_SHOW_FATAL_DATA_ERRORS);
}

TEST_F(ShowFatalDataErrorsTest, CutsAVeryLongErrorLine)
{
    const std::string tail(2000, 'x');
    QuorvantFrame* const frame =
        StartWithFile("warnings.log", "a Fatal Data Error " + tail + "\nFatal Data Error end\n");
    ASSERT_NE(frame, nullptr);
    const wxString head = "Fatal Data Error ";
    ExpectReport(head + wxString('x', 500 - 3 - head.length()) + "...\n\nFatal Data Error end\n\n");
    ui::ChooseMenu(*frame, ID_SHOW_FATAL_DATA_ERRORS);
}

TEST_F(ShowFatalDataErrorsTest, ListsTheDemoLogsErrors)
{
    const std::string log = ReadDemoFile("warnings.log");
    ASSERT_NE(log, "<missing>");
    QuorvantFrame* const frame = StartWithFile("warnings.log", log);
    ASSERT_NE(frame, nullptr);
    ExpectReport("Fatal Data Error: the texture "
                 "art/ebps/races/demo/texture_share/marine_default.rtx is missing\n\n"
                 "Fatal Data Error: blueprint sbps/races/demo/troops/scout_squad.lua refers to an "
                 "unknown extension\n\n"
                 "Fatal Data Errors while loading the scenario: 1\n\n");
    ui::ChooseMenu(*frame, ID_SHOW_FATAL_DATA_ERRORS);
}
