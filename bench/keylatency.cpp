// dovanel_keylatency [options] TITLE TEXT -- PROGRAM [ARGS...]
//
// Starts PROGRAM, waits for its top-level window named exactly TITLE, gives it the keyboard
// and types TEXT through XTest, one key at a time: each key is timed from the fake press to
// the first XDamage report on that window, that is the first repaint it caused. The release
// follows, and the next key waits until the window has been quiet for a moment.
//
//   -r ROUNDS     type TEXT this many times (default 1)
//   -b KEY        sent between rounds, to whichever window has the keyboard: a character or
//                 ctrl+<character>
//   -d DIALOG=KEYS  first answer the window named DIALOG by typing KEYS ("\n" is Return)
//   -e TITLE      after each round's last key, also time until a window named TITLE first
//                 paints (shown_ms) and is mapped (mapped_ms)
//   -t SECONDS    bound of every wait (default 20)
//
// Prints "name value" lines: key_ms (one per key), keys, median_ms, p99_ms, max_ms, shown_ms
// and mapped_ms (one per round, with -e) and peak_rss_kb, the program's VmHWM just before it is
// terminated. Exit status 0 on success, 2 on any failure.

#include "bench/bench.h"

#include <xcb/damage.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <optional>
#include <poll.h>
#include <set>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

constexpr xcb_keysym_t keysymReturn = 0xff0d;
constexpr xcb_keysym_t keysymShift = 0xffe1;
constexpr xcb_keysym_t keysymControl = 0xffe3;
// A key is over when its window has painted nothing for this long.
constexpr auto quietFor = std::chrono::milliseconds(12);
// After a dialog closes or a round restarts, the program's 100 ms timer guides the first key.
constexpr auto afterRestart = std::chrono::milliseconds(400);

struct Key {
    xcb_keycode_t code = 0;
    bool shift = false;
    bool control = false;
};

struct Options {
    int rounds = 1;
    std::string between;
    std::string dialog;
    std::string dialogKeys;
    std::string endTitle;
    std::chrono::seconds timeout{20};
    std::string title;
    std::string text;
    char** program = nullptr;
};

pid_t child = 0; // the program under test, ended on any failure

[[noreturn]] void die(const char* why)
{
    std::fprintf(stderr, "dovanel_keylatency: %s\n", why);
    if (child > 0) {
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
    }
    std::exit(2);
}

std::optional<Options> parse(int argc, char** argv)
{
    Options o;
    int i = 1;
    for (; i + 1 < argc && argv[i][0] == '-' && std::strcmp(argv[i], "--") != 0; i += 2) {
        const std::string flag = argv[i];
        const char* value = argv[i + 1];
        if (flag == "-r")
            o.rounds = std::atoi(value);
        else if (flag == "-b")
            o.between = value;
        else if (flag == "-e")
            o.endTitle = value;
        else if (flag == "-t")
            o.timeout = std::chrono::seconds(std::atoi(value));
        else if (flag == "-d") {
            const std::string d = value;
            const auto eq = d.find('=');
            if (eq == std::string::npos) return std::nullopt;
            o.dialog = d.substr(0, eq);
            for (std::size_t k = eq + 1; k < d.size(); ++k) {
                if (d[k] == '\\' && k + 1 < d.size() && d[k + 1] == 'n') {
                    o.dialogKeys += '\n';
                    ++k;
                } else {
                    o.dialogKeys += d[k];
                }
            }
        } else {
            return std::nullopt;
        }
    }
    if (argc - i < 4 || std::strcmp(argv[i + 2], "--") != 0 || o.rounds < 1) return std::nullopt;
    o.title = argv[i];
    o.text = argv[i + 1];
    o.program = argv + i + 3;
    return o;
}

