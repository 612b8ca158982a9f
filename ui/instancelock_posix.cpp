#include <QDir>
#include <QFileInfo>
#include <QLockFile>

#include "instancelock.h"

namespace batora {

struct InstanceLock::Claim {
  explicit Claim(const QString& path) : lock(path) {}
  QLockFile lock;
};

InstanceLock::InstanceLock(const QString& key) : m_claim(std::make_unique<Claim>(key)) {
  // A lock older than any limit is still valid while its owner runs: staleness is decided by
  // whether the owning process is alive, so a crashed instance never blocks the next start.
  m_claim->lock.setStaleLockTime(0);
  QDir().mkpath(QFileInfo(key).absolutePath());
  m_claim->lock.tryLock(0);
}

InstanceLock::~InstanceLock() = default;

// A lock that cannot be made at all (no such folder, no permission) is no sign of another
// instance; the program then runs rather than refusing to start.
bool InstanceLock::anotherInstanceRuns() {
  QLockFile& lock = m_claim->lock;
  if (!lock.isLocked()) lock.tryLock(0);
  return !lock.isLocked() && lock.error() == QLockFile::LockFailedError;
}

}  // namespace batora
