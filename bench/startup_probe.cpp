// Start-up probe: runs a program on the current X display and stops it the moment its first pixels
// reach a window, then prints what that start cost it:
//
//   startup_probe <program> [arguments...]
//   -> map_ms=41.2 paint_ms=63.8 cpu_ms=58.1 hwm_kb=61234
//
// map_ms and paint_ms count from just before the program is started to the first map of one of its
// windows and to the first drawing into one (X DAMAGE), as the X server saw them. cpu_ms is the user
// plus system time of all its threads until then, hwm_kb its peak resident memory (VmHWM). The probe
// watches the server, not the program, so any two programs are measured the same way.
// The program's own output is discarded. Exit status 0 when a paint was seen, 1 otherwise.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <optional>
#include <set>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kTimeoutMs = 30000;

double MillisSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The peak resident size of a running process, in KB; 0 when it cannot be read.
long PeakResidentKb(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtol(line.c_str() + 6, nullptr, 10);
    return 0;
}

pid_t StartQuietly(char** argv) {
    pid_t pid = ::fork();
    if (pid != 0)
        return pid;
    int devNull = ::open("/dev/null", O_WRONLY);
    ::dup2(devNull, STDOUT_FILENO);
    ::dup2(devNull, STDERR_FILENO);
    ::execvp(argv[0], argv);
    ::_exit(127);
}

struct EventFree {
    void operator()(xcb_generic_event_t* e) const { std::free(e); }
};
using Event = std::unique_ptr<xcb_generic_event_t, EventFree>;

// The X side: every new top-level window gets a damage object, so its first drawing is reported.
class WindowWatch {
  public:
    bool Open() {
        conn_ = xcb_connect(nullptr, nullptr);
        if (xcb_connection_has_error(conn_))
            return false;
        const xcb_query_extension_reply_t* damage = xcb_get_extension_data(conn_, &xcb_damage_id);
        if (damage == nullptr || !damage->present)
            return false;
        damageEvent_ = damage->first_event + XCB_DAMAGE_NOTIFY;
        std::free(xcb_damage_query_version_reply(conn_, xcb_damage_query_version(conn_, 1, 1), nullptr));
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(conn_)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        // Checked, so the selection is in force before the program starts.
        return xcb_request_check(conn_, xcb_change_window_attributes_checked(conn_, root, XCB_CW_EVENT_MASK,
                                                                             &mask)) == nullptr;
    }
    ~WindowWatch() {
        if (conn_ != nullptr)
            xcb_disconnect(conn_);
    }

    enum class Seen { Nothing, Map, Paint };

    // Waits for the next map or paint of a watched window; Nothing on time-out or a lost server.
    Seen Next(Clock::time_point deadline) {
        for (;;) {
            Event event = WaitEvent(deadline);
            if (!event)
                return Seen::Nothing;
            const int type = event->response_type & 0x7F;
            if (type == XCB_CREATE_NOTIFY)
                Watch(reinterpret_cast<xcb_create_notify_event_t*>(event.get())->window);
            else if (type == XCB_MAP_NOTIFY)
                return Seen::Map;
            else if (type == damageEvent_)
                return Seen::Paint;
        }
    }

  private:
    Event WaitEvent(Clock::time_point deadline) {
        for (;;) {
            if (Event event{xcb_poll_for_event(conn_)})
                return event;
            if (xcb_connection_has_error(conn_))
                return nullptr;
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            if (left.count() <= 0)
                return nullptr;
            pollfd fd{xcb_get_file_descriptor(conn_), POLLIN, 0};
            ::poll(&fd, 1, static_cast<int>(left.count()));
        }
    }

    void Watch(xcb_window_t window) {
        if (!watched_.insert(window).second)
            return;
        xcb_damage_create(conn_, xcb_generate_id(conn_), window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        xcb_flush(conn_);
    }

    xcb_connection_t* conn_ = nullptr;
    int damageEvent_ = -1;
    std::set<xcb_window_t> watched_;
};

struct Measures {
    std::optional<double> mapMs;
    std::optional<double> paintMs;
    double cpuMs = 0;
    long hwmKb = 0;
};

// Freezes the program where it stands, takes its peak memory, then ends it and takes its CPU time.
void StopAndMeasure(pid_t pid, Measures& m) {
    ::kill(pid, SIGSTOP);
    m.hwmKb = PeakResidentKb(pid);
    ::kill(pid, SIGKILL);
    int status = 0;
    rusage usage{};
    ::wait4(pid, &status, 0, &usage);
    const auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    m.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <program> [arguments...]\n", argv[0]);
        return 2;
    }
    WindowWatch watch;
    if (!watch.Open()) {
        std::fprintf(stderr, "startup_probe: no X display with the DAMAGE extension\n");
        return 2;
    }
    const Clock::time_point start = Clock::now();
    const pid_t pid = StartQuietly(argv + 1);
    if (pid < 0)
        return 2;
    const auto deadline = start + std::chrono::milliseconds(kTimeoutMs);
    Measures m;
    for (auto seen = watch.Next(deadline); seen != WindowWatch::Seen::Nothing; seen = watch.Next(deadline)) {
        if (seen == WindowWatch::Seen::Map && !m.mapMs)
            m.mapMs = MillisSince(start);
        if (seen == WindowWatch::Seen::Paint) {
            m.paintMs = MillisSince(start);
            break;
        }
    }
    StopAndMeasure(pid, m);
    if (!m.paintMs) {
        std::fprintf(stderr, "startup_probe: %s painted no window within %d ms\n", argv[1], kTimeoutMs);
        return 1;
    }
    std::printf("map_ms=%.1f paint_ms=%.1f cpu_ms=%.1f hwm_kb=%ld\n", m.mapMs.value_or(*m.paintMs),
                *m.paintMs, m.cpuMs, m.hwmKb);
    return 0;
}
