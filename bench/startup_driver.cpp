// Times a program's start-up out of process: from starting it until its main window maps, its
// directory chooser answered with Return the moment it maps. Prints one tab-separated line:
//   START <runs> <median ms> <median ms from the answer to the main window> <median VmHWM kB>
// usage: quorvant_startup_driver <program> <game folder> <runs>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

const char* const chooserTitle = "Select executable directory";
const char* const frameTitle = "Quorvant";
const auto retryAnswer = std::chrono::milliseconds(100);
const auto giveUp = std::chrono::seconds(60);

double Since(Clock::time_point start, Clock::time_point end)
{
    return std::chrono::duration<double, std::milli>(end - start).count();
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// The window's title as GTK sets it: _NET_WM_NAME in UTF-8, else WM_NAME.
std::string WindowName(Display* display, Window window)
{
    static const Atom netName = XInternAtom(display, "_NET_WM_NAME", False);
    static const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    Atom type;
    int format;
    unsigned long count;
    unsigned long after;
    unsigned char* data = nullptr;
    std::string name;
    if (XGetWindowProperty(display, window, netName, 0, 1024, False, utf8, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
        name.assign(reinterpret_cast<char*>(data), count);
        XFree(data);
    }
    if (name.empty()) {
        char* plain = nullptr;
        if (XFetchName(display, window, &plain) && plain) {
            name = plain;
            XFree(plain);
        }
    }
    return name;
}

long PeakRssKilobytes(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.compare(0, 6, "VmHWM:") == 0)
            return std::atol(line.c_str() + 6);
    }
    return -1;
}

// The GTK chooser opens in the working folder with this setting, so Return accepts that folder.
std::string MakeSettings()
{
    char pattern[] = "/tmp/quorvant-bench-settings-XXXXXX";
    const std::string home = mkdtemp(pattern);
    const std::string dir = home + "/glib-2.0/settings";
    std::system(("mkdir -p '" + dir + "'").c_str());
    std::ofstream(dir + "/keyfile") << "[org/gtk/settings/file-chooser]\nstartup-mode='cwd'\n";
    return home;
}

struct Run
{
    double total = 0;
    double afterAnswer = 0;
    long peakKilobytes = 0;
    bool ok = false;
};

void PressReturn(Display* display, Window window)
{
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    const KeyCode code = XKeysymToKeycode(display, XK_Return);
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XFlush(display);
}

Run StartOnce(Display* display, const char* program, const char* folder,
              const std::string& settings)
{
    Run run;
    XSync(display, False);
    while (XPending(display)) {
        XEvent skipped;
        XNextEvent(display, &skipped);
    }

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder) != 0)
            _exit(126);
        setenv("GSETTINGS_BACKEND", "keyfile", 1);
        setenv("XDG_CONFIG_HOME", settings.c_str(), 1);
        setenv("NO_AT_BRIDGE", "1", 1);
        execl(program, program, static_cast<char*>(nullptr));
        _exit(127);
    }

    Window chooser = None;
    bool chooserShown = false;
    Clock::time_point answered;
    const int fd = ConnectionNumber(display);
    for (;;) {
        if (!XPending(display)) {
            pollfd wait{fd, POLLIN, 0};
            poll(&wait, 1, 20);
        }
        const Clock::time_point now = Clock::now();
        if (now - start > giveUp) {
            std::fprintf(stderr, "%s: no main window after a minute\n", program);
            break;
        }
        if (chooserShown && now - answered > retryAnswer) {
            PressReturn(display, chooser);
            answered = Clock::now();
        }
        while (XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            Window window = None;
            if (event.type == MapNotify)
                window = event.xmap.window;
            else if (event.type == PropertyNotify)
                window = event.xproperty.window;
            else if (event.type == UnmapNotify && event.xunmap.window == chooser)
                chooserShown = false;
            if (window == None)
                continue;
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(display, window, &attributes) ||
                attributes.map_state != IsViewable)
                continue;
            const std::string name = WindowName(display, window);
            if (name.empty() && event.type == MapNotify) {
                XSelectInput(display, window, PropertyChangeMask);
            } else if (name.compare(0, std::strlen(chooserTitle), chooserTitle) == 0 &&
                       chooser == None) {
                chooser = window;
                chooserShown = true;
                PressReturn(display, chooser);
                answered = Clock::now();
            } else if (name == frameTitle) {
                const Clock::time_point mapped = Clock::now();
                run.peakKilobytes = PeakRssKilobytes(pid);
                run.total = Since(start, mapped);
                run.afterAnswer = Since(answered, mapped);
                run.ok = chooser != None;
                break;
            }
        }
        if (run.ok)
            break;
        int status;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "%s ended before its main window mapped\n", program);
            return run;
        }
    }
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return run;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <program> <game folder> <runs>\n", argv[0]);
        return 2;
    }
    Display* const display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "no X display\n");
        return 2;
    }
    int event, error, major, minor;
    if (!XTestQueryExtension(display, &event, &error, &major, &minor)) {
        std::fprintf(stderr, "the X server has no XTEST\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    // The program starts in the game folder, so a relative path to it would no longer lead there.
    char* const program = realpath(argv[1], nullptr);
    if (!program) {
        std::fprintf(stderr, "no program %s\n", argv[1]);
        return 2;
    }
    const std::string settings = MakeSettings();

    const int runs = std::max(1, std::atoi(argv[3]));
    std::vector<double> totals;
    std::vector<double> afterAnswers;
    std::vector<double> peaks;
    // One unmeasured start first, so that every measured one finds the same warm caches.
    StartOnce(display, program, argv[2], settings);
    for (int i = 0; i < runs; ++i) {
        const Run run = StartOnce(display, program, argv[2], settings);
        if (!run.ok) {
            std::system(("rm -rf '" + settings + "'").c_str());
            return 1;
        }
        totals.push_back(run.total);
        afterAnswers.push_back(run.afterAnswer);
        peaks.push_back(static_cast<double>(run.peakKilobytes));
    }
    std::system(("rm -rf '" + settings + "'").c_str());
    std::printf("START\t%d\t%.1f\t%.1f\t%.0f\n", runs, Median(totals), Median(afterAnswers),
                Median(peaks));
    XCloseDisplay(display);
    return 0;
}
