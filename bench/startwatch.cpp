// Starts a program on the current X display and measures it from outside:
// the milliseconds from starting the process to the first window whose title
// matches --shown being on the screen, and the resident memory once a window
// titled --settled is up (after --settle-ms more). The program is then
// killed. A window counts as shown when the window manager lists it among
// its clients, or, with no window manager, when it is mapped.
//
//   startwatch --shown TITLE [--settled TITLE] [--settle-ms N] [--runs N] -- program...
//
// Prints one line per run: "<ms> <rss kB>" (rss 0 when not asked for).
#include <xcb/xcb.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    auto *reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t a = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    std::free(reply);
    return a;
}

std::string title(xcb_connection_t *c, xcb_window_t w, xcb_atom_t netWmName, xcb_atom_t utf8)
{
    for (auto [property, type] :
         {std::pair{netWmName, utf8}, std::pair<xcb_atom_t, xcb_atom_t>{XCB_ATOM_WM_NAME, XCB_ATOM_STRING}}) {
        auto *reply = xcb_get_property_reply(c, xcb_get_property(c, 0, w, property, type, 0, 1024), nullptr);
        if (reply && xcb_get_property_value_length(reply) > 0) {
            std::string s(static_cast<const char *>(xcb_get_property_value(reply)),
                          static_cast<std::size_t>(xcb_get_property_value_length(reply)));
            std::free(reply);
            return s;
        }
        std::free(reply);
    }
    return {};
}

std::vector<xcb_window_t> clients(xcb_connection_t *c, xcb_window_t root, xcb_atom_t list)
{
    std::vector<xcb_window_t> out;
    auto *reply = xcb_get_property_reply(c, xcb_get_property(c, 0, root, list, XCB_ATOM_WINDOW, 0, 4096), nullptr);
    if (reply) {
        auto *w = static_cast<xcb_window_t *>(xcb_get_property_value(reply));
        out.assign(w, w + xcb_get_property_value_length(reply) / 4);
        std::free(reply);
    }
    return out;
}

pid_t windowPid(xcb_connection_t *c, xcb_window_t w, xcb_atom_t netWmPid)
{
    auto *reply = xcb_get_property_reply(c, xcb_get_property(c, 0, w, netWmPid, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    pid_t pid = 0;
    if (reply && xcb_get_property_value_length(reply) == 4)
        pid = static_cast<pid_t>(*static_cast<uint32_t *>(xcb_get_property_value(reply)));
    std::free(reply);
    return pid;
}

long rssKb(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    std::string shown, settled;
    bool haveShown = false;
    int settleMs = 1500, runs = 1;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        const std::string a = argv[i];
        if (a == "--shown" && i + 1 < argc) {
            shown = argv[++i]; // "" matches any window, the untitled splash among them
            haveShown = true;
        } else if (a == "--settled" && i + 1 < argc)
            settled = argv[++i];
        else if (a == "--settle-ms" && i + 1 < argc)
            settleMs = std::atoi(argv[++i]);
        else if (a == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
    }
    if (!haveShown || i + 1 >= argc) {
        std::fprintf(stderr,
                     "usage: startwatch --shown TITLE [--settled TITLE] [--settle-ms N] [--runs N] -- program...\n");
        return 2;
    }
    char **program = argv + i + 1;

    xcb_connection_t *c = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(c)) {
        std::fprintf(stderr, "startwatch: no X display\n");
        return 2;
    }
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    const xcb_atom_t clientList = atom(c, "_NET_CLIENT_LIST");
    const xcb_atom_t netWmName = atom(c, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(c, "UTF8_STRING");
    const xcb_atom_t netWmPid = atom(c, "_NET_WM_PID");
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);

    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        pid_t pid = 0;
        if (posix_spawn(&pid, program[0], nullptr, nullptr, program, environ) != 0) {
            std::perror("startwatch: spawn");
            return 1;
        }
        double shownMs = -1;
        long rss = 0;
        const std::string *waitingFor = &shown;
        const auto deadline = start + std::chrono::seconds(60);
        // Only windows of this run's process count: window ids are reused.
        auto matches = [&](xcb_window_t w) {
            return windowPid(c, w, netWmPid) == pid
                   && title(c, w, netWmName, utf8).find(*waitingFor) != std::string::npos;
        };
        while (waitingFor && Clock::now() < deadline) {
            xcb_generic_event_t *e = xcb_poll_for_event(c);
            if (!e) {
                std::this_thread::sleep_for(std::chrono::microseconds(200));
                continue;
            }
            bool hit = false;
            const uint8_t type = e->response_type & 0x7F;
            if (type == XCB_PROPERTY_NOTIFY && reinterpret_cast<xcb_property_notify_event_t *>(e)->atom == clientList) {
                for (xcb_window_t w : clients(c, root, clientList))
                    hit = hit || matches(w);
            } else if (type == XCB_MAP_NOTIFY) {
                const xcb_window_t w = reinterpret_cast<xcb_map_notify_event_t *>(e)->window;
                if (clientList == XCB_ATOM_NONE || clients(c, root, clientList).empty())
                    hit = matches(w);
            }
            std::free(e);
            if (!hit)
                continue;
            if (waitingFor == &shown) {
                shownMs = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
                if (settled.empty())
                    waitingFor = nullptr;
                else if (settled == shown) {
                    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
                    rss = rssKb(pid);
                    waitingFor = nullptr;
                } else {
                    waitingFor = &settled;
                }
            } else {
                std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
                rss = rssKb(pid);
                waitingFor = nullptr;
            }
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        std::printf("%.1f %ld\n", shownMs, rss);
        std::fflush(stdout);
    }
    xcb_disconnect(c);
    return 0;
}
