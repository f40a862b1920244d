// Whole-process start-up of quz beside its floor (floor_window: a Qt window
// of the main window's size with a label, a check box and a button), and of
// quz-exam beside quz. The three run in turn on a private Xvfb, each round in
// another order, after one warm-up run each:
//  - start -> first window mapped: from the spawn of the process to the map
//    of its first top-level window, seen as a MapNotify on the root window;
//  - start -> first window drawn: to the first drawing into that window, seen
//    through the Damage extension. A bare Qt window maps before it loads its
//    fonts and draws; a window that measures text while it is built loads
//    them before the map. This is the moment the user sees the window;
//  - the CPU time that the process (all its threads) had used at each;
//  - peak memory: VmHWM of the process once its window has had `settle` ms
//    more, just before it is ended.
// quz and quz-exam run from a copy of their program folder whose settings say
// it is not the first start, so that only the main window shows. Prints the
// median of each figure beside its floor's, their ratio and the spread
// (min..max): quz beside the three-control window, quz-exam beside quz.
//
// On a loaded machine the CPU time varies far less than the wall time.
//
// Run: <build>/bench/bench_startup [runs=21] [settle-ms=400] [program-folder]
// (needs Xvfb with the Damage extension; the program folder is the build's
// bin/ unless given)
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <poll.h>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Sample {
    double mapMs = 0;      // wall time, spawn -> map
    double paintMs = 0;    // wall time, spawn -> first drawing into the window
    double cpuMapMs = 0;   // CPU time of all its threads at the map
    double cpuPaintMs = 0; // and at the first drawing
    double mib = 0;        // VmHWM after the settle time
};

[[noreturn]] void die(const std::string &what)
{
    std::fprintf(stderr, "bench_startup: %s\n", what.c_str());
    std::exit(1);
}

// Starts `argv` with the environment plus `extraEnv` (which replaces
// DISPLAY, QT_QPA_PLATFORM and XDG_RUNTIME_DIR); its output goes nowhere.
pid_t spawn(const std::vector<std::string> &argv, const std::vector<std::string> &extraEnv)
{
    std::vector<char *> args;
    for (const std::string &a : argv)
        args.push_back(const_cast<char *>(a.c_str()));
    args.push_back(nullptr);
    std::vector<char *> env;
    for (char **e = environ; *e; ++e)
        if (std::strncmp(*e, "DISPLAY=", 8) != 0 && std::strncmp(*e, "QT_QPA_PLATFORM=", 16) != 0
            && std::strncmp(*e, "XDG_RUNTIME_DIR=", 16) != 0)
            env.push_back(*e);
    for (const std::string &e : extraEnv)
        env.push_back(const_cast<char *>(e.c_str()));
    env.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawn(&pid, args[0], &actions, nullptr, args.data(), env.data());
    posix_spawn_file_actions_destroy(&actions);
    if (failed)
        die("cannot start " + argv[0]);
    return pid;
}

// A private X server; its display number is read from -displayfd.
struct Xvfb {
    pid_t pid = 0;
    std::string display;

    Xvfb()
    {
        int fds[2];
        if (pipe(fds) != 0)
            die("pipe");
        pid = spawn({"/usr/bin/Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0",
                     "1280x1024x24", "-nolisten", "tcp", "-noreset"},
                    {});
        close(fds[1]);
        char number[16] = {};
        std::size_t got = 0;
        while (got + 1 < sizeof number) {
            const ssize_t n = read(fds[0], number + got, sizeof number - 1 - got);
            if (n <= 0)
                break;
            got += std::size_t(n);
            if (number[got - 1] == '\n')
                break;
        }
        close(fds[0]);
        if (got == 0)
            die("Xvfb did not start (Debian package xvfb)");
        display = ":" + std::string(number, std::strcspn(number, "\n"));
    }
    ~Xvfb()
    {
        kill(pid, SIGTERM);
        waitpid(pid, nullptr, 0);
    }
};

