// Times a program the way a user feels it, on the X screen of $DISPLAY:
//
//   timing start PROGRAM [ARGS...]
//       milliseconds from starting the program to its first window being
//       mapped; the program is then ended.
//   timing click X Y PROGRAM [ARGS...]
//       once the window is mapped and has settled, milliseconds from a click
//       at (X, Y) to the program's end (it is expected to end by itself).
//   timing read LINE PROGRAM [ARGS...]
//       the same from a keyboard-wedge reader's last character: LINE typed
//       as a reader types it, then its Enter and the cashier's, timed from
//       those.
//
// Prints the one number on its output; exits 1 when it could not measure.
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <poll.h>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double millisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

pid_t launch(char **argv)
{
    const pid_t pid = fork();
    if (pid == 0) {
        execvp(argv[0], argv);
        std::perror(argv[0]);
        _exit(127);
    }
    return pid;
}

// Waits for a top-level window to be mapped; false after `timeoutMs`.
bool waitForMap(xcb_connection_t *connection, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
    for (;;) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(connection)) {
            const bool mapped = (event->response_type & ~0x80) == XCB_MAP_NOTIFY &&
                                !reinterpret_cast<xcb_map_notify_event_t *>(event)->override_redirect;
            std::free(event);
            if (mapped)
                return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
        if (left <= 0 || xcb_connection_has_error(connection))
            return false;
        poll(&fd, 1, int(left));
    }
}

bool waitForEnd(pid_t pid, int timeoutMs)
{
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
        int status = 0;
        if (waitpid(pid, &status, WNOHANG) == pid)
            return true;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    return false;
}

void end(pid_t pid)
{
    kill(pid, SIGTERM);
    if (!waitForEnd(pid, 5000)) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
    }
}

} // namespace

int main(int argc, char **argv)
{
    const bool click = argc > 4 && std::strcmp(argv[1], "click") == 0;
    const bool read = argc > 3 && std::strcmp(argv[1], "read") == 0;
    const bool start = argc > 2 && std::strcmp(argv[1], "start") == 0;
    if (!click && !read && !start) {
        std::fprintf(stderr,
                     "usage: %s start PROGRAM [ARGS...] | click X Y PROGRAM [ARGS...] | read LINE PROGRAM [ARGS...]\n",
                     argv[0]);
        return 2;
    }
    xcb_connection_t *connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "no X screen on DISPLAY\n");
        return 1;
    }
    // Every window mapped on the screen is told to us.
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection);

    char **program = argv + (click ? 4 : read ? 3 : 2);
    const Clock::time_point started = Clock::now();
    const pid_t pid = launch(program);
    if (!waitForMap(connection, 30000)) {
        std::fprintf(stderr, "%s: no window within 30 s\n", program[0]);
        end(pid);
        return 1;
    }
    if (start) {
        std::printf("%.1f\n", millisecondsSince(started));
        end(pid);
        return 0;
    }

    // Settled: painted, and whatever it does after its first paint done.
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    if (read && std::system((std::string("xdotool type --delay 2 '") + argv[2] + "'").c_str()) != 0) {
        end(pid);
        return 1;
    }
    const std::string command = read ? std::string("xdotool key --delay 0 Return Return")
                                     : std::string("xdotool mousemove ") + argv[2] + " " + argv[3] + " click 1";
    const Clock::time_point clicked = Clock::now();
    if (std::system(command.c_str()) != 0) {
        end(pid);
        return 1;
    }
    if (!waitForEnd(pid, 30000)) {
        std::fprintf(stderr, "%s: did not end within 30 s of the click\n", program[0]);
        end(pid);
        return 1;
    }
    std::printf("%.1f\n", millisecondsSince(clicked));
    xcb_disconnect(connection);
    return 0;
}
