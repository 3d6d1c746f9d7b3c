// Starts a program on the current X display and measures it from outside:
// the milliseconds from starting the process to the first window whose title
// matches --shown being on the screen, and the resident memory once a window
// titled --settled is up (after --settle-ms more). The program is then
// killed. A window counts as shown when the window manager lists it among
// its clients, or, with no window manager, when it is mapped.
//
// What is painted is read from the X server's damage reports, which tell
// each change of the screen's pixels as it happens:
//   --key RRGGBB  once the --shown window is painted (at least a hundred of
//          its pixels on the screen have that colour: the splash's title is
//          pure red), presses and releases a key that types a character,
//          as a person would, through the X server's input; with
//          --key-delay MS, that many milliseconds later (a person's moment).
//   --painted TITLE  once a window titled TITLE is listed, waits for the
//          screen to settle (--quiet-ms without a change) and takes the time
//          of its last change: the window painted with its content. A text
//          cursor's blinking is no change of content and is left out.
// With --painted, --settled measures memory once the screen has settled.
//
//   startwatch --shown TITLE [--key RRGGBB] [--painted TITLE] [--quiet-ms N]
//              [--settled TITLE] [--settle-ms N] [--runs N] -- program...
//
// Prints one line per run: "<shown ms> <rss kB> <painted ms> <shown painted
// ms> <key ms>", all from the process's start (rss 0 and the others -1 when
// not asked for).
#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

// Sleeps until the X server has something to say or the time comes, so that
// the watcher takes no processor time from the program it watches.
void waitForEvent(xcb_connection_t *c, Clock::time_point until)
{
    const auto left = std::max(until - Clock::now(), Clock::duration::zero());
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
    const timespec timeout{static_cast<time_t>(ns / 1000000000), static_cast<long>(ns % 1000000000)};
    pollfd fd{xcb_get_file_descriptor(c), POLLIN, 0};
    ppoll(&fd, 1, &timeout, nullptr);
}

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

struct Rect {
    int x = 0, y = 0, w = 0, h = 0;
    [[nodiscard]] long area() const { return long(w) * h; }
    [[nodiscard]] Rect intersected(const Rect &o) const
    {
        const int left = std::max(x, o.x), top = std::max(y, o.y);
        const int right = std::min(x + w, o.x + o.w), bottom = std::min(y + h, o.y + o.h);
        return right > left && bottom > top ? Rect{left, top, right - left, bottom - top} : Rect{};
    }
};

// Where a window stands on the screen.
Rect onScreen(xcb_connection_t *c, xcb_window_t w, xcb_window_t root)
{
    Rect r;
    auto *geometry = xcb_get_geometry_reply(c, xcb_get_geometry(c, w), nullptr);
    auto *origin = xcb_translate_coordinates_reply(c, xcb_translate_coordinates(c, w, root, 0, 0), nullptr);
    if (geometry && origin)
        r = {origin->dst_x, origin->dst_y, geometry->width, geometry->height};
    std::free(geometry);
    std::free(origin);
    return r;
}

// A blinking text cursor: a thin upright bar.
bool isCursorBlink(const Rect &r)
{
    return r.w <= 4 && r.h <= 48;
}

xcb_keycode_t keycodeOf(xcb_connection_t *c, xcb_keysym_t keysym)
{
    const xcb_setup_t *setup = xcb_get_setup(c);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    auto *reply = xcb_get_keyboard_mapping_reply(
        c, xcb_get_keyboard_mapping(c, setup->min_keycode, static_cast<uint8_t>(count)), nullptr);
    xcb_keycode_t found = 0;
    if (reply) {
        const xcb_keysym_t *syms = xcb_get_keyboard_mapping_keysyms(reply);
        for (int k = 0; k < count && !found; ++k) {
            for (int i = 0; i < reply->keysyms_per_keycode; ++i) {
                if (syms[k * reply->keysyms_per_keycode + i] == keysym) {
                    found = static_cast<xcb_keycode_t>(setup->min_keycode + k);
                    break;
                }
            }
        }
    }
    std::free(reply);
    return found;
}