// Watches the X server for a program's first top-level window: its map
// (MapNotify on the root window) and the first drawing into it after the map
// (a DamageNotify of the Damage extension, which follows every window from
// its creation).
class WindowWatch {
public:
    explicit WindowWatch(const std::string &display)
    {
        m_conn = xcb_connect(display.c_str(), nullptr);
        if (xcb_connection_has_error(m_conn))
            die("cannot connect to " + display);
        const xcb_query_extension_reply_t *damage = xcb_get_extension_data(m_conn, &xcb_damage_id);
        if (!damage || !damage->present)
            die("the X server has no Damage extension");
        m_damageEvent = damage->first_event + XCB_DAMAGE_NOTIFY;
        std::free(xcb_damage_query_version_reply(
            m_conn,
            xcb_damage_query_version(m_conn, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
            nullptr));
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_conn)).data;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(m_conn, screen->root, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(m_conn);
    }
    ~WindowWatch() { xcb_disconnect(m_conn); }

    struct Seen {
        Clock::time_point mapped;
        Clock::time_point painted;
    };

    // Waits for the map of a window that is not override-redirect and for the
    // first drawing into it, and calls `atMap` when it has seen the map;
    // nothing after `limit`.
    std::optional<Seen> next(std::chrono::milliseconds limit, const std::function<void()> &atMap)
    {
        const Clock::time_point end = Clock::now() + limit;
        std::optional<Clock::time_point> mapped;
        xcb_window_t window = XCB_NONE;
        for (;;) {
            while (xcb_generic_event_t *event = xcb_poll_for_event(m_conn)) {
                const Clock::time_point seen = Clock::now();
                const int type = event->response_type & 0x7f;
                if (type == XCB_CREATE_NOTIFY) {
                    const auto *create = reinterpret_cast<xcb_create_notify_event_t *>(event);
                    xcb_damage_create(m_conn, xcb_generate_id(m_conn), create->window,
                                      XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
                    xcb_flush(m_conn);
                } else if (type == XCB_MAP_NOTIFY && !mapped) {
                    const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
                    if (!map->override_redirect) {
                        mapped = seen;
                        window = map->window;
                        atMap();
                    }
                } else if (type == m_damageEvent && mapped) {
                    const auto *damage = reinterpret_cast<xcb_damage_notify_event_t *>(event);
                    if (damage->drawable == window) {
                        std::free(event);
                        return Seen{*mapped, seen};
                    }
                }
                std::free(event);
            }
            const auto left =
                std::chrono::duration_cast<std::chrono::milliseconds>(end - Clock::now());
            if (left.count() <= 0)
                return std::nullopt;
            pollfd fd{xcb_get_file_descriptor(m_conn), POLLIN, 0};
            poll(&fd, 1, int(left.count()));
        }
    }

    // Throws away the events of an earlier run.
    void drain()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_conn))
            std::free(event);
    }

private:
    xcb_connection_t *m_conn = nullptr;
    int m_damageEvent = 0;
};

// CPU time so far of all threads of `pid`, from the scheduler's accounting.
double cpuMs(pid_t pid)
{
    double ns = 0;
    std::error_code error;
    for (const fs::directory_entry &task :
         fs::directory_iterator("/proc/" + std::to_string(pid) + "/task", error)) {
        std::ifstream schedstat(task.path() / "schedstat");
        double runNs = 0;
        if (schedstat >> runNs)
            ns += runNs;
    }
    return ns / 1e6;
}

double peakMib(pid_t pid)
{
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmHWM:", 0) == 0)
            return std::strtod(line.c_str() + 6, nullptr) / 1024;
    return 0;
}

struct Run {
    std::string display;
    std::string runtimeDir;
    int settleMs = 0;
};

Sample runOnce(const std::string &exe, const Run &run, WindowWatch &watch)
{
    watch.drain();
    const Clock::time_point start = Clock::now();
    const pid_t pid = spawn({exe}, {"DISPLAY=" + run.display, "QT_QPA_PLATFORM=xcb",
                                    "XDG_RUNTIME_DIR=" + run.runtimeDir});
    Sample s;
    const auto seen =
        watch.next(std::chrono::milliseconds(20000), [&] { s.cpuMapMs = cpuMs(pid); });
    s.cpuPaintMs = cpuMs(pid);
    if (!seen) {
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        die(exe + ": no window drawn within 20 s");
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(run.settleMs));
    const auto since = [&](Clock::time_point t) {
        return std::chrono::duration<double, std::milli>(t - start).count();
    };
    s.mapMs = since(seen->mapped);
    s.paintMs = since(seen->painted);
    s.mib = peakMib(pid);
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
    return s;
}

