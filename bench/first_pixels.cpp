// lirra_first_pixels PROGRAM [ARGS...]: starts PROGRAM on the X display of $DISPLAY and
// prints the milliseconds from its launch until its window shows text, as a user sees
// it: the first moment the window's book area (below the menu bar, above the status
// line, left of the scroll bar) holds light pixels on the reader's black page. The
// reader opens in its small restored frame and is then maximised by the window manager,
// so a second figure follows: until the maximised window shows text in the lower half
// of its page, which the small frame does not reach, so it has been painted at the full
// size. The program is then ended with SIGTERM. Exits 1 when either does not show
// within 60 s.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <chrono>
#include <cstdio>
#include <optional>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

// The margins of the window that are not the book's page, generously.
constexpr int kMenuBar = 45;
constexpr int kBelowPage = 50;     // status line and horizontal scroll bar
constexpr int kRightOfPage = 30;   // vertical scroll bar
// Enough lit pixels to be a few letters, not a stray line of the frame.
constexpr int kTextPixels = 200;

std::optional<long> pidOf(Display* display, Window window)
{
    static const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", True);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (pidAtom == None || XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                                              &count, &after, &data) != Success || !data)
        return std::nullopt;
    const std::optional<long> pid = count == 1 ? std::optional(long(*reinterpret_cast<unsigned long*>(data))) : std::nullopt;
    XFree(data);
    return pid;
}

// The program's mapped top-level window, under a window manager's frame or not.
Window findWindow(Display* display, Window under, long pid)
{
    Window root = 0, parent = 0, *children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display, under, &root, &parent, &children, &count))
        return 0;
    Window found = 0;
    for (unsigned int i = 0; i < count && !found; ++i) {
        XWindowAttributes attributes{};
        if (!XGetWindowAttributes(display, children[i], &attributes) || attributes.map_state != IsViewable)
            continue;
        found = pidOf(display, children[i]) == pid ? children[i] : findWindow(display, children[i], pid);
    }
    if (children)
        XFree(children);
    return found;
}

// Whether the window covers nine tenths of the screen each way: maximised.
bool maximised(const XWindowAttributes& window, const XWindowAttributes& root)
{
    return window.width * 10 >= root.width * 9 && window.height * 10 >= root.height * 9;
}

// Text in the window's page; `lowerHalf`: in the lower half of the page of a maximised window.
bool showsText(Display* display, Window window, bool lowerHalf)
{
    XWindowAttributes attributes{}, root{};
    if (!XGetWindowAttributes(display, window, &attributes) ||
        !XGetWindowAttributes(display, DefaultRootWindow(display), &root))
        return false;
    if (lowerHalf && !maximised(attributes, root))
        return false;
    const int width = attributes.width - kRightOfPage, page = attributes.height - kMenuBar - kBelowPage;
    const int top = kMenuBar + (lowerHalf ? page / 2 : 0), height = lowerHalf ? page - page / 2 : page;
    if (width <= 0 || height <= 0)
        return false;
    XImage* image = XGetImage(display, window, 0, top, unsigned(width), unsigned(height), AllPlanes, ZPixmap);
    if (!image)
        return false;
    int lit = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned long pixel = XGetPixel(image, x, y);
            const int r = int(pixel >> 16 & 0xFF), g = int(pixel >> 8 & 0xFF), b = int(pixel & 0xFF);
            lit += (r > 96 && g > 96 && b > 96) ? 1 : 0;
        }
    XDestroyImage(image);
    return lit >= kTextPixels;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: lirra_first_pixels PROGRAM [ARGS...]\n");
        return 2;
    }
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "lirra_first_pixels: no X display\n");
        return 2;
    }
    // A window caught while it is being unmapped or resized answers with an error: it is
    // looked at again on the next round.
    XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    const auto launched = Clock::now();
    const pid_t child = fork();
    if (child == 0) {
        execv(argv[1], argv + 1);
        _exit(127);
    }
    const auto deadline = launched + std::chrono::seconds(60);
    std::optional<double> shown, shownMaximised;
    Window window = 0;
    const auto since = [&] { return std::chrono::duration<double, std::milli>(Clock::now() - launched).count(); };
    while (!shownMaximised && Clock::now() < deadline && waitpid(child, nullptr, WNOHANG) == 0) {
        if (!window)
            window = findWindow(display, DefaultRootWindow(display), child);
        if (window && !shown && showsText(display, window, false))
            shown = since();
        if (window && shown && showsText(display, window, true))
            shownMaximised = since();
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    kill(child, SIGTERM);
    waitpid(child, nullptr, 0);
    XCloseDisplay(display);
    if (!shownMaximised)
        return 1;
    std::printf("%.0f %.0f\n", *shown, *shownMaximised);
    return 0;
}