// How many pixels of a part of the screen have a colour (24-bit screens).
long countColour(xcb_connection_t *c, xcb_window_t root, const Rect &r, uint32_t rgb)
{
    auto *image = xcb_get_image_reply(c,
                                      xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, root, static_cast<int16_t>(r.x),
                                                    static_cast<int16_t>(r.y), static_cast<uint16_t>(r.w),
                                                    static_cast<uint16_t>(r.h), ~0u),
                                      nullptr);
    long n = 0;
    if (image && image->depth == 24) {
        const auto *pixels = reinterpret_cast<const uint32_t *>(xcb_get_image_data(image));
        const int count = xcb_get_image_data_length(image) / 4;
        for (int i = 0; i < count; ++i)
            n += (pixels[i] & 0xFFFFFF) == rgb;
    }
    std::free(image);
    return n;
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
    std::string shown, settled, painted;
    bool haveShown = false, key = false;
    int keyDelayMs = 0;
    uint32_t keyColour = 0;
    int settleMs = 1500, quietMs = 1000, runs = 1;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        const std::string a = argv[i];
        if (a == "--shown" && i + 1 < argc) {
            shown = argv[++i]; // "" matches any window, the untitled splash among them
            haveShown = true;
        } else if (a == "--settled" && i + 1 < argc)
            settled = argv[++i];
        else if (a == "--painted" && i + 1 < argc)
            painted = argv[++i];
        else if (a == "--key-delay" && i + 1 < argc)
            keyDelayMs = std::atoi(argv[++i]);
        else if (a == "--key" && i + 1 < argc) {
            key = true;
            keyColour = static_cast<uint32_t>(std::strtoul(argv[++i], nullptr, 16));
        } else if (a == "--settle-ms" && i + 1 < argc)
            settleMs = std::atoi(argv[++i]);
        else if (a == "--quiet-ms" && i + 1 < argc)
            quietMs = std::atoi(argv[++i]);
        else if (a == "--runs" && i + 1 < argc)
            runs = std::atoi(argv[++i]);
    }
    if (!haveShown || i + 1 >= argc) {
        std::fprintf(stderr,
                     "usage: startwatch --shown TITLE [--key RRGGBB [--key-delay MS]] [--painted TITLE] [--quiet-ms N] "
                     "[--settled TITLE] [--settle-ms N] [--runs N] -- program...\n");
        return 2;
    }
    const bool watchPaint = key || !painted.empty();
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

    // Every change of the screen's pixels, as it is made.
    uint8_t damageEvent = 0;
    xcb_keycode_t space = 0;
    if (watchPaint) {
        const xcb_query_extension_reply_t *damage = xcb_get_extension_data(c, &xcb_damage_id);
        if (!damage || !damage->present) {
            std::fprintf(stderr, "startwatch: the X server reports no damage\n");
            return 2;
        }
        std::free(xcb_damage_query_version_reply(c, xcb_damage_query_version(c, 1, 1), nullptr));
        damageEvent = damage->first_event + XCB_DAMAGE_NOTIFY;
        xcb_damage_create(c, xcb_generate_id(c), root, XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
        if (key) {
            const xcb_query_extension_reply_t *test = xcb_get_extension_data(c, &xcb_test_id);
            space = keycodeOf(c, 0x20);
            if (!test || !test->present || !space) {
                std::fprintf(stderr, "startwatch: cannot type on this X server\n");
                return 2;
            }
        }
    }
    xcb_flush(c);

    const bool log = std::getenv("STARTWATCH_LOG") != nullptr;
    for (int run = 0; run < runs; ++run) {
        // What the last run's windows leave behind as they go is no change of this one's.
        if (watchPaint) {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            while (xcb_generic_event_t *e = xcb_poll_for_event(c))
                std::free(e);
        }
        const auto start = Clock::now();
        auto msSince = [&](Clock::time_point t) {
            return std::chrono::duration<double, std::milli>(t - start).count();
        };
        pid_t pid = 0;
        if (posix_spawn(&pid, program[0], nullptr, nullptr, program, environ) != 0) {
            std::perror("startwatch: spawn");
            return 1;
        }
        enum class Step { Shown, ShownPainted, Listed, Quiet, Settled, Done };
        Step step = Step::Shown;
        double shownMs = -1, paintedMs = -1, shownPaintedMs = -1, keyMs = -1;
        long rss = 0;
        Rect shownRect;
        bool shownChanged = false;
        Clock::time_point lastChange = start, quietFrom = start, settledAt = start;
        // The window may be painted before the window manager lists it.
        std::vector<std::pair<Clock::time_point, Rect>> changes;
        const auto deadline = start + std::chrono::seconds(60);
        // Only windows of this run's process count: window ids are reused.
        auto matching = [&](xcb_window_t w, const std::string &wanted) {
            return windowPid(c, w, netWmPid) == pid && title(c, w, netWmName, utf8).find(wanted) != std::string::npos;
        };
        auto findListed = [&](const std::string &wanted) -> xcb_window_t {
            for (xcb_window_t w : clients(c, root, clientList)) {
                if (matching(w, wanted))
                    return w;
            }
            return XCB_WINDOW_NONE;
        };
        auto afterShown = [&](Clock::time_point now) {
            if (!painted.empty()) {
                step = Step::Listed;
            } else if (settled.empty()) {
                step = Step::Done;
            } else if (settled == shown) {
                step = Step::Settled;
                settledAt = now;
            } else {
                step = Step::Settled;
                settledAt = Clock::time_point::max();
            }
        };
        auto pressKey = [&] {
            xcb_test_fake_input(c, XCB_KEY_PRESS, space, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0);
            xcb_test_fake_input(c, XCB_KEY_RELEASE, space, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0, 0);
            xcb_flush(c);
            keyMs = msSince(Clock::now());
            if (log)
                std::fprintf(stderr, "%8.1f key @%.1f\n", keyMs,
                             std::chrono::duration<double, std::milli>(Clock::now().time_since_epoch()).count());
        };
        // Looked at once the changes of the moment are all in.
        auto coverShown = [&](Clock::time_point, const Rect &r) {
            if (step == Step::ShownPainted && r.intersected(shownRect).area() > 0)
                shownChanged = true;
        };
        while (step != Step::Done && Clock::now() < deadline) {
            xcb_generic_event_t *e = xcb_poll_for_event(c);
            const auto now = Clock::now();
            if (!e) {
                if (step == Step::ShownPainted && shownChanged) {
                    shownChanged = false;
                    if (countColour(c, root, shownRect, keyColour) >= 100) {
                        shownPaintedMs = msSince(now);
                        // A person's key comes a moment after they see the window.
                        if (keyDelayMs > 0)
                            std::this_thread::sleep_for(std::chrono::milliseconds(keyDelayMs));
                        pressKey();
                        step = Step::Listed;
                    }
                    continue;
                }
                if (step == Step::Quiet
                    && now - std::max(lastChange, quietFrom) >= std::chrono::milliseconds(quietMs)) {
                    paintedMs = msSince(lastChange);
                    if (!settled.empty())
                        rss = rssKb(pid);
                    step = Step::Done;
                } else if (step == Step::Settled && settledAt != Clock::time_point::max()
                           && now - settledAt >= std::chrono::milliseconds(settleMs)) {
                    rss = rssKb(pid);
                    step = Step::Done;
                } else if (step == Step::Quiet) {
                    waitForEvent(c, std::max(lastChange, quietFrom) + std::chrono::milliseconds(quietMs));
                } else if (step == Step::Settled && settledAt != Clock::time_point::max()) {
                    waitForEvent(c, settledAt + std::chrono::milliseconds(settleMs));
                } else {
                    waitForEvent(c, deadline);
                }
                continue;
            }
            const uint8_t type = e->response_type & 0x7F;
            const bool listChanged =
                type == XCB_PROPERTY_NOTIFY && reinterpret_cast<xcb_property_notify_event_t *>(e)->atom == clientList;
            // With no window manager, a window counts once it is mapped.
            const bool mapped =
                type == XCB_MAP_NOTIFY && (clientList == XCB_ATOM_NONE || clients(c, root, clientList).empty());
            if (watchPaint && type == damageEvent) {
                const auto *d = reinterpret_cast<xcb_damage_notify_event_t *>(e);
                const Rect r{d->area.x, d->area.y, d->area.width, d->area.height};
                if (log)
                    std::fprintf(stderr, "%8.1f damage %d,%d %dx%d @%.1f\n", msSince(now), r.x, r.y, r.w, r.h,
                                 std::chrono::duration<double, std::milli>(now.time_since_epoch()).count());
                if (!isCursorBlink(r))
                    lastChange = now;
                if (step == Step::Shown)
                    changes.emplace_back(now, r);
                else if (step == Step::ShownPainted)
                    coverShown(now, r);
            }
            if (step == Step::Shown && (listChanged || mapped)) {
                xcb_window_t hit = XCB_WINDOW_NONE;
                if (listChanged)
                    hit = findListed(shown);
                else if (matching(reinterpret_cast<xcb_map_notify_event_t *>(e)->window, shown))
                    hit = reinterpret_cast<xcb_map_notify_event_t *>(e)->window;
                if (hit != XCB_WINDOW_NONE) {
                    shownMs = msSince(now);
                    if (log)
                        std::fprintf(stderr, "%8.1f shown\n", shownMs);
                    if (key) {
                        shownRect = onScreen(c, hit, root);
                        step = Step::ShownPainted;
                        for (const auto &[when, r] : changes)
                            coverShown(when, r);
                    } else {
                        afterShown(now);
                    }
                }
            }
            if (step == Step::Listed && (listChanged || mapped) && findListed(painted) != XCB_WINDOW_NONE) {
                step = Step::Quiet;
                quietFrom = now;
            }
            if (step == Step::Settled && settledAt == Clock::time_point::max() && (listChanged || mapped)
                && findListed(settled) != XCB_WINDOW_NONE)
                settledAt = now;
            std::free(e);
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        std::printf("%.1f %ld %.1f %.1f %.1f\n", shownMs, rss, paintedMs, shownPaintedMs, keyMs);
        std::fflush(stdout);
    }
    xcb_disconnect(c);
    return 0;
}