// A copy of the program folder (program, modules, data) with settings that
// mark a later start.
fs::path programCopy(const fs::path &runtimeDir, const fs::path &into)
{
    fs::create_directories(into);
    for (const fs::directory_entry &entry : fs::directory_iterator(runtimeDir)) {
        if (entry.path().extension() == ".ini")
            continue;
        fs::copy(entry.path(), into / entry.path().filename(),
                 fs::copy_options::recursive | fs::copy_options::overwrite_existing);
    }
    std::ofstream(into / "quz.ini", std::ios::binary) << "[prg]\r\nfirst=0\r\n";
    return into / "quz";
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void report(const char *what, const char *unit, const char *name, const std::vector<double> &work,
            const char *floorName, const std::vector<double> &floor)
{
    const auto [wMin, wMax] = std::minmax_element(work.begin(), work.end());
    const auto [fMin, fMax] = std::minmax_element(floor.begin(), floor.end());
    std::vector<double> ratios;
    for (std::size_t i = 0; i < work.size(); ++i)
        ratios.push_back(work[i] / floor[i]);
    const auto [rMin, rMax] = std::minmax_element(ratios.begin(), ratios.end());
    std::printf("%s: %.1f %s (%s %.1f %s, %.2fx; rounds %.2fx..%.2fx; %s %.1f..%.1f, "
                "%s %.1f..%.1f)\n",
                what, median(work), unit, floorName, median(floor), unit,
                median(work) / median(floor), *rMin, *rMax, name, *wMin, *wMax, floorName, *fMin,
                *fMax);
}

std::vector<double> field(const std::vector<Sample> &samples, double Sample::*member)
{
    std::vector<double> values;
    for (const Sample &s : samples)
        values.push_back(s.*member);
    return values;
}

// Every figure of `work` beside the same figure of `floor`.
void reportAll(const char *name, const std::vector<Sample> &work, const char *floorName,
               const std::vector<Sample> &floor)
{
    const struct {
        const char *what;
        const char *unit;
        double Sample::*member;
    } figures[] = {{"start -> first window mapped, wall", "ms", &Sample::mapMs},
                   {"start -> first window mapped, CPU", "ms", &Sample::cpuMapMs},
                   {"start -> first window drawn, wall", "ms", &Sample::paintMs},
                   {"start -> first window drawn, CPU", "ms", &Sample::cpuPaintMs},
                   {"peak memory", "MiB", &Sample::mib}};
    for (const auto &f : figures)
        report(f.what, f.unit, name, field(work, f.member), floorName, field(floor, f.member));
}

} // namespace

int main(int argc, char *argv[])
{
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 21;
    char folder[] = "/tmp/quz-startup-XXXXXX";
    if (!mkdtemp(folder))
        die("mkdtemp");
    const std::string quz =
        programCopy(argc > 3 ? argv[3] : QUZ_RUNTIME_DIR, fs::path(folder) / "quz").string();
    const std::string floor = QUZ_FLOOR_EXE;
    const fs::path runtimeDir = fs::path(folder) / "runtime";
    fs::create_directory(runtimeDir);
    fs::permissions(runtimeDir, fs::perms::owner_all);

    const std::string exam = (fs::path(quz).parent_path() / "quz-exam").string();
    Xvfb x;
    WindowWatch watch(x.display);
    const Run run{x.display, runtimeDir.string(), argc > 2 ? std::max(0, std::atoi(argv[2])) : 400};
    const std::string programs[] = {floor, quz, exam};
    for (const std::string &program : programs)
        runOnce(program, run, watch);
    std::vector<Sample> samples[3];
    for (int i = 0; i < runs; ++i)
        for (int k = 0; k < 3; ++k) {
            const int which = (i + k) % 3;
            samples[which].push_back(runOnce(programs[which], run, watch));
        }
    fs::remove_all(folder);

    std::printf("quz start-up under Xvfb, %d runs each, medians (goals: time <= 1.10x the "
                "floor, memory <= 1.15x):\n",
                runs);
    reportAll("quz", samples[1], "floor", samples[0]);
    std::printf("\nquz-exam start-up beside quz's (goal: time <= 1.20x quz):\n");
    reportAll("quz-exam", samples[2], "quz", samples[1]);
    return 0;
}
