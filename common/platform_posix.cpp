#include "platform.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <system_error>

#include "utf8.h"

namespace batora::platform {
namespace fs = std::filesystem;

namespace {

// Owns a file descriptor; closes it on every path.
class Fd {
 public:
  explicit Fd(int fd) : m_fd(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (m_fd >= 0) ::close(m_fd);
  }
  int get() const { return m_fd; }
  // Closing can report a late write failure, so writers ask for it.
  bool close() {
    int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }

 private:
  int m_fd;
};

// Owns an iconv descriptor.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : m_cd(::iconv_open(to, from)) {}
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;
  ~Iconv() {
    if (ok()) ::iconv_close(m_cd);
  }
  bool ok() const { return m_cd != reinterpret_cast<iconv_t>(-1); }

  // Converts as much as possible; stops at an invalid or unconvertible sequence.
  // Returns false when it stopped early; `in` is advanced past what was converted.
  bool convert(std::string_view& in, std::string& out) {
    ::iconv(m_cd, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    bool complete = true;
    while (srcLeft > 0) {
      char buffer[4096];
      char* dst = buffer;
      size_t dstLeft = sizeof buffer;
      size_t rc = ::iconv(m_cd, &src, &srcLeft, &dst, &dstLeft);
      out.append(buffer, static_cast<size_t>(dst - buffer));
      if (rc == static_cast<size_t>(-1) && errno != E2BIG) {
        complete = false;
        break;
      }
    }
    in.remove_prefix(in.size() - srcLeft);
    return complete;
  }

 private:
  iconv_t m_cd;
};

// One conversion pair per thread: opening a converter costs far more than a log line.
struct Codecs {
  Iconv toCp932{"CP932", "UTF-8"};
  Iconv fromCp932{"UTF-8", "CP932"};
};

Codecs& codecs() {
  thread_local Codecs c;
  return c;
}

bool isDirectory(const fs::path& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

fs::path programFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return fs::current_path();
  return exe.parent_path();
}

std::string programName() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string("Batora") : exe.stem().string();
}

std::string utf8ToCp932(std::string_view utf8) {
  std::string text = utf8::sanitize(utf8);
  std::string_view in = text;
  std::string out;
  out.reserve(in.size());
  Iconv& cd = codecs().toCp932;
  if (!cd.ok()) {
    // Without the converter only ASCII is certain to survive.
    for (char32_t c : utf8::decode(text)) out.push_back(c < 0x80 ? static_cast<char>(c) : '?');
    return out;
  }
  while (!cd.convert(in, out)) {
    out.push_back('?');
    in.remove_prefix(utf8::sequenceLength(in));
  }
  return out;
}

std::string cp932ToUtf8(std::string_view cp932) {
  std::string out;
  out.reserve(cp932.size() * 3 / 2);
  Iconv& cd = codecs().fromCp932;
  if (!cd.ok()) return utf8::sanitize(cp932);
  while (!cd.convert(cp932, out)) {
    out += utf8::kReplacement;
    cp932.remove_prefix(1);
  }
  return out;
}

std::uint32_t tickCount() {
  timespec ts{};
  ::clock_gettime(CLOCK_MONOTONIC, &ts);
  auto ms = static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
            static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
  return static_cast<std::uint32_t>(ms);
}

LocalDateTime localNow() {
  std::time_t now = std::time(nullptr);
  std::tm tm{};
  ::localtime_r(&now, &tm);
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

fs::path pathFromUtf8(std::string_view utf8) {
  return fs::path(std::string(utf8));
}

std::string pathToUtf8(const fs::path& path) {
  return utf8::sanitize(path.native());
}

LookUp lookUp(const fs::path& path, bool foldersCount) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) {
    switch (errno) {
      case ENOENT:
      case ENOTDIR:
        return LookUp::kMissing;
      default:
        return LookUp::kFailed;
    }
  }
  if (S_ISDIR(st.st_mode) && !foldersCount) return LookUp::kMissing;
  return LookUp::kFound;
}

bool canReadFile(const fs::path& path) {
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return false;
  struct stat st {};
  return ::fstat(fd.get(), &st) == 0 && !S_ISDIR(st.st_mode);
}

std::optional<std::string> readFile(const fs::path& path) {
  if (isDirectory(path)) return std::nullopt;
  Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (fd.get() < 0) return std::nullopt;
  std::string content;
  char buffer[65536];
  for (;;) {
    ssize_t n = ::read(fd.get(), buffer, sizeof buffer);
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (n == 0) break;
    content.append(buffer, static_cast<size_t>(n));
  }
  return content;
}

bool appendToFile(const fs::path& path, std::string_view bytes) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
  if (fd.get() < 0) return false;
  while (!bytes.empty()) {
    ssize_t n = ::write(fd.get(), bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return fd.close();
}

}  // namespace batora::platform
