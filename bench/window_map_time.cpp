// Not a test: runs a program and prints the milliseconds from its start to the
// first window it maps, as the X server reports it. Polling for the window from
// outside would add its own delay; scripts/measure.sh runs it under Xvfb, where
// there is no window manager and a program's windows are the root's children.
// Usage: window_map_time PROGRAM [ARGUMENT...]
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fputs("Usage: window_map_time PROGRAM [ARGUMENT...]\n", stderr);
        return 2;
    }
    xcb_connection_t* x = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(x) != 0) {
        std::fputs("window_map_time: no X display\n", stderr);
        return 1;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
    const uint32_t events = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(x, root, XCB_CW_EVENT_MASK, &events);
    // A round trip: the server has taken the mask before the program starts.
    std::free(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));

    const auto start = std::chrono::steady_clock::now();
    pid_t program = 0;
    if (posix_spawnp(&program, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
        std::fprintf(stderr, "window_map_time: cannot run %s\n", argv[1]);
        return 1;
    }
    bool mapped = false;
    while (!mapped) {
        const std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(
            xcb_wait_for_event(x), &std::free);
        if (!event)
            break;
        mapped = (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
    }
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    ::kill(program, SIGTERM);
    ::waitpid(program, nullptr, 0);
    xcb_disconnect(x);
    if (!mapped)
        return 1;
    std::printf("%.0f\n", took.count());
    return 0;
}
