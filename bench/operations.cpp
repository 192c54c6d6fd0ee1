// The benchmark of the program's operations, in process on a real QuorvantFrame, each beside
// its floor measured in the same run on the same files. Prints one tab-separated row per case:
//   ROW <operation> <size> <runs> <median ms> <floor median ms>
#include "app/quorvant_app.h"
#include "bench/bench_dialogs.h"
#include "bench/floors.h"
#include "bench/game_maker.h"
#include "frame/quorvant_frame.h"
#include "support/frame_access.h"

#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/listbox.h>
#include <wx/log.h>
#include <wx/statusbr.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

using F = QuorvantFrameTest;

namespace {

bool quick = false;
int failures = 0;

void Check(bool holds, const std::string& what)
{
    if (holds)
        return;
    std::fprintf(stderr, "check failed: %s\n", what.c_str());
    ++failures;
}

double Milliseconds(const std::function<void()>& work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Runs the program's operation and its floor in turn, after one unmeasured round of each, so
// that both meet the same warm caches; prints the medians.
void Measure(const std::string& operation, const std::string& size, int runs,
             const std::function<void()>& program, const std::function<void()>& floor)
{
    if (quick)
        runs = std::min(runs, 3);
    program();
    floor();
    std::vector<double> programTimes;
    std::vector<double> floorTimes;
    for (int run = 0; run < runs; ++run) {
        programTimes.push_back(Milliseconds(program));
        floorTimes.push_back(Milliseconds(floor));
    }
    std::printf("ROW\t%s\t%s\t%d\t%.4f\t%.4f\n", operation.c_str(), size.c_str(), runs,
                Median(programTimes), Median(floorTimes));
    std::fflush(stdout);
}

void ProcessEvents()
{
    for (int round = 0; round < 3; ++round) {
        wxTheApp->Yield(true);
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
    }
}

// Starts the program as its application object does, the chooser answered with `folder`.
QuorvantFrame* Start(const std::string& folder)
{
    bench_dialogs::SetDirectory(wxString::FromUTF8(folder));
    wxTheApp->OnInit();
    ProcessEvents();
    for (wxWindow* const window : wxTopLevelWindows) {
        if (auto* const frame = dynamic_cast<QuorvantFrame*>(window)) {
            if (frame->IsShown() && !wxTheApp->IsScheduledForDestruction(frame))
                return frame;
        }
    }
    std::fprintf(stderr, "the program did not start on %s\n", folder.c_str());
    std::exit(1);
}

void Stop(QuorvantFrame* frame)
{
    frame->Destroy();
    ProcessEvents();
}

std::string Count(int n)
{
    std::string text = std::to_string(n);
    for (int at = static_cast<int>(text.size()) - 3; at > 0; at -= 3)
        text.insert(static_cast<std::size_t>(at), ",");
    return text;
}

void ExpectNoBoxes(const std::string& operation)
{
    Check(bench_dialogs::TakeTitles().empty(), operation + " showed a box");
}

void BenchModList()
{
    for (const int modules : {10, 1000, 10000}) {
        const std::string folder = bench::MakeTemporaryFolder("list");
        bench::MakeGame(folder, modules);
        QuorvantFrame* const frame = Start(folder);
        for (const bool showAll : {false, true}) {
            std::size_t rows = 0;
            const auto program = [&] {
                F::ModuleFiles(*frame).Clear();
                F::ModDisplayNames(*frame).Clear();
                F::ShowAllMods(*frame) = showAll;
                frame->FindModuleFiles();
                frame->BuildModDisplayNames();
                rows = F::ModDisplayNames(*frame).GetCount();
            };
            std::size_t floorRows = 0;
            const auto floor = [&] { floorRows = floors::BuildModList(folder, showAll); };
            Measure(showAll ? "mod list, Show All Mods on" : "mod list, Show All Mods off",
                    Count(modules) + " module files", modules >= 10000 ? 5 : 15, program, floor);
            Check(rows == floorRows && rows > 0, "the mod list has the floor's rows");
            ExpectNoBoxes("the mod list");
        }
        Stop(frame);
        bench::RemoveTree(folder);
    }
}

void BenchSelection()
{
    for (const int modules : {100, 10000}) {
        const std::string folder = bench::MakeTemporaryFolder("select");
        bench::MakeGame(folder, modules);
        QuorvantFrame* const frame = Start(folder);
        wxListBox* const list = F::ModListBox(*frame);
        for (const int required : {1, 10, 50}) {
            const std::string file = bench::SelectionModule(required);
            const wxArrayString& paths = F::ModuleFiles(*frame);
            int row = wxNOT_FOUND;
            for (size_t i = 0; i < paths.GetCount(); ++i) {
                if (paths[i].EndsWith("/" + file))
                    row = static_cast<int>(i);
            }
            Check(row != wxNOT_FOUND, file + " is listed");
            wxCommandEvent select(wxEVT_LISTBOX, list->GetId());
            select.SetEventObject(list);
            select.SetInt(row);
            select.SetString(list->GetString(row));
            list->SetSelection(row);

            const auto program = [&] { list->HandleWindowEvent(select); };
            std::size_t installed = 0;
            const auto floor = [&] { installed = floors::SelectMod(folder, file); };
            Measure("selection, " + std::to_string(required) + " required",
                    Count(modules) + " module files", modules >= 10000 ? 7 : 15, program, floor);
            Check(F::StatusBar(*frame)->GetStatusText() == "This mod can be played.",
                  file + " can be played");
            Check(installed == static_cast<std::size_t>(required), "the floor finds them all");
            ExpectNoBoxes("the selection");
        }
        Stop(frame);
        bench::RemoveTree(folder);
    }
}

void BenchReportAndToggle()
{
    const std::string folder = bench::MakeTemporaryFolder("files");
    bench::MakeGame(folder, 10);
    QuorvantFrame* const frame = Start(folder);

    for (const int lines : {1000, 100000, 1000000}) {
        bench::WriteWarningsLog(folder, lines);
        const auto program = [&] { frame->ShowFatalDataErrors(); };
        const auto floor = [&] { floors::ReadOnce(folder + "/warnings.log"); };
        Measure("fatal error report", Count(lines) + " log lines", lines >= 1000000 ? 3 : 9,
                program, floor);
        const std::vector<wxString> titles = bench_dialogs::TakeTitles();
        Check(!titles.empty() &&
                  std::all_of(titles.begin(), titles.end(),
                              [](const wxString& t) { return t == "Fatal Data Errors Found"; }),
              "the report shows its errors");
    }

    for (const std::size_t bytes : {std::size_t{1024}, std::size_t{10} * 1024 * 1024}) {
        bench::WriteAutoexec(folder, bytes);
        bool on = false;
        bool succeeded = true;
        // Each run switches the line the other way: added, then removed, and so on.
        const auto program = [&] {
            on = !on;
            succeeded = frame->SetAllAIMode(on) && succeeded;
        };
        const auto floor = [&] { floors::ReadOnce(folder + "/autoexec.lua"); };
        Measure("All AI toggle", bytes < 1024 * 1024 ? "1 KB autoexec.lua" : "10 MB autoexec.lua",
                bytes < 1024 * 1024 ? 15 : 7, program, floor);
        Check(succeeded && frame->IsAllAIModeActive() == on, "the toggle switches the line");
        ExpectNoBoxes("the toggle");
        // The toggle writes the file as well: beside the read, what a safe rewrite costs.
        const auto rewrite = [&] { floors::ReadAndReplace(folder + "/autoexec.lua"); };
        Measure("All AI toggle (floor: read and safe rewrite)",
                bytes < 1024 * 1024 ? "1 KB autoexec.lua" : "10 MB autoexec.lua",
                bytes < 1024 * 1024 ? 15 : 7, program, rewrite);
        ExpectNoBoxes("the toggle");
    }

    Stop(frame);
    bench::RemoveTree(folder);
}

void PrintAssert(const wxString& file, int line, const wxString& func, const wxString& cond,
                 const wxString& message)
{
    std::fprintf(
        stderr, "wx assertion %s in %s (%s:%d): %s\n", static_cast<const char*>(cond.utf8_str()),
        static_cast<const char*>(func.utf8_str()), static_cast<const char*>(file.utf8_str()), line,
        static_cast<const char*>(message.utf8_str()));
    ++failures;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> parts;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--quick") == 0)
            quick = true;
        else
            parts.emplace_back(argv[i]);
    }
    const auto wanted = [&](const char* part) {
        return parts.empty() || std::find(parts.begin(), parts.end(), part) != parts.end();
    };

    wxApp::SetInstance(new QuorvantApp);
    int wxArgc = 1;
    if (!wxEntryStart(wxArgc, argv)) {
        std::fprintf(stderr, "The toolkit could not start: run this on an X display.\n");
        return 2;
    }
    wxSetAssertHandler(PrintAssert);
    delete wxLog::SetActiveTarget(new wxLogStderr);
    bench_dialogs::Install();
    {
        wxEventLoop loop;
        wxEventLoopActivator activate(&loop);
        if (wanted("list"))
            BenchModList();
        if (wanted("select"))
            BenchSelection();
        if (wanted("files"))
            BenchReportAndToggle();
    }
    wxTheApp->OnExit();
    wxEntryCleanup();
    return failures == 0 ? 0 : 1;
}