class Session {
public:
    explicit Session(const Options& options) : options_(options)
    {
        int screen = 0;
        c_ = xcb_connect(nullptr, &screen);
        if (xcb_connection_has_error(c_)) die("cannot connect to the X server");
        xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c_));
        for (int s = 0; s < screen; ++s)
            xcb_screen_next(&it);
        root_ = it.data->root;

        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(c_, &xcb_damage_id);
        const xcb_query_extension_reply_t* test = xcb_get_extension_data(c_, &xcb_test_id);
        if (!damage || !damage->present) die("the X server has no DAMAGE extension");
        if (!test || !test->present) die("the X server has no XTEST extension");
        damageNotify_ = damage->first_event + XCB_DAMAGE_NOTIFY;
        std::free(xcb_damage_query_version_reply(c_, xcb_damage_query_version(c_, 1, 1), nullptr));

        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(c_, root_, XCB_CW_EVENT_MASK, &mask);
        netWmName_ = atom("_NET_WM_NAME");
        loadKeymap();
    }

    ~Session()
    {
        if (pid_ > 0) stop();
        xcb_disconnect(c_);
    }

    void run()
    {
        start();
        const xcb_window_t main = waitForWindow(options_.title);
        if (!options_.dialog.empty()) answerDialog(waitForWindow(options_.dialog));
        for (int round = 0; round < options_.rounds; ++round) {
            if (round > 0 && !options_.between.empty()) {
                tap(keyFor(options_.between));
                pause(afterRestart);
            }
            focus(main);
            const double lastPress = typeTimed(main);
            if (!options_.endTitle.empty()) timeEndWindow(lastPress);
        }
        report();
    }

