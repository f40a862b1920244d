// Whole-process timing of quz-exam's start to its first window, beside quz's
// own start as the floor, under a private Xvfb. Each run starts a program as
// a new process from a copy of the program folder and takes the moment X
// maps its first window (a top-level window whose _NET_WM_PID is the
// process); then its peak memory (VmHWM); then the process is ended by its
// id. The two programs alternate, the order switching every round, so that
// both figures are taken under the same load; medians are printed:
//
//     start to first window: quz-exam 101.2 ms, quz 96.0 ms (floor), 1.05x
//
// Run after a build: <build>/bench/bench_start [rounds]   (needs Xvfb)
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <optional>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

using Clock = std::chrono::steady_clock;

struct Run {
    double ms = 0;
    double peakMiB = 0;
};

// A private X server; its display name, or nothing when none starts.
struct Xvfb {
    pid_t pid = -1;
    std::string display;
    bool start()
    {
        int fds[2];
        if (pipe(fds) != 0)
            return false;
        pid = fork();
        if (pid == 0) {
            close(fds[0]);
            const int devnull = open("/dev/null", O_WRONLY);
            dup2(devnull, 2);
            const std::string fd = std::to_string(fds[1]);
            execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1280x1024x24",
                   "-nolisten", "tcp", static_cast<char *>(nullptr));
            _exit(127);
        }
        close(fds[1]);
        char number[16] = {};
        const ssize_t got = read(fds[0], number, sizeof number - 1);
        close(fds[0]);
        if (got <= 0)
            return false;
        display = ":" + std::string(number, strcspn(number, "\n"));
        return true;
    }
    ~Xvfb()
    {
        if (pid > 0) {
            kill(pid, SIGTERM);
            waitpid(pid, nullptr, 0);
        }
    }
};

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *r =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t a = r ? r->atom : xcb_atom_t(XCB_ATOM_NONE);
    free(r);
    return a;
}

std::optional<pid_t> windowPid(xcb_connection_t *c, xcb_window_t w, xcb_atom_t pidAtom)
{
    xcb_get_property_reply_t *r = xcb_get_property_reply(
        c, xcb_get_property(c, 0, w, pidAtom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
    std::optional<pid_t> pid;
    if (r && xcb_get_property_value_length(r) == 4)
        pid = static_cast<pid_t>(*static_cast<uint32_t *>(xcb_get_property_value(r)));
    free(r);
    return pid;
}

double peakMiB(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toDouble() / 1024.0;
    return 0;
}

// Starts `program` of `folder` and waits (at most 20 s) for its first map.
std::optional<Run> startOnce(xcb_connection_t *c, xcb_atom_t pidAtom, const std::string &folder,
                             const std::string &program, const std::string &display)
{
    // The caller's environment, on the private display.
    std::vector<std::string> env{"DISPLAY=" + display, "QT_QPA_PLATFORM=xcb"};
    for (char **e = environ; *e; ++e) {
        const std::string entry(*e);
        if (entry.rfind("DISPLAY=", 0) != 0 && entry.rfind("WAYLAND_DISPLAY=", 0) != 0
            && entry.rfind("QT_QPA_PLATFORM=", 0) != 0)
            env.push_back(entry);
    }
    std::vector<char *> envp;
    for (std::string &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    const std::string path = folder + "/" + program;
    char *argv[] = {const_cast<char *>(path.c_str()), nullptr};
    const auto started = Clock::now();
    posix_spawn_file_actions_t quiet;
    posix_spawn_file_actions_init(&quiet);
    posix_spawn_file_actions_addopen(&quiet, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    const int spawned = posix_spawn(&pid, path.c_str(), &quiet, nullptr, argv, envp.data());
    posix_spawn_file_actions_destroy(&quiet);
    if (spawned != 0)
        return std::nullopt;
    std::optional<Run> run;
    while (!run && Clock::now() - started < std::chrono::seconds(20)) {
        xcb_generic_event_t *e = xcb_poll_for_event(c);
        if (!e) {
            usleep(200);
            continue;
        }
        if ((e->response_type & 0x7f) == XCB_MAP_NOTIFY) {
            const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(e);
            if (windowPid(c, map->window, pidAtom) == pid) {
                const std::chrono::duration<double, std::milli> ms = Clock::now() - started;
                run = Run{ms.count(), 0};
            }
        }
        free(e);
    }
    if (run)
        run->peakMiB = peakMiB(pid);
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
    return run;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char *argv[])
{
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
    // A copy of the program folder with settings that open no first-run tip.
    QTemporaryDir folder;
    const QDir from(QStringLiteral(QUZ_RUNTIME_DIR));
    for (const QString &name : from.entryList(QDir::Files))
        QFile::copy(from.filePath(name), folder.filePath(name));
    QDir().mkpath(folder.filePath(QStringLiteral("bmp")));
    for (const QString &name : QDir(from.filePath(QStringLiteral("bmp"))).entryList(QDir::Files))
        QFile::copy(from.filePath(QStringLiteral("bmp/") + name),
                    folder.filePath(QStringLiteral("bmp/") + name));
    QFile ini(folder.filePath(QStringLiteral("quz.ini")));
    if (!ini.open(QIODevice::WriteOnly))
        return 1;
    ini.write("[prg]\r\nfirst=0\r\nbeep=0\r\nbeepErr=0\r\nkoment=0\r\n");
    ini.close();

    Xvfb x;
    if (!x.start()) {
        std::fprintf(stderr, "bench_start: Xvfb did not start (Debian package xvfb)\n");
        return 1;
    }
    xcb_connection_t *c = nullptr;
    for (int i = 0; i < 100 && (!c || xcb_connection_has_error(c)); ++i) {
        if (c)
            xcb_disconnect(c);
        usleep(50000);
        c = xcb_connect(x.display.c_str(), nullptr);
    }
    if (xcb_connection_has_error(c))
        return 1;
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(c, screen->root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(c);
    const xcb_atom_t pidAtom = atom(c, "_NET_WM_PID");

    const std::string dir = folder.path().toStdString();
    std::vector<double> examMs, quzMs, examMiB, quzMiB;
    for (int round = -2; round < rounds; ++round) { // two rounds to warm up
        const bool examFirst = round % 2 == 0;
        for (int k = 0; k < 2; ++k) {
            const bool exam = (k == 0) == examFirst;
            const std::optional<Run> run =
                startOnce(c, pidAtom, dir, exam ? "quz-exam" : "quz", x.display);
            if (!run) {
                std::fprintf(stderr, "bench_start: %s showed no window\n",
                             exam ? "quz-exam" : "quz");
                return 1;
            }
            if (round < 0)
                continue;
            (exam ? examMs : quzMs).push_back(run->ms);
            (exam ? examMiB : quzMiB).push_back(run->peakMiB);
        }
    }
    xcb_disconnect(c);
    const double exam = median(examMs);
    const double floor = median(quzMs);
    std::printf("start to first window (median of %d): quz-exam %.1f ms (floor: quz %.1f ms, "
                "%.2fx; goal 1.2x)\n",
                rounds, exam, floor, floor > 0 ? exam / floor : 0);
    std::printf("peak memory at the first window: quz-exam %.1f MiB (floor: quz %.1f MiB, %.2fx)\n",
                median(examMiB), median(quzMiB),
                median(quzMiB) > 0 ? median(examMiB) / median(quzMiB) : 0);
    return 0;
}
