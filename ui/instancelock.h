#pragma once
// One instance per program: a claim held while the object lives. One file per platform: a lock
// file (instancelock_posix.cpp), a named mutex of the user's session (instancelock_win.cpp).

#include <QString>
#include <memory>

namespace batora {

class InstanceLock {
 public:
  // `key` names the claim: the lock file's path, or what the mutex is named after.
  explicit InstanceLock(const QString& key);
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();

  // True only while another live instance holds the claim; takes the claim once it is free.
  bool anotherInstanceRuns();

 private:
  struct Claim;
  std::unique_ptr<Claim> m_claim;
};

}  // namespace batora
