#pragma once
// The status bar on Qt: five panels found by key, pictures by handle, and the date and time
// panels kept current by the bar itself.

#include <QIcon>
#include <QString>
#include <QWidget>
#include <span>
#include <vector>

#include "clock.h"
#include "formlayout.h"
#include "statuspanels.h"
#include "toolkit.h"

class QTimer;

namespace batora {

class StatusPanel;

class QtStatusBar final : public QWidget, public StatusBar {
  Q_OBJECT

 public:
  // One panel per row of the layout, left to right. The clock drives the date and time panels
  // and must outlive the bar.
  QtStatusBar(Clock& clock, std::span<const PanelSpec> panels, QWidget* parent = nullptr);

  // The handle a panel is given to show the icon; handles count up from 1.
  Picture registerPicture(const QIcon& icon);

  // Unknown keys throw std::out_of_range.
  int panelWidth(std::string_view key) const;
  void setPanelWidth(std::string_view key, int pixels);

  std::string panelText(std::string_view key) const override;
  void setPanelText(std::string_view key, std::string text) override;
  Picture panelPicture(std::string_view key) const override;
  // Picture{} removes the picture; a handle that was never registered throws std::out_of_range.
  void setPanelPicture(std::string_view key, Picture picture) override;
  void repaint() override;
  long panelWidthTwips(std::string_view key) const override;
  void setPanelWidthTwips(std::string_view key, long twips) override;

 signals:
  // A click with the left button that both starts and ends on the panel.
  void panelClicked(const QString& key);

 private:
  StatusPanel& panel(std::string_view key) const;
  void showDateAndTime();

  Clock& m_clock;
  std::vector<StatusPanel*> m_panels;
  std::vector<QIcon> m_pictures;
  QTimer* m_clockTimer;
};

}  // namespace batora
