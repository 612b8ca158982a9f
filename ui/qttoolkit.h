#pragma once
// The application-wide toolkit services on Qt.

#include <QPointer>
#include <QString>
#include <QWidget>

#include "instancelock.h"
#include "toolkit.h"

namespace batora {

class QtToolkit final : public Toolkit {
 public:
  // Claims the single-instance lock at lockFilePath (on Windows a named mutex named after it)
  // for as long as this object lives.
  explicit QtToolkit(const QString& lockFilePath = defaultLockFilePath());
  ~QtToolkit() override;
  QtToolkit(const QtToolkit&) = delete;
  QtToolkit& operator=(const QtToolkit&) = delete;

  // One lock per user: in the user's runtime folder, or the temporary folder without one.
  static QString defaultLockFilePath();

  // The window message boxes belong to and are centred on while it is shown; until then (and
  // by default) boxes are centred on the screen.
  void setDialogParent(QWidget* parent) { m_dialogParent = parent; }

  int messageBox(std::string_view text, std::string_view title, int style) override;
  void beep() override;
  void setMousePointer(int pointer) override;
  void yield() override;
  bool clipboardHasText() override;
  std::string clipboardText() override;
  void setClipboardText(std::string_view text) override;
  bool startProgram(const std::string& program, const std::vector<std::string>& args) override;
  int openDocument(const std::string& file, const std::string& folder) override;
  // True only while another live instance holds the lock; takes the lock once it is free.
  bool previousInstance() override;
  Size screenSizeTwips() override;

 private:
  QPointer<QWidget> m_dialogParent;
  InstanceLock m_instanceLock;
  bool m_busyPointer = false;
};

}  // namespace batora
