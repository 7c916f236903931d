// dovanel_mapwatch TITLE TIMEOUT_SECONDS PROGRAM [ARGS...]
//
// Prints "mapped_ms X": from just before fork/exec of PROGRAM to the X server reporting the
// map of a top-level window named exactly TITLE. The root window's SubstructureNotify is
// selected before the fork, so the MapNotify wakes us at once: no polling delay in the figure.
// The program is then terminated. Exit status 0 on success, 2 on any failure.

#include <xcb/xcb.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

xcb_atom_t atom(xcb_connection_t* c, const char* name)
{
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return a;
}

std::string property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t name)
{
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        c, xcb_get_property(c, 0, w, name, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024), nullptr);
    std::string value;
    if (reply && reply->format == 8)
        value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                     std::size_t(xcb_get_property_value_length(reply)));
    std::free(reply);
    return value;
}

void stop(pid_t pid)
{
    kill(pid, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) return;
        usleep(10000);
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

int failWith(const char* why, pid_t pid = 0)
{
    std::fprintf(stderr, "dovanel_mapwatch: %s\n", why);
    if (pid > 0) stop(pid);
    return 2;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 4)
        return failWith("usage: dovanel_mapwatch TITLE TIMEOUT_SECONDS PROGRAM [ARGS...]");
    const std::string title = argv[1];
    const auto timeout = std::chrono::seconds(std::atoi(argv[2]));

    int screenNumber = 0;
    xcb_connection_t* c = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(c)) return failWith("cannot connect to the X server");
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber; ++i)
        xcb_screen_next(&it);
    const xcb_window_t root = it.data->root;

    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    if (xcb_generic_error_t* error = xcb_request_check(
            c, xcb_change_window_attributes_checked(c, root, XCB_CW_EVENT_MASK, &mask))) {
        std::free(error);
        return failWith("cannot select SubstructureNotify on the root window");
    }
    const xcb_atom_t netWmName = atom(c, "_NET_WM_NAME");

    const Clock::time_point start = Clock::now();
    const pid_t pid = fork();
    if (pid < 0) return failWith("fork failed");
    if (pid == 0) {
        execvp(argv[3], argv + 3);
        std::fprintf(stderr, "dovanel_mapwatch: cannot run %s: %s\n", argv[3],
                     std::strerror(errno));
        _exit(127);
    }

    const int fd = xcb_get_file_descriptor(c);
    for (;;) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            const Clock::time_point at = Clock::now();
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
                const xcb_window_t window = map->window;
                std::free(event);
                if (property(c, window, netWmName) == title ||
                    property(c, window, XCB_ATOM_WM_NAME) == title) {
                    std::printf("mapped_ms %.3f\n",
                                std::chrono::duration<double, std::milli>(at - start).count());
                    std::fflush(stdout);
                    stop(pid);
                    xcb_disconnect(c);
                    return 0;
                }
                continue;
            }
            std::free(event);
        }
        if (xcb_connection_has_error(c)) return failWith("lost the X server", pid);
        if (waitpid(pid, nullptr, WNOHANG) == pid)
            return failWith("the program exited before its window was mapped");
        if (Clock::now() - start > timeout) return failWith("no window mapped in time", pid);
        // The poll wakes on the event itself; the slice only bounds how late a dead child is seen.
        pollfd p{fd, POLLIN, 0};
        poll(&p, 1, 100);
    }
}
