/* A small X helper for the end-to-end tests and the benchmarks: what the shell
 * tools cannot do, or cannot do fast enough.
 *
 *   xhelper find TITLE TIMEOUT_MS
 *       waits for a top-level window named TITLE and prints its id (decimal).
 *   xhelper close WINDOW
 *       sends WINDOW the window manager's WM_DELETE_WINDOW message, as a click
 *       on its close button would.
 *   xhelper probe WINDOW X Y [X Y ...]
 *       prints the colour of each pixel (window coordinates) as RRGGBB.
 *   xhelper wait TITLE TIMEOUT_MS X Y RRGGBB [X Y RRGGBB ...]
 *       waits until a window named TITLE shows every given colour at its
 *       pixel, then prints the CLOCK_MONOTONIC time of that moment in seconds.
 *
 * Exit status: 0 on success, 1 on a timeout, 2 on bad arguments or no display.
 */
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>

static double Now(void)
{
    struct timespec ts;
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return ts.tv_sec + ts.tv_nsec / 1e9;
}

static void SleepMs(int ms)
{
    struct timespec ts = {ms / 1000, (ms % 1000) * 1000000L};
    nanosleep(&ts, NULL);
}

static int IgnoreErrors(Display* d, XErrorEvent* e)
{
    (void)d;
    (void)e;
    return 0;
}

/* Depth-first search under w for a window whose WM_NAME is title. */
static Window FindUnder(Display* d, Window w, const char* title)
{
    char* name = NULL;
    if (XFetchName(d, w, &name) && name) {
        int same = strcmp(name, title) == 0;
        XFree(name);
        if (same)
            return w;
    }
    Window root, parent, *kids = NULL;
    unsigned int n = 0;
    Window found = 0;
    if (!XQueryTree(d, w, &root, &parent, &kids, &n))
        return 0;
    for (unsigned int i = 0; i < n && !found; i++)
        found = FindUnder(d, kids[i], title);
    if (kids)
        XFree(kids);
    return found;
}

static Window WaitWindow(Display* d, const char* title, double deadline)
{
    for (;;) {
        Window w = FindUnder(d, DefaultRootWindow(d), title);
        if (w)
            return w;
        if (Now() > deadline)
            return 0;
        SleepMs(2);
    }
}

/* The pixel's colour as 0xRRGGBB, or -1 when it cannot be read (the window is
 * not mapped yet, or the point lies outside it). */
static long Pixel(Display* d, Window w, int x, int y)
{
    XImage* img = XGetImage(d, w, x, y, 1, 1, AllPlanes, ZPixmap);
    if (!img)
        return -1;
    unsigned long p = XGetPixel(img, 0, 0);
    Visual* v = DefaultVisual(d, DefaultScreen(d));
    XDestroyImage(img);
    /* Each channel's bits, shifted down from wherever the visual keeps them. */
    unsigned long masks[3] = {v->red_mask, v->green_mask, v->blue_mask};
    long out = 0;
    for (int c = 0; c < 3; c++) {
        unsigned long m = masks[c], val = p & m;
        while (m && !(m & 1)) {
            m >>= 1;
            val >>= 1;
        }
        out = (out << 8) | (long)(val & 0xff);
    }
    return out;
}

static int Usage(void)
{
    fputs("usage: xhelper find TITLE TIMEOUT_MS | close WINDOW | probe WINDOW X Y... |"
          " wait TITLE TIMEOUT_MS X Y RRGGBB...\n", stderr);
    return 2;
}

int main(int argc, char** argv)
{
    if (argc < 3)
        return Usage();
    Display* d = XOpenDisplay(NULL);
    if (!d) {
        fputs("xhelper: cannot open the X display\n", stderr);
        return 2;
    }
    /* Windows come and go while we look: a vanished one is not an error. */
    XSetErrorHandler(IgnoreErrors);
    const char* cmd = argv[1];

    if (strcmp(cmd, "find") == 0 && argc == 4) {
        Window w = WaitWindow(d, argv[2], Now() + atoi(argv[3]) / 1000.0);
        if (!w)
            return 1;
        printf("%lu\n", (unsigned long)w);
        return 0;
    }

    if (strcmp(cmd, "close") == 0 && argc == 3) {
        Window w = (Window)strtoul(argv[2], NULL, 0);
        XEvent ev;
        memset(&ev, 0, sizeof ev);
        ev.xclient.type = ClientMessage;
        ev.xclient.window = w;
        ev.xclient.message_type = XInternAtom(d, "WM_PROTOCOLS", False);
        ev.xclient.format = 32;
        ev.xclient.data.l[0] = (long)XInternAtom(d, "WM_DELETE_WINDOW", False);
        ev.xclient.data.l[1] = CurrentTime;
        XSendEvent(d, w, False, NoEventMask, &ev);
        XSync(d, False);
        return 0;
    }

    if (strcmp(cmd, "probe") == 0 && argc >= 5 && (argc - 3) % 2 == 0) {
        Window w = (Window)strtoul(argv[2], NULL, 0);
        for (int i = 3; i < argc; i += 2) {
            long p = Pixel(d, w, atoi(argv[i]), atoi(argv[i + 1]));
            if (p < 0)
                return 1;
            printf("%06lx\n", p);
        }
        return 0;
    }

    if (strcmp(cmd, "wait") == 0 && argc >= 7 && (argc - 4) % 3 == 0) {
        double deadline = Now() + atoi(argv[3]) / 1000.0;
        Window w = WaitWindow(d, argv[2], deadline);
        if (!w)
            return 1;
        for (;;) {
            int all = 1;
            for (int i = 4; i < argc && all; i += 3)
                all = Pixel(d, w, atoi(argv[i]), atoi(argv[i + 1])) == strtol(argv[i + 2], NULL, 16);
            if (all) {
                printf("%.6f\n", Now());
                return 0;
            }
            if (Now() > deadline)
                return 1;
            SleepMs(1);
        }
    }
    return Usage();
}
