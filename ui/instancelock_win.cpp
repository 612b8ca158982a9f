#include <QCryptographicHash>

#include "instancelock.h"
#include "qstringutf8.h"
#include "winshell.h"

namespace batora {

struct InstanceLock::Claim {
  explicit Claim(const std::string& name) : instance(name) {}
  winshell::SingleInstance instance;
};

namespace {

// A mutex name may not hold "\", which a path does; its digest tells keys apart as well.
std::string mutexName(const QString& key) {
  const QByteArray digest =
      QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
  return "Batora-" + std::string(digest.constData(), static_cast<std::size_t>(digest.size()));
}

}  // namespace

InstanceLock::InstanceLock(const QString& key) : m_claim(std::make_unique<Claim>(mutexName(key))) {}

InstanceLock::~InstanceLock() = default;

bool InstanceLock::anotherInstanceRuns() {
  return m_claim->instance.anotherInstanceRuns();
}

}  // namespace batora
