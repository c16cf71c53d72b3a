#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <ctime>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace kotohana::test {

// Another program appending lines to a file, in a child process: each line is one open, one
// write in append mode and a close, as a shell's >> does. It starts at start(), so that its
// lines fall among the program's own, and notes on the monotonic clock when each was written.
class OutsideAppender final
{
public:
    OutsideAppender(const QString &path, std::vector<QByteArray> lines)
        : m_count(lines.size())
    {
        m_times = static_cast<Span *>(
            mmap(nullptr, sizeof(Span) * m_count, PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0));
        if (m_times == MAP_FAILED || pipe(m_go) != 0)
            qFatal("no room for the outside appender");
        const QByteArray name = QFile::encodeName(path);
        m_pid = fork();
        if (m_pid != 0) {
            close(m_go[0]);
            return;
        }
        close(m_go[1]); // a parent gone before start() ends the wait
        char go = 0;
        if (read(m_go[0], &go, 1) != 1)
            _exit(1);
        for (std::size_t i = 0; i < m_count; ++i) {
            m_times[i].first = now();
            const int file = open(name.constData(), O_WRONLY | O_APPEND | O_CREAT, 0600);
            if (file < 0 || write(file, lines[i].constData(), std::size_t(lines[i].size())) != lines[i].size())
                _exit(1);
            close(file);
            m_times[i].second = now();
        }
        _exit(0);
    }
    ~OutsideAppender()
    {
        close(m_go[1]);
        finish();
        munmap(m_times, sizeof(Span) * m_count);
    }
    OutsideAppender(const OutsideAppender &) = delete;
    OutsideAppender &operator=(const OutsideAppender &) = delete;

    void start()
    {
        if (write(m_go[1], "g", 1) != 1)
            qFatal("the outside appender cannot be started");
    }
    // Whether it is still writing.
    bool busy() { return m_pid > 0 && !reaped(WNOHANG); }
    // Waits for the last line; whether every line was written.
    bool finish()
    {
        if (m_pid > 0)
            reaped(0);
        return m_done;
    }
    // From just before line i was opened to just after it was closed, in nanoseconds.
    std::pair<qint64, qint64> written(std::size_t i) const { return m_times[i]; }

    static qint64 now()
    {
        timespec t{};
        clock_gettime(CLOCK_MONOTONIC, &t);
        return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
    }

private:
    bool reaped(int options)
    {
        int status = 0;
        if (waitpid(m_pid, &status, options) == 0)
            return false;
        m_pid = 0;
        m_done = WIFEXITED(status) && WEXITSTATUS(status) == 0;
        return true;
    }

    using Span = std::pair<qint64, qint64>;
    std::size_t m_count;
    Span *m_times = nullptr;
    int m_go[2] = {-1, -1};
    pid_t m_pid = 0;
    bool m_done = false;
};

} // namespace kotohana::test
