#include "run/run_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ext/stdio_filebuf.h>
#include <system_error>

#include "format/record_reader.h"
#include "run/run.h"

namespace gemi {

std::string systemReason(int err) {
  switch (err) {
    case EISDIR: return "bu adda bir klasor var";
    case EACCES:
    case EPERM: return "izin yok (salt okunur dosya veya klasor)";
    case EROFS: return "salt okunur dosya sistemi";
    case ENAMETOOLONG: return "yol veya dosya adi cok uzun";
    case ENOENT: return "klasor bulunamadi";
    case ENOTDIR: return "yolun bir parcasi klasor degil";
    case ENOSPC: return "diskte yer kalmadi";
    case EDQUOT: return "disk kotasi doldu";
    case ELOOP: return "sembolik baglanti";
    case ETXTBSY:
    case EBUSY: return "dosya kullanimda";
    default: return std::generic_category().message(err);
  }
}

FolderLock::FolderLock(const std::filesystem::path& dir) {
  const std::filesystem::path path = dir / kLockFileName;
  // No link is followed and nothing waits: the lock file is the program's own.
  fd_ = ::open(path.c_str(), O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
  if (fd_ < 0) {
    const int err = errno;
    throw ReadFailure("CALISMA KLASORU KILITLENEMEDI: " + dir.string() + " (kilit dosyasi " + kLockFileName +
                      " acilamiyor: " + systemReason(err) + "); rapor " + kReportFileName +
                      " ve diger dosyalar bu klasore yazilamaz.");
  }
  struct stat st {};
  if (::fstat(fd_, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd_);
    fd_ = -1;
    throw ReadFailure("CALISMA KLASORU KILITLENEMEDI: " + dir.string() + " (" + kLockFileName +
                      " duzenli bir dosya degil)");
  }
  // flock locks belong to the open file, so two runs in one process exclude
  // each other as two processes do.
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    const int err = errno;
    ::close(fd_);
    fd_ = -1;
    if (err == EWOULDBLOCK)
      throw ReadFailure("CALISMA KLASORU KULLANIMDA: " + dir.string() +
                        " klasorunde baska bir calisma suruyor; raporlar birbirine karismasin diye bu calisma " +
                        "baslatilmadi. O calisma bitince yeniden baslatin.");
    throw ReadFailure("CALISMA KLASORU KILITLENEMEDI: " + dir.string() + " (" + systemReason(err) + ")");
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);  // closing the file drops the lock
}

namespace {

using FdBuf = __gnu_cxx::stdio_filebuf<char>;

[[noreturn]] void refuseInput(const std::filesystem::path& path, const std::string& why) {
  throw ReadFailure("GIRDI DOSYASI KULLANILAMIYOR: " + path.string() + " (" + why + ")");
}

}  // namespace

InputFile::InputFile(const std::filesystem::path& path, std::span<const std::filesystem::path> outputs)
    : in_(nullptr) {
  // O_NONBLOCK: a FIFO without a writer opens at once instead of waiting.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    const int err = errno;
    if (err == ENOENT)
      throw ReadFailure("GIRDI DOSYASI BULUNAMADI: " + path.string() + " (girdi dosyasi " +
                        path.filename().string() + " calisma klasorunde olmali)");
    refuseInput(path, "acilamiyor: " + systemReason(err));
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int err = errno;
    ::close(fd);
    refuseInput(path, systemReason(err));
  }
  if (S_ISDIR(st.st_mode)) {
    ::close(fd);
    throw ReadFailure("GIRDI DOSYASI BULUNAMADI: " + path.string() + " bir klasor (girdi dosyasi " +
                      path.filename().string() + " calisma klasorunde olmali)");
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    refuseInput(path, "duzenli bir dosya degil: FIFO, aygit veya soket; girdi bir metin dosyasi olmali");
  }
  for (const auto& out : outputs) {
    struct stat o {};
    if (::stat(out.c_str(), &o) == 0 && o.st_dev == st.st_dev && o.st_ino == st.st_ino) {
      ::close(fd);
      refuseInput(path, "cikti dosyasi " + out.filename().string() +
                            " ile ayni dosya (baglanti); rapor yazilirken girdi silinirdi");
    }
  }
  ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  buf_ = std::make_unique<FdBuf>(fd, std::ios::in);  // closes the descriptor with the buffer
  in_.rdbuf(buf_.get());
}

InputFile::~InputFile() = default;

void removeOldOutput(const std::filesystem::path& path) {
  std::error_code ec;
  const auto st = std::filesystem::symlink_status(path, ec);
  if (ec && ec != std::errc::no_such_file_or_directory)
    throw ReadFailure("ESKI DOSYA SILINEMEDI: " + path.string() + " (" + systemReason(ec.value()) + ")");
  if (!std::filesystem::exists(st)) return;
  if (std::filesystem::is_directory(st))
    throw ReadFailure("ESKI DOSYA SILINEMEDI: " + path.string() + " (bu adda bir klasor var; klasor silinmez)");
  if (std::filesystem::is_symlink(st)) {
    // A link the user set up stays, as the run writes its outputs through
    // links; what it points to is emptied. No wait for a FIFO without reader.
    const int fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
      ::close(fd);
      return;
    }
    if (errno == ENOENT) return;  // a link to nothing holds no old report
    throw ReadFailure("ESKI DOSYA BOSALTILAMADI: " + path.string() + " (" + systemReason(errno) +
                      "); eski dosya bu calismanin sonucu sanilabilir");
  }
  if (!std::filesystem::remove(path, ec) && ec)
    throw ReadFailure("ESKI DOSYA SILINEMEDI: " + path.string() + " (" + systemReason(ec.value()) +
                      "); eski dosya bu calismanin sonucu sanilabilir");
}

void openForWriting(std::ofstream& f, const std::filesystem::path& path) {
  errno = 0;
  f.open(path, std::ios::out | std::ios::trunc);
  if (f.is_open()) return;
  const int err = errno;
  std::error_code ec;
  const std::string why = std::filesystem::is_directory(path, ec) ? systemReason(EISDIR)
                          : err != 0                             ? systemReason(err)
                                                                 : "nedeni bilinmiyor";
  throw ReadFailure("DOSYA YAZILAMADI: " + path.string() + " olusturulamiyor (" + why + ")");
}

}  // namespace gemi
