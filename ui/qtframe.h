#pragma once
// A frame drawn as on the home platform: an etched line whose top edge runs through the middle
// of the caption's letters, so that the children keep their places inside it.

#include <QGroupBox>

namespace batora {

class QtFrame final : public QGroupBox {
  Q_OBJECT

 public:
  explicit QtFrame(const QString& caption, QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace batora
