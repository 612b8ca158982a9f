#pragma once
// OLE on the calling thread while the object lives: drag and drop between programs needs it.

#include <windows.h>
// after windows.h, which it needs
#include <ole2.h>

namespace batora {

class OleSession {
 public:
  OleSession() : m_started(SUCCEEDED(::OleInitialize(nullptr))) {}
  OleSession(const OleSession&) = delete;
  OleSession& operator=(const OleSession&) = delete;
  ~OleSession() {
    if (m_started) ::OleUninitialize();
  }

 private:
  bool m_started;
};

}  // namespace batora
