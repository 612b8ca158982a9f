#pragma once
// The drive list: on this platform, the mounted volumes with the root first. The "drive" of a
// path is the mount point that holds it.

#include <QComboBox>

#include "toolkit.h"

namespace batora {

class QtDriveList final : public QComboBox, public DriveList {
  Q_OBJECT

 public:
  explicit QtDriveList(QWidget* parent = nullptr);

  static std::string driveOf(const std::string& path);

  std::string drive() const override;
  // Raises driveChanged once when the drive changes; false when no such volume is mounted.
  bool setDrive(const std::string& drive) override;

 signals:
  void driveChanged();

 private:
  void fill();
};

}  // namespace batora
