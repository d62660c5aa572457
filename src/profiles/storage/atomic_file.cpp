#include "profiles/storage/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

#include "platform/debug_output.h"

namespace {

std::atomic<AtomicWriteStep> g_failurePoint{AtomicWriteStep::kNone};

bool FailsAt(AtomicWriteStep step) { return g_failurePoint.load(std::memory_order_relaxed) == step; }

std::string FolderOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string FileNameOf(const std::string& path) {
  size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, const char* data, size_t size) {
  while (size > 0) {
    ssize_t written = write(fd, data, size);
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += written;
    size -= static_cast<size_t>(written);
  }
  return true;
}

// A new file takes the permissions of the one it replaces, or the usual ones for user data.
void CopyPermissions(int fd, const std::string& target) {
  struct stat existing {};
  mode_t mode = (stat(target.c_str(), &existing) == 0) ? (existing.st_mode & 07777) : 0644;
  fchmod(fd, mode);
}

// The rename itself lives in the folder's entry list; without this a power cut right after the
// rename could bring the old entry back.
void FlushFolder(const std::string& folder) {
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

bool Abandon(int fd, const std::string& temporary, const char* why) {
  if (fd >= 0) close(fd);
  unlink(temporary.c_str());
  OutputDebugString(std::string("atomic write: ") + why + " (" + temporary + ")");
  return false;
}

}  // namespace

void SetAtomicWriteFailurePoint(AtomicWriteStep step) { g_failurePoint.store(step, std::memory_order_relaxed); }

bool WriteFileAtomically(const std::string& path, std::string_view bytes) {
  if (path.empty() || path.back() == '/') return false;
  const std::string folder = FolderOf(path);
  std::string temporary = folder + "/." + FileNameOf(path) + ".tmp-XXXXXX";
  int fd = mkostemp(temporary.data(), O_CLOEXEC);
  if (fd < 0) {
    OutputDebugString("atomic write: cannot create a temporary file beside " + path);
    return false;
  }
  if (FailsAt(AtomicWriteStep::kAfterTemporaryCreated)) return Abandon(fd, temporary, "failure injected");
  CopyPermissions(fd, path);

  size_t firstPart = FailsAt(AtomicWriteStep::kMidWrite) ? bytes.size() / 2 : bytes.size();
  if (!WriteAll(fd, bytes.data(), firstPart)) return Abandon(fd, temporary, "write failed");
  if (FailsAt(AtomicWriteStep::kMidWrite)) return Abandon(fd, temporary, "failure injected");
  if (fsync(fd) != 0) return Abandon(fd, temporary, "flush failed");
  if (FailsAt(AtomicWriteStep::kBeforeRename)) return Abandon(fd, temporary, "failure injected");
  if (close(fd) != 0) return Abandon(-1, temporary, "close failed");
  if (std::rename(temporary.c_str(), path.c_str()) != 0) return Abandon(-1, temporary, "rename failed");
  FlushFolder(folder);
  return true;
}
