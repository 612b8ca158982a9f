#include "platform.h"

#include <fcntl.h>
#include <iconv.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
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

namespace {

// Appends the code page 932 form of a run of characters when it comes back as the very same
// characters. glibc's converter writes look-alikes for some (a backslash for the yen sign, "~"
// for the overline, the code page's own wave dash and minus for U+301C and U+2212), and a log
// that names them would name files that do not exist.
bool convertExactly(Codecs& c, std::string_view run, std::string& out) {
  std::string bytes;
  std::string_view in = run;
  if (!c.toCp932.convert(in, bytes)) return false;
  std::string back;
  std::string_view converted = bytes;
  if (!c.fromCp932.convert(converted, back) || back != run) return false;
  out += bytes;
  return true;
}

}  // namespace

std::string utf8ToCp932(std::string_view utf8) {
  const std::string text = utf8::sanitize(utf8);
  std::string_view rest = text;
  std::string out;
  out.reserve(rest.size());
  Codecs& c = codecs();
  const auto isAscii = [](char ch) { return static_cast<unsigned char>(ch) < 0x80; };
  while (!rest.empty()) {
    // ASCII is the same in both and never part of a longer sequence: runs of it are copied,
    // and only the runs between them go through the converter (a log line is mostly a path).
    const auto asciiEnd = std::find_if_not(rest.begin(), rest.end(), isAscii);
    out.append(rest.begin(), asciiEnd);
    rest.remove_prefix(static_cast<size_t>(asciiEnd - rest.begin()));
    const auto otherEnd = std::find_if(rest.begin(), rest.end(), isAscii);
    std::string_view run = rest.substr(0, static_cast<size_t>(otherEnd - rest.begin()));
    rest.remove_prefix(run.size());
    if (!c.toCp932.ok() || !c.fromCp932.ok()) {
      // Without the converters only ASCII is certain to survive.
      out.append(utf8::length(run), '?');
      continue;
    }
    if (convertExactly(c, run, out)) continue;
    // Character by character, so that only those without an exact code become "?".
    while (!run.empty()) {
      const size_t length = utf8::sequenceLength(run);
      if (!convertExactly(c, run.substr(0, length), out)) out.push_back('?');
      run.remove_prefix(length);
    }
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

// One write, so that another program appending to the same log never lands inside a record;
// a full disk leaves nothing of the record behind instead of half a line. With O_APPEND the
// offset after the write is the end of what this write put down, so a short write is cut back
// to its own start without asking for the size first: a stat before every line would also
// make the system stamp each write's modification time finely, which doubled its cost.
bool appendToFile(const fs::path& path, std::string_view bytes, std::size_t writeAtMost) {
  Fd fd(::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
  if (fd.get() < 0) return false;
  ssize_t written;
  do {
    written = ::write(fd.get(), bytes.data(), std::min(bytes.size(), writeAtMost));
  } while (written < 0 && errno == EINTR);
  if (written != static_cast<ssize_t>(bytes.size())) {
    if (written > 0) {
      const off_t end = ::lseek(fd.get(), 0, SEEK_CUR);
      if (end >= written) (void)::ftruncate(fd.get(), end - written);
    }
    return false;
  }
  return fd.close();
}

}  // namespace batora::platform

#include <dirent.h>

#include "nameorder.h"

namespace batora::platform {
namespace {

// Owns a directory stream.
class DirStream {
 public:
  explicit DirStream(const fs::path& path) : m_dir(::opendir(path.c_str())) {}
  DirStream(const DirStream&) = delete;
  DirStream& operator=(const DirStream&) = delete;
  ~DirStream() {
    if (m_dir) ::closedir(m_dir);
  }
  DIR* get() const { return m_dir; }

 private:
  DIR* m_dir;
};

enum class EntryKind { kFile, kFolder, kNeither };

EntryKind classify(int dirFd, const dirent& entry) {
  switch (entry.d_type) {
    case DT_REG:
      return EntryKind::kFile;
    case DT_DIR:
      return EntryKind::kFolder;
    case DT_LNK:
    case DT_UNKNOWN:
      break;
    default:
      return EntryKind::kNeither;
  }
  struct stat st {};
  if (::fstatat(dirFd, entry.d_name, &st, AT_SYMLINK_NOFOLLOW) != 0) return EntryKind::kNeither;
  if (S_ISREG(st.st_mode)) return EntryKind::kFile;
  if (S_ISDIR(st.st_mode)) return EntryKind::kFolder;
  if (!S_ISLNK(st.st_mode)) return EntryKind::kNeither;
  // A link counts as the file it points to; a link to a folder is never walked into.
  if (::fstatat(dirFd, entry.d_name, &st, 0) != 0) return EntryKind::kNeither;
  return S_ISREG(st.st_mode) ? EntryKind::kFile : EntryKind::kNeither;
}

}  // namespace

std::optional<FolderListing> readFolder(const fs::path& folder, ReadPauses pauses) {
  DirStream dir(folder);
  if (!dir.get()) return std::nullopt;
  FolderListing listing;
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(dir.get());
    if (!entry) {
      if (errno != 0) return std::nullopt;
      break;
    }
    std::string_view name = entry->d_name;
    if (name == "." || name == "..") continue;
    pauses.beforeEntry();
    switch (classify(::dirfd(dir.get()), *entry)) {
      case EntryKind::kFile:
        listing.files.emplace_back(name);
        break;
      case EntryKind::kFolder:
        listing.folders.emplace_back(name);
        break;
      case EntryKind::kNeither:
        break;
    }
  }
  // The home platform lists a folder in case-insensitive order, and users expect the list to
  // read that way without sorting; the order readdir gives is hash order.
  pauses.beforeOrdering();
  sortInHomeOrder(listing.files);
  sortInHomeOrder(listing.folders);
  return listing;
}

}  // namespace batora::platform

#include <cstdio>
#include <cstring>

namespace batora::platform {
namespace {

RenameOutcome failure(int error) {
  return {error == EEXIST ? RenameResult::kTargetExists : RenameResult::kFailed,
          std::strerror(error)};
}

// For file systems that do not know the no-replace flag: a hard link cannot replace anything
// either, and the old name goes only once the new one stands.
RenameOutcome linkThenUnlink(const fs::path& from, const fs::path& to) {
  if (::link(from.c_str(), to.c_str()) != 0) return failure(errno);
  if (::unlink(from.c_str()) != 0) {
    int error = errno;
    ::unlink(to.c_str());
    return failure(error);
  }
  return {};
}

}  // namespace

RenameOutcome renameNoReplace(const fs::path& from, const fs::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) return {};
  const int error = errno;
  if (error == EINVAL || error == ENOSYS || error == EOPNOTSUPP) {
    // EINVAL also means "moving a folder into itself"; only a plain file falls back.
    struct stat st {};
    if (::lstat(from.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) return linkThenUnlink(from, to);
  }
  return failure(error);
}

bool sameEntry(const fs::path& a, const fs::path& b) {
  return a.lexically_normal().native() == b.lexically_normal().native();
}

}  // namespace batora::platform
