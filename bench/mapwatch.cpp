// mapwatch [--unmanaged] PROGRAM [ARGS...]
//
// Starts PROGRAM and reports how long it took until its top-level window was
// mapped, plus the program's resident memory at that moment:
//     ms=<float> rss_kb=<int>
// The program is then terminated. Exit status 0 on success, 1 if no window
// appeared within the time limit or the program died first, 2 on usage/setup
// errors. The program's own stdout is sent to stderr so that stdout carries
// only the result line.
//
// Which window counts: the first MapNotify, seen on the root window, of a
// non-override-redirect window whose _NET_WM_PID (on the window itself or on
// a window nested inside it) equals the child's pid. Matching on the pid
// ignores windows of anyone else on the display (a window manager, a previous
// run still tearing down), and looking inside the mapped window handles
// reparenting window managers: there the client window is mapped inside a
// frame, so root only sees the frame being mapped, which is also the moment
// the window becomes visible. Override-redirect windows (tooltips, menus,
// splash-like popups) are not main windows, so they are skipped, unless --unmanaged says
// that the program's top-level windows are override-redirect themselves: so are a Wine
// program's when Wine, not a window manager, draws their frames.
#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

namespace {

const double kTimeoutMs = 10000.0;
const int kMaxDepth = 4;  // frame nesting of common reparenting WMs is 1-3

double nowMs() {
    timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec * 1000.0 + ts.tv_nsec / 1e6;
}

// Windows can vanish between the event and our queries; such errors are
// expected and must not abort the tool.
int ignoreXError(Display*, XErrorEvent*) { return 0; }

long readRssKb(pid_t pid) {
    char path[64];
    std::snprintf(path, sizeof path, "/proc/%d/status", static_cast<int>(pid));
    FILE* f = std::fopen(path, "r");
    if (!f) return -1;
    char line[256];
    long kb = -1;
    while (std::fgets(line, sizeof line, f)) {
        if (std::strncmp(line, "VmRSS:", 6) == 0) {
            kb = std::strtol(line + 6, nullptr, 10);
            break;
        }
    }
    std::fclose(f);
    return kb;
}

bool windowHasPid(Display* dpy, Window w, Atom pidAtom, pid_t pid) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    bool match = false;
    if (XGetWindowProperty(dpy, w, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format, &count,
                           &after, &data) == Success &&
        data) {
        if (type == XA_CARDINAL && format == 32 && count == 1)
            match = static_cast<pid_t>(*reinterpret_cast<unsigned long*>(data)) == pid;
        XFree(data);
    }
    return match;
}

bool treeHasPid(Display* dpy, Window w, Atom pidAtom, pid_t pid, int depth) {
    if (windowHasPid(dpy, w, pidAtom, pid)) return true;
    if (depth >= kMaxDepth) return false;
    Window rootRet = None, parentRet = None, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(dpy, w, &rootRet, &parentRet, &children, &n)) return false;
    bool found = false;
    for (unsigned int i = 0; i < n && !found; ++i)
        found = treeHasPid(dpy, children[i], pidAtom, pid, depth + 1);
    if (children) XFree(children);
    return found;
}

// Ask politely first so the program can exit cleanly, then insist. The child
// leads its own process group, so helpers it may have spawned go too.
void stopChild(pid_t pid) {
    kill(-pid, SIGTERM);
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            kill(-pid, SIGKILL);  // leftovers in the group, if any
            return;
        }
        usleep(10000);
    }
    kill(-pid, SIGKILL);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

}  // namespace

int main(int argc, char* argv[]) {
    const bool unmanaged = argc > 1 && std::strcmp(argv[1], "--unmanaged") == 0;
    if (unmanaged) {
        --argc;
        ++argv;
    }
    if (argc < 2) {
        std::fprintf(stderr, "usage: mapwatch [--unmanaged] PROGRAM [ARGS...]\n");
        return 2;
    }

    Display* dpy = XOpenDisplay(nullptr);
    if (!dpy) {
        std::fprintf(stderr, "mapwatch: cannot open display\n");
        return 2;
    }
    XSetErrorHandler(ignoreXError);
    const int xfd = ConnectionNumber(dpy);
    fcntl(xfd, F_SETFD, FD_CLOEXEC);  // the program must not inherit our connection
    const Window root = DefaultRootWindow(dpy);
    const Atom pidAtom = XInternAtom(dpy, "_NET_WM_PID", False);
    XSelectInput(dpy, root, SubstructureNotifyMask);
    XSync(dpy, False);  // selection is active before the program can map anything

    // Reports a failed exec back to us; closed silently by a successful one.
    int execPipe[2];
    if (pipe2(execPipe, O_CLOEXEC) != 0) {
        std::perror("mapwatch: pipe");
        return 2;
    }

    const double t0 = nowMs();
    const pid_t pid = fork();
    if (pid < 0) {
        std::perror("mapwatch: fork");
        return 2;
    }
    if (pid == 0) {
        setpgid(0, 0);
        dup2(STDERR_FILENO, STDOUT_FILENO);
        execvp(argv[1], argv + 1);
        const int err = errno;
        ssize_t ignored = write(execPipe[1], &err, sizeof err);
        (void)ignored;
        _exit(127);
    }
    setpgid(pid, pid);  // also from here, so it holds whichever side runs first
    close(execPipe[1]);
    int execErr = 0;
    if (read(execPipe[0], &execErr, sizeof execErr) == sizeof execErr) {
        std::fprintf(stderr, "mapwatch: cannot run %s: %s\n", argv[1], std::strerror(execErr));
        waitpid(pid, nullptr, 0);
        return 2;
    }
    close(execPipe[0]);

    for (;;) {
        while (XPending(dpy)) {
            XEvent ev;
            XNextEvent(dpy, &ev);
            const double t1 = nowMs();  // before any further round trips
            if (ev.type != MapNotify || (ev.xmap.override_redirect && !unmanaged)) continue;
            if (!treeHasPid(dpy, ev.xmap.window, pidAtom, pid, 0)) continue;
            const long rss = readRssKb(pid);
            std::printf("ms=%.3f rss_kb=%ld\n", t1 - t0, rss);
            std::fflush(stdout);
            stopChild(pid);
            XCloseDisplay(dpy);
            return 0;
        }

        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid) {
            std::fprintf(stderr, "mapwatch: %s exited (status 0x%x) before mapping a window\n",
                         argv[1], status);
            kill(-pid, SIGKILL);
            return 1;
        }
        const double left = kTimeoutMs - (nowMs() - t0);
        if (left <= 0) {
            std::fprintf(stderr, "mapwatch: no window from %s within %.0f ms\n", argv[1],
                         kTimeoutMs);
            stopChild(pid);
            return 1;
        }
        // Short slices so an early exit of the program is noticed promptly;
        // X events still wake us at once.
        pollfd pfd{xfd, POLLIN, 0};
        poll(&pfd, 1, left < 50 ? static_cast<int>(left) + 1 : 50);
    }
}