private:
    xcb_atom_t atom(const char* name)
    {
        xcb_intern_atom_reply_t* reply =
            xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, std::strlen(name), name), nullptr);
        const xcb_atom_t a = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return a;
    }

    std::string name(xcb_window_t w)
    {
        for (xcb_atom_t property : {netWmName_, xcb_atom_t(XCB_ATOM_WM_NAME)}) {
            xcb_get_property_reply_t* reply = xcb_get_property_reply(
                c_, xcb_get_property(c_, 0, w, property, XCB_GET_PROPERTY_TYPE_ANY, 0, 1024),
                nullptr);
            std::string value;
            if (reply && reply->format == 8)
                value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                             std::size_t(xcb_get_property_value_length(reply)));
            std::free(reply);
            if (!value.empty()) return value;
        }
        return {};
    }

    void loadKeymap()
    {
        const xcb_setup_t* setup = xcb_get_setup(c_);
        const int first = setup->min_keycode;
        const int count = setup->max_keycode - first + 1;
        xcb_get_keyboard_mapping_reply_t* reply = xcb_get_keyboard_mapping_reply(
            c_, xcb_get_keyboard_mapping(c_, xcb_keycode_t(first), uint8_t(count)), nullptr);
        if (!reply) die("cannot read the keyboard mapping");
        const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(reply);
        const int per = reply->keysyms_per_keycode;
        // The first keycode wins: a keysym on two keys is typed from the usual one.
        for (int k = 0; k < count; ++k)
            for (int column = 0; column < std::min(per, 2); ++column)
                if (xcb_keysym_t sym = syms[k * per + column]; sym && !keys_.count(sym))
                    keys_[sym] = {xcb_keycode_t(first + k), column == 1, false};
        std::free(reply);
    }

    Key keyFor(xcb_keysym_t sym)
    {
        const auto found = keys_.find(sym);
        if (found == keys_.end()) die("a character of the text has no key on this keyboard");
        return found->second;
    }

    Key keyFor(char c) { return keyFor(c == '\n' ? keysymReturn : xcb_keysym_t(c)); }

    Key keyFor(const std::string& name)
    {
        if (name.rfind("ctrl+", 0) == 0 && name.size() == 6) {
            Key k = keyFor(name[5]);
            k.control = true;
            return k;
        }
        if (name.size() != 1) die("a key between rounds is a character or ctrl+<character>");
        return keyFor(name[0]);
    }

    void fake(uint8_t type, xcb_keycode_t code)
    {
        xcb_test_fake_input(c_, type, code, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    }

    void press(const Key& k)
    {
        if (k.control) fake(XCB_KEY_PRESS, keyFor(keysymControl).code);
        if (k.shift) fake(XCB_KEY_PRESS, keyFor(keysymShift).code);
        fake(XCB_KEY_PRESS, k.code);
        xcb_flush(c_);
    }

    void release(const Key& k)
    {
        fake(XCB_KEY_RELEASE, k.code);
        if (k.shift) fake(XCB_KEY_RELEASE, keyFor(keysymShift).code);
        if (k.control) fake(XCB_KEY_RELEASE, keyFor(keysymControl).code);
        xcb_flush(c_);
    }

    void tap(const Key& k)
    {
        press(k);
        release(k);
    }

    void focus(xcb_window_t w)
    {
        xcb_set_input_focus(c_, XCB_INPUT_FOCUS_POINTER_ROOT, w, XCB_CURRENT_TIME);
        xcb_flush(c_);
        pause(std::chrono::milliseconds(100));
    }

    void start()
    {
        xcb_flush(c_);
        pid_ = fork();
        if (pid_ < 0) die("fork failed");
        child = pid_;
        if (pid_ == 0) {
            execvp(options_.program[0], options_.program);
            std::fprintf(stderr, "dovanel_keylatency: cannot run %s: %s\n", options_.program[0],
                         std::strerror(errno));
            _exit(127);
        }
        deadline_ = Clock::now() + options_.timeout;
    }

    void stop()
    {
        kill(pid_, SIGTERM);
        for (int i = 0; i < 200; ++i) {
            if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
                pid_ = child = 0;
                return;
            }
            usleep(10000);
        }
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = 0;
        child = 0;
    }

    // Handles what the server has sent, waiting at most `wait` for the first event. Every new
    // top-level window gets a damage object at once, so its first paint is not missed.
    void pump(std::chrono::milliseconds wait)
    {
        pollfd p{xcb_get_file_descriptor(c_), POLLIN, 0};
        xcb_generic_event_t* event = xcb_poll_for_event(c_);
        if (!event && poll(&p, 1, int(wait.count())) > 0) event = xcb_poll_for_event(c_);
        for (; event; event = xcb_poll_for_event(c_)) {
            const auto at = Clock::now();
            const uint8_t type = event->response_type & 0x7f;
            if (type == XCB_CREATE_NOTIFY) {
                const auto* e = reinterpret_cast<xcb_create_notify_event_t*>(event);
                watch(e->window);
            } else if (type == XCB_MAP_NOTIFY) {
                const auto* e = reinterpret_cast<xcb_map_notify_event_t*>(event);
                mapped_[e->window] = at;
            } else if (type == XCB_UNMAP_NOTIFY) {
                mapped_.erase(reinterpret_cast<xcb_unmap_notify_event_t*>(event)->window);
            } else if (type == damageNotify_) {
                const auto* e = reinterpret_cast<xcb_damage_notify_event_t*>(event);
                if (!painted_.count(e->drawable)) painted_[e->drawable] = at;
                lastPaint_[e->drawable] = at;
                // Reported again at the next paint, so a window's quiet can be told.
                xcb_damage_subtract(c_, e->damage, XCB_NONE, XCB_NONE);
                xcb_flush(c_);
            }
            std::free(event);
        }
        if (xcb_connection_has_error(c_)) die("lost the X server");
        if (waitpid(pid_, nullptr, WNOHANG) == pid_) {
            pid_ = child = 0;
            die("the program ended early");
        }
        if (Clock::now() > deadline_) die("timed out");
    }

    void watch(xcb_window_t w)
    {
        if (damages_.count(w)) return;
        const xcb_damage_damage_t d = xcb_generate_id(c_);
        xcb_damage_create(c_, d, w, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        damages_[w] = d;
        xcb_flush(c_);
    }

    // Ready for the next report of a window's damage.
    void rearm(xcb_window_t w)
    {
        xcb_damage_subtract(c_, damages_.at(w), XCB_NONE, XCB_NONE);
        xcb_flush(c_);
        painted_.erase(w);
    }

    void pause(Clock::duration d)
    {
        const auto until = Clock::now() + d;
        while (Clock::now() < until)
            pump(std::chrono::milliseconds(5));
    }

    // The mapped top-level window of that name.
    xcb_window_t waitForWindow(const std::string& title)
    {
        for (;;) {
            for (const auto& [w, at] : mapped_)
                if (name(w) == title) return w;
            pump(std::chrono::milliseconds(50));
        }
    }

    void answerDialog(xcb_window_t dialog)
    {
        focus(dialog);
        for (char c : options_.dialogKeys)
            tap(keyFor(c));
        while (mapped_.count(dialog))
            pump(std::chrono::milliseconds(50));
        pause(afterRestart);
    }

    void waitQuiet(xcb_window_t w)
    {
        for (;;) {
            pump(std::chrono::milliseconds(2));
            const auto last = lastPaint_.find(w);
            if (last == lastPaint_.end() || Clock::now() - last->second >= quietFor) return;
        }
    }

    // Types the text into `w`; returns when its last key was pressed, in ms since the start.
    double typeTimed(xcb_window_t w)
    {
        watch(w);
        waitQuiet(w);
        double lastPress = 0;
        for (std::size_t i = 0; i < options_.text.size(); ++i) {
            const Key k = keyFor(options_.text[i]);
            deadline_ = Clock::now() + options_.timeout;
            waitQuiet(w);
            rearm(w);
            const auto t0 = Clock::now();
            lastPress = Ms(t0 - origin_).count();
            press(k);
            // The window that opens at the end covers the line the last key typed into.
            if (i + 1 == options_.text.size() && !options_.endTitle.empty()) {
                release(k);
                break;
            }
            while (!painted_.count(w))
                pump(std::chrono::milliseconds(50));
            latencies_.push_back(Ms(painted_[w] - t0).count());
            release(k);
        }
        return lastPress;
    }

    void timeEndWindow(double lastPress)
    {
        std::optional<xcb_window_t> end;
        while (!end) {
            for (const auto& [w, at] : mapped_)
                if (damages_.count(w) && painted_.count(w) && name(w) == options_.endTitle) end = w;
            if (!end) pump(std::chrono::milliseconds(5));
        }
        shown_.push_back(Ms(painted_[*end] - origin_).count() - lastPress);
        mappedAt_.push_back(Ms(mapped_[*end] - origin_).count() - lastPress);
        // Its chart and labels are all drawn before the memory is read.
        waitQuiet(*end);
        painted_.erase(*end);
    }

    long peakRssKb() const
    {
        std::ifstream status("/proc/" + std::to_string(pid_) + "/status");
        std::string key;
        long value = -1;
        while (status >> key)
            if (key == "VmHWM:" && status >> value) return value;
        return -1;
    }

    void report()
    {
        for (double l : latencies_)
            std::printf("key_ms %.4f\n", l);
        std::printf("keys %zu\n", latencies_.size());
        std::printf("median_ms %.4f\n", bench::percentile(latencies_, 50));
        std::printf("p99_ms %.4f\n", bench::percentile(latencies_, 99));
        std::printf("max_ms %.4f\n", bench::percentile(latencies_, 100));
        for (double s : shown_)
            std::printf("shown_ms %.3f\n", s);
        for (double m : mappedAt_)
            std::printf("mapped_ms %.3f\n", m);
        std::printf("peak_rss_kb %ld\n", peakRssKb());
    }

    const Options& options_;
    xcb_connection_t* c_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_atom_t netWmName_ = 0;
    uint8_t damageNotify_ = 0;
    pid_t pid_ = 0;
    Clock::time_point origin_ = Clock::now();
    Clock::time_point deadline_ = Clock::now();
    std::map<xcb_keysym_t, Key> keys_;
    std::map<xcb_window_t, xcb_damage_damage_t> damages_;
    std::map<xcb_window_t, Clock::time_point> mapped_;
    std::map<xcb_window_t, Clock::time_point> painted_;
    std::map<xcb_window_t, Clock::time_point> lastPaint_;
    std::vector<double> latencies_;
    std::vector<double> shown_;
    std::vector<double> mappedAt_;
};

} // namespace

int main(int argc, char* argv[])
{
    const std::optional<Options> options = parse(argc, argv);
    if (!options)
        die("usage: dovanel_keylatency [-r ROUNDS] [-b KEY] [-d DIALOG=KEYS] [-e TITLE] "
            "[-t SECONDS] TITLE TEXT -- PROGRAM [ARGS...]");
    Session(*options).run();
    return 0;
}
