// The program binary started as a user's machine starts it: two runs in one
// folder, standard output closed, full or a pipe nobody reads, a console that
// is a device, a start folder deleted. Every child gets SIGALRM after a time
// limit, so no case can hang the test; no assertion depends on time.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <string>

#include "../support/run_harness.h"
#include "run/driver.h"

namespace {

namespace fs = std::filesystem;
using gemi::testing::contains;
using gemi::testing::exampleInput;
using gemi::testing::readFile;
using gemi::testing::TempDir;
using gemi::testing::writeFile;

constexpr unsigned kTimeLimitSeconds = 20;
constexpr int kClosed = -1;
constexpr const char* kAnswers = "0.686\n4\nH\n\n\n\n\n\n\n\n";

// Starts the binary in `dir` with the given descriptors as its standard
// input, output and error (kClosed: that descriptor closed). With
// `deleteDir`, the folder is removed after the child has entered it.
pid_t start(const fs::path& dir, int in, int out, int err, bool deleteDir = false) {
  const std::string path = dir.string();
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(path.c_str()) != 0 || (deleteDir && rmdir(path.c_str()) != 0)) _exit(126);
    const int fds[3] = {in, out, err};
    for (int k = 0; k < 3; ++k) {
      if (fds[k] == kClosed) {
        close(k);
      } else if (dup2(fds[k], k) != k) {
        _exit(126);
      }
    }
    signal(SIGPIPE, SIG_DFL);  // the program must ignore it by itself
    signal(SIGALRM, SIG_DFL);
    alarm(kTimeLimitSeconds);
    execl(GEMI_BINARY, GEMI_BINARY, static_cast<char*>(nullptr));
    _exit(127);
  }
  return pid;
}

struct Ending {
  bool signaled = false;
  int status = -1;
};

Ending waitFor(pid_t pid) {
  int ws = 0;
  EXPECT_EQ(waitpid(pid, &ws, 0), pid);
  Ending e;
  e.signaled = WIFSIGNALED(ws);
  if (WIFEXITED(ws)) e.status = WEXITSTATUS(ws);
  return e;
}

int openFile(const fs::path& p, int flags) { return open(p.c_str(), flags | O_CLOEXEC, 0644); }

// Every file of the folder with its text.
std::map<std::string, std::string> filesOf(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::directory_iterator(dir)) files[e.path().filename().string()] = readFile(e.path());
  return files;
}

// Reads the pipe until `marker` has come (true) or the pipe ends (false).
bool readUntil(int fd, std::string& got, const std::string& marker) {
  char buf[4096];
  while (!contains(got, marker)) {
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n <= 0) return false;
    got.append(buf, static_cast<std::size_t>(n));
  }
  return true;
}

// Run A waits at its first question, its lock held: everything computed so
// far is in its report on disk, and run B in the same folder stops at once
// (status 1, the folder named) without touching a file. A then completes with
// the report it writes alone.
TEST(Process, SecondRunInTheSameFolderIsRefusedWhileTheFirstWaits) {
  signal(SIGPIPE, SIG_IGN);  // a child that ended early must fail the test, not kill it
  TempDir root;
  const fs::path work = root.path() / "work";
  fs::create_directories(work);
  writeFile(work / "KR-22-03-2017.TSK", exampleInput());
  int toA[2], fromA[2];
  ASSERT_EQ(pipe2(toA, O_CLOEXEC), 0);
  ASSERT_EQ(pipe2(fromA, O_CLOEXEC), 0);
  const pid_t a = start(work, toA[0], fromA[1], fromA[1]);
  close(toA[0]);
  close(fromA[1]);
  std::string consoleA;
  const bool asked = readUntil(fromA[0], consoleA, "BASLANGIC ICIN GENEL VERIMI GIRIN");
  EXPECT_TRUE(asked) << consoleA;
  if (asked) {
    // Flushed before the question: the resistance part and the heading of the propeller choice.
    const std::string partial = readFile(work / "KR-22-03-2017.SON");
    EXPECT_TRUE(contains(partial, "CIKIS BILGILERI"));
    EXPECT_TRUE(contains(partial, "OPTIMUM PERVANENIN TESPITI"));

    const auto before = filesOf(work);
    const int nullIn = openFile("/dev/null", O_RDONLY);
    const int outB = openFile(root.path() / "consoleB", O_WRONLY | O_CREAT | O_TRUNC);
    const Ending b = waitFor(start(work, nullIn, outB, outB));
    close(nullIn);
    close(outB);
    const std::string consoleB = readFile(root.path() / "consoleB");
    EXPECT_FALSE(b.signaled);
    EXPECT_EQ(b.status, gemi::kReadFailureStatus) << consoleB;
    EXPECT_TRUE(contains(consoleB, "KULLANIMDA")) << consoleB;
    EXPECT_TRUE(contains(consoleB, work.string())) << consoleB;
    EXPECT_TRUE(filesOf(work) == before) << "the refused run touched a file";
  }
  const std::string answers = kAnswers;
  EXPECT_EQ(write(toA[1], answers.data(), answers.size()), static_cast<ssize_t>(answers.size()));
  close(toA[1]);
  readUntil(fromA[0], consoleA, "\x01");  // to the end of A's output
  close(fromA[0]);
  const Ending endA = waitFor(a);
  EXPECT_FALSE(endA.signaled);
  EXPECT_EQ(endA.status, 0) << consoleA;
  const fs::path expected = fs::path(GEMI_SOURCE_DIR) / "tests/data/sound_runs/example/expected";
  EXPECT_TRUE(readFile(work / "KR-22-03-2017.SON") == readFile(expected / "KR-22-03-2017.SON"));
}

