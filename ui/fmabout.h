#pragma once
// The About box: the program's name, version and description, and a button that starts the
// system-information tool.

#include <QDialog>
#include <QString>

#include "toolkit.h"

class QLabel;
class QPushButton;

namespace batora {

// "Batora　Ver. " and the three numbers joined with ".", each in decimal without leading zeros.
QString aboutTitle(int major, int minor, int revision);

// One coordinate of the corner that centres a window on the screen, both sizes in twips.
long centredTwips(double screenTwips, double windowTwips);

// Keeps no state: the main window constructs one, calls exec() and discards it, so that every
// showing starts afresh. Enter, Esc and the close box all close it.
class fmAbout final : public QDialog {
  Q_OBJECT

 public:
  explicit fmAbout(Toolkit& toolkit, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int pixelsX(int twips) const;
  int pixelsY(int twips) const;
  QRect pixelRect(int left, int top, int width, int height) const;
  void centreOnScreen();
  void cmdSysInfo_Click();

  Toolkit& m_toolkit;

  // Controls, in tab order.
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdSysInfo = nullptr;
  QLabel* picIcon = nullptr;
  QLabel* lblDescription = nullptr;
  QLabel* lblTitle = nullptr;
};

}  // namespace batora
