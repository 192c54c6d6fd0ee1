// The test program: QuorvantApp on a real display, wx assertions and logged errors as failures.
#include "app/quorvant_app.h"
#include "support/dialogs.h"

#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/log.h>

#include <gtest/gtest.h>

#include <cstdio>

namespace {

void FailOnAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                  const wxString& message)
{
    ADD_FAILURE_AT(file.utf8_str(), line)
        << "wx assertion \"" << cond << "\" in " << func << ": " << message;
}

// The program shows its own boxes; anything the toolkit would pop up as a log dialog is a fault.
class FailingLog : public wxLog
{
protected:
    void DoLogTextAtLevel(wxLogLevel level, const wxString& text) override
    {
        if (level <= wxLOG_Warning)
            ADD_FAILURE() << "logged: " << text;
    }
};

} // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no display.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();

    // The tests call the application's OnInit themselves, each on its own game folder.
    wxApp::SetInstance(new QuorvantApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "The toolkit could not start: these tests need an X display "
                             "(run them under xvfb-run).\n");
        return 2;
    }
    wxSetAssertHandler(FailOnAssert);
    delete wxLog::SetActiveTarget(new FailingLog);
    dialogs::Install();

    int result = 0;
    {
        // An active loop lets the tests deliver events as the running program would.
        wxEventLoop loop;
        wxEventLoopActivator activate(&loop);
        result = RUN_ALL_TESTS();
        if (!dialogs::VerifyNoneLeft())
            result = 1;
    }

    wxTheApp->OnExit();
    wxEntryCleanup();
    return result;
}
