#include "run/process.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <filesystem>
#include <system_error>

#include "run/driver.h"
#include "run/run_files.h"

namespace gemi {

int openStandardDescriptors() {
  int closed = 0;
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free descriptor is taken: this one.
    if (::open("/dev/null", fd == 0 ? O_RDONLY : O_WRONLY) != fd) return -1;
    closed |= 1 << fd;
  }
  return closed;
}

void ignoreBrokenPipe() { std::signal(SIGPIPE, SIG_IGN); }

int runInStartFolder(std::istream& consoleIn, std::ostream& consoleOut) {
  std::error_code ec;
  const std::filesystem::path dir = std::filesystem::current_path(ec);
  if (ec) {
    ConsoleSink con(consoleOut);
    return reportFailure(con,
                         "CALISMA KLASORU BULUNAMADI: programin baslatildigi klasor artik yok veya okunamiyor (" +
                             systemReason(ec.value()) + "); var olan bir klasorde yeniden baslatin.",
                         kReadFailureStatus);
  }
  return runProgram(consoleIn, consoleOut, dir);
}

}  // namespace gemi