// A console that cannot be written, or a console that is a device, or a
// start folder that is gone: a failure with a non-zero status, never a
// signal, never a silent success; a closed standard output never receives
// a file of the run.
TEST(Process, BrokenConsoleAndFolderCases) {
  enum class Out { Closed, Full, PipeWithoutReader, File };
  const struct {
    const char* name;
    Out out;
    const char* stdinFile;  // nullptr: the answers
    bool deleteDir;
    const char* says;       // in standard output or error (nullptr: not checked)
  } cases[] = {
      {"standard output closed", Out::Closed, nullptr, false, "KONSOL YAZILAMADI"},
      {"standard output full", Out::Full, nullptr, false, "KONSOL YAZILAMADI"},
      {"standard output a pipe nobody reads", Out::PipeWithoutReader, nullptr, false, "KONSOL YAZILAMADI"},
      {"console input a device without line ends", Out::File, "/dev/zero", false, "uzun"},
      {"start folder deleted", Out::File, nullptr, true, "CALISMA KLASORU BULUNAMADI"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.out == Out::Full && !fs::exists("/dev/full")) continue;
    TempDir root;
    const fs::path work = root.path() / "work";
    fs::create_directories(work);
    if (!c.deleteDir) writeFile(work / "KR-22-03-2017.TSK", exampleInput());  // an empty folder can be removed
    writeFile(root.path() / "answers", kAnswers);
    const int in = openFile(c.stdinFile ? fs::path(c.stdinFile) : root.path() / "answers", O_RDONLY);
    const int err = openFile(root.path() / "stderr", O_WRONLY | O_CREAT | O_TRUNC);
    int out = kClosed;
    int pipeEnds[2] = {-1, -1};
    switch (c.out) {
      case Out::Closed: break;
      case Out::Full: out = openFile("/dev/full", O_WRONLY); break;
      case Out::PipeWithoutReader:
        ASSERT_EQ(pipe2(pipeEnds, O_CLOEXEC), 0);
        close(pipeEnds[0]);
        out = pipeEnds[1];
        break;
      case Out::File: out = openFile(root.path() / "stdout", O_WRONLY | O_CREAT | O_TRUNC); break;
    }
    const Ending e = waitFor(start(work, in, out, err, c.deleteDir));
    for (int fd : {in, err, out})
      if (fd >= 0) close(fd);
    const std::string said = readFile(root.path() / "stdout") + readFile(root.path() / "stderr");
    EXPECT_FALSE(e.signaled);
    EXPECT_NE(e.status, 0) << said;
    EXPECT_NE(e.status, 126);
    EXPECT_NE(e.status, 127);
    EXPECT_TRUE(contains(said, c.says)) << said;
    if (c.out == Out::Closed) {
      // Refused before any file was opened: the folder holds the input alone.
      EXPECT_EQ(filesOf(work).size(), 1u);
    }
  }
}

}  // namespace
