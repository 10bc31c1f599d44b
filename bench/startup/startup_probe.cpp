// Times the real game's start-up in an X display: launches it, then watches
// for its window (by title) and for the first frame shown in it (the first
// time the window holds anything but black). Then it asks the game to quit
// as Ctrl-C would and waits for it.
//   zandrove-startup-probe GAME [ARGS...]
// Prints: window_ms=W first_frame_ms=F exit=S
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace {

const char* const kTitle = "Zandrove - By Tobrandel";
constexpr double kGiveUpMs = 30000;

double NowMs() {
    timespec t;
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Depth-first through the window tree for the window with the game's title.
Window FindTitled(Display* d, Window w) {
    char* name = nullptr;
    if (XFetchName(d, w, &name) && name) {
        const bool match = std::strcmp(name, kTitle) == 0;
        XFree(name);
        if (match) return w;
    }
    Window root, parent, *children = nullptr;
    unsigned n = 0;
    if (!XQueryTree(d, w, &root, &parent, &children, &n)) return 0;
    Window found = 0;
    for (unsigned i = 0; i < n && !found; ++i) found = FindTitled(d, children[i]);
    if (children) XFree(children);
    return found;
}

bool ShowsSomething(Display* d, Window w) {
    XWindowAttributes a;
    if (!XGetWindowAttributes(d, w, &a) || a.map_state != IsViewable) return false;
    XImage* img = XGetImage(d, w, 0, 0, a.width, a.height, AllPlanes, ZPixmap);
    if (!img) return false;
    bool any = false;
    for (int y = 0; y < a.height && !any; y += 4)
        for (int x = 0; x < a.width && !any; x += 4) any = (XGetPixel(img, x, y) & 0xFFFFFF) != 0;
    XDestroyImage(img);
    return any;
}

int IgnoreXErrors(Display*, XErrorEvent*) { return 0; }  // a window may vanish while looked at

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: zandrove-startup-probe GAME [ARGS...]\n");
        return 2;
    }
    Display* d = XOpenDisplay(nullptr);
    if (!d) {
        std::fprintf(stderr, "zandrove-startup-probe: cannot open the display\n");
        return 1;
    }
    XSetErrorHandler(IgnoreXErrors);
    const double start = NowMs();
    const pid_t game = fork();
    if (game == 0) {
        execv(argv[1], argv + 1);
        std::perror(argv[1]);
        _exit(127);
    }
    Window w = 0;
    double windowMs = -1, frameMs = -1;
    int status = 0;
    bool exited = false;
    while (NowMs() - start < kGiveUpMs) {
        if (waitpid(game, &status, WNOHANG) == game) {
            exited = true;
            break;
        }
        if (!w) {
            w = FindTitled(d, DefaultRootWindow(d));
            if (w) windowMs = NowMs() - start;
        }
        if (w && ShowsSomething(d, w)) {
            frameMs = NowMs() - start;
            break;
        }
        usleep(1000);
    }
    if (!exited) {
        kill(game, SIGINT);  // the game's own clean shutdown
        waitpid(game, &status, 0);
    }
    XCloseDisplay(d);
    std::printf("window_ms=%.1f first_frame_ms=%.1f exit=%d\n", windowMs, frameMs,
                WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status));
    return windowMs >= 0 && frameMs >= 0 ? 0 : 1;
}
