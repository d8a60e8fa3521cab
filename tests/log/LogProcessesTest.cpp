#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QRegularExpression>

#include "LogTestSupport.h"
#include "log/LogEngine.h"
#include "log/LogText.h"
#include "log/WritingLock.h"

using namespace logengine;

namespace {

constexpr int kProcesses = 4;
constexpr int kRecordsEach = 2000;

// Runs `body` in a child process; answers its pid. The child never returns.
template <typename Body>
pid_t Spawn(Body body) {
    const pid_t pid = fork();
    if (pid == 0) {
        body();
        _exit(testing::Test::HasFailure() ? 1 : 0);
    }
    return pid;
}

int ExitStatus(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(LogProcesses, ConcurrentWritersLeaveEveryLineIntact) {
    logtest::TempDir dir;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        children.push_back(Spawn([&, p] {
            if (Initialize(0, "Shared", dir.path().string(), false, false, {0, 2, 0}) != 0)
                _exit(2);
            for (int i = 0; i < kRecordsEach; ++i) {
                LogRecord r;
                r.severity = kMandatory;
                r.code = p;
                // Some lines cross buffer sizes, some hold characters outside the BMP.
                r.message = "writer " + std::to_string(p) + " record " + std::to_string(i) + " " +
                            std::string(size_t(i % 97) * 5, 'x') + "\xF0\x9F\x93\xB7";
                if (Log(0, r) != 0)
                    _exit(3);
            }
            Close(0);
        }));
    }
    for (pid_t child : children)
        EXPECT_EQ(ExitStatus(child), 0);

    const auto file = logtest::ReadLogFile(dir.path() / "Shared.txt");
    EXPECT_TRUE(file.evenSize);
    EXPECT_TRUE(file.startsWithMark);
    EXPECT_EQ(file.byteOrderMarks, 1);
    EXPECT_TRUE(file.endsWithLineEnd);
    ASSERT_EQ(file.lines.size(), kProcesses * (kRecordsEach + 2));
    const QRegularExpression record(
        QStringLiteral("^SV=MANDATORY; CD=(\\d); MSG=writer \\1 record (\\d+) x*\\x{1F4F7}$"));
    const QRegularExpression engineLine(
        QStringLiteral("^SV=MANDATORY; CD=0; MSG=   (>|<){17} (Open|Close) the log "
                       "channels: File_Output for: .*$"));
    std::vector<int> next(kProcesses, 0);
    for (const QString& line : file.lines) {
        if (engineLine.match(line).hasMatch())
            continue;
        const auto m = record.match(line);
        ASSERT_TRUE(m.hasMatch()) << line.toStdString();
        const int writer = m.captured(1).toInt();
        // Each writer's records arrive whole and in its own order.
        EXPECT_EQ(m.captured(2).toInt(), next[size_t(writer)]++);
    }
    EXPECT_EQ(next, std::vector<int>(kProcesses, kRecordsEach));
}

TEST(LogProcesses, WriterKilledWhileHoldingTheLockDoesNotStopTheNext) {
    logtest::TempDir dir;
    int ready[2];
    ASSERT_EQ(pipe(ready), 0);
    const pid_t holder = Spawn([&] {
        WritingLock lock;
        if (lock.Open() != 0 || !lock.Lock(std::chrono::milliseconds(1000)))
            _exit(2);
        const char byte = 1;
        if (write(ready[1], &byte, 1) != 1)
            _exit(3);
        pause();
    });
    char byte = 0;
    ASSERT_EQ(read(ready[0], &byte, 1), 1);
    close(ready[0]);
    close(ready[1]);

    // While it lives, nobody else gets the lock.
    WritingLock mine;
    ASSERT_EQ(mine.Open(), 0);
    EXPECT_FALSE(mine.Lock(std::chrono::milliseconds(50)));

    kill(holder, SIGKILL);
    int status = 0;
    waitpid(holder, &status, 0);
    EXPECT_TRUE(WIFSIGNALED(status));

    ASSERT_EQ(Initialize(0, "AfterKill", dir.path().string(), false, false, {0, 1, 0}), 0);
    LogRecord r;
    r.message = "still writing";
    ASSERT_EQ(Log(0, r), 0);
    Close(0);
    const auto file = logtest::ReadLogFile(dir.path() / "AfterKill.txt");
    ASSERT_EQ(file.lines.size(), 3);
    EXPECT_EQ(file.lines[1], "MANDATORY: -1; still writing");
}

}  // namespace
