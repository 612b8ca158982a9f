#pragma once
// The About box on Qt: the widgets built from fmAboutLayout(), the etched rule, and the form
// logic (AboutForm) its buttons are handed to.

#include <QDialog>
#include <memory>

#include "aboutform.h"
#include "qtformcontrols.h"
#include "toolkit.h"

namespace batora {

class QtWindow;

// Keeps no state: the main window constructs one, calls exec() and discards it, so that every
// showing starts afresh. Enter, Esc and the close box all close it.
class fmAbout final : public QDialog {
  Q_OBJECT

 public:
  explicit fmAbout(Toolkit& toolkit, QWidget* parent = nullptr);
  ~fmAbout() override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QtFormControls m_controls;
  std::unique_ptr<QtWindow> m_window;
  std::unique_ptr<AboutForm> m_form;
};

}  // namespace batora
