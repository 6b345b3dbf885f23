// Start-up probe: runs a program on the current X display and stops it the moment its first pixels
// reach a window, or with --text the moment a frame shows a text in the given place and colour,
// then prints what that start cost it:
//
//   startup_probe [--text X,Y,W,H,RRGGBB] <program> [arguments...]
//   -> map_ms=41.2 paint_ms=63.8 text_ms=63.9 cpu_ms=58.1 hwm_kb=61234
//
// map_ms and paint_ms count from just before the program is started to the first map of one of its
// windows and to the first drawing into one (X DAMAGE), as the X server saw them. text_ms is the
// first drawing after which the window's pixels, read back, hold at least kTextPixels pixels near
// the colour inside the rectangle (window coordinates); without --text it is paint_ms. cpu_ms is the
// user plus system time of all its threads until the probe stopped it, hwm_kb its peak resident
// memory (VmHWM) by then. The probe watches the server, not the program, so any two programs are
// measured the same way. The program's own output is discarded. Exit status 0 when what was
// waited for was seen, 1 otherwise.
#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>

#include "tests/support/window_frames.h"

namespace {

using testsupport::WindowFrames;
using Clock = WindowFrames::Clock;
constexpr int kTimeoutMs = 30000;
// Enough pixels for a few glyphs' strokes, far more than stray pixels of a picture's edges.
constexpr int kTextPixels = 40;
constexpr int kTextTolerance = 48;

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

// Where and in which colour the text is looked for.
struct TextSpot {
    int x = 0, y = 0, width = 0, height = 0;
    std::uint32_t colour = 0;
};

std::optional<TextSpot> ParseTextSpot(const char* text) {
    TextSpot spot;
    char end = 0;
    if (std::sscanf(text, "%d,%d,%d,%d,%6x%c", &spot.x, &spot.y, &spot.width, &spot.height, &spot.colour,
                    &end) != 5 ||
        spot.width <= 0 || spot.height <= 0)
        return std::nullopt;
    return spot;
}

struct Measures {
    std::optional<double> mapMs;
    std::optional<double> paintMs;
    std::optional<double> textMs;
    double cpuMs = 0;
    long hwmKb = 0;
};

// Whether the window, frozen with its program, shows the text now.
bool ShowsText(WindowFrames& frames, xcb_window_t window, const TextSpot& spot) {
    const auto pixels = frames.Read(window, spot.x, spot.y, spot.width, spot.height);
    if (!pixels)
        return false;
    // Text is strokes over a background: a place wholly of the text's colour (a window the server
    // only cleared) shows none.
    const int near = testsupport::CountNear(*pixels, spot.colour, kTextTolerance);
    return near >= kTextPixels && near <= spot.width * spot.height / 2;
}

// Follows the program's windows until what is waited for is seen, leaving the program stopped.
void Follow(WindowFrames& frames, pid_t pid, const std::optional<TextSpot>& text, Clock::time_point start,
            Measures& m) {
    const auto deadline = start + std::chrono::milliseconds(kTimeoutMs);
    for (auto seen = frames.Next(deadline); seen.what != WindowFrames::Seen::Nothing;
         seen = frames.Next(deadline)) {
        if (seen.what == WindowFrames::Seen::Map && !m.mapMs)
            m.mapMs = MillisSince(start);
        if (seen.what != WindowFrames::Seen::Paint)
            continue;
        const double at = MillisSince(start);
        ::kill(pid, SIGSTOP);  // no more drawing while the frame is read
        if (!m.paintMs)
            m.paintMs = at;
        if (!text || ShowsText(frames, seen.window, *text)) {
            m.textMs = at;
            return;
        }
        frames.Rearm(seen.window);
        ::kill(pid, SIGCONT);
    }
    ::kill(pid, SIGSTOP);
}

// Takes the stopped program's peak memory, then ends it and takes its CPU time.
void EndAndMeasure(pid_t pid, Measures& m) {
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
    int first = 1;
    std::optional<TextSpot> text;
    if (argc > 2 && std::strcmp(argv[1], "--text") == 0) {
        text = ParseTextSpot(argv[2]);
        if (!text) {
            std::fprintf(stderr, "startup_probe: --text takes X,Y,W,H,RRGGBB, not %s\n", argv[2]);
            return 2;
        }
        first = 3;
    }
    if (argc <= first) {
        std::fprintf(stderr, "usage: %s [--text X,Y,W,H,RRGGBB] <program> [arguments...]\n", argv[0]);
        return 2;
    }
    WindowFrames frames;
    if (!frames.Open()) {
        std::fprintf(stderr, "startup_probe: no X display with the DAMAGE extension\n");
        return 2;
    }
    const Clock::time_point start = Clock::now();
    const pid_t pid = StartQuietly(argv + first);
    if (pid < 0)
        return 2;
    Measures m;
    Follow(frames, pid, text, start, m);
    EndAndMeasure(pid, m);
    if (!m.textMs) {
        std::fprintf(stderr, "startup_probe: %s %s within %d ms\n", argv[first],
                     m.paintMs ? "showed no frame with the text" : "painted no window", kTimeoutMs);
        return 1;
    }
    std::printf("map_ms=%.1f paint_ms=%.1f text_ms=%.1f cpu_ms=%.1f hwm_kb=%ld\n",
                m.mapMs.value_or(*m.paintMs), *m.paintMs, *m.textMs, m.cpuMs, m.hwmKb);
    return 0;
}
