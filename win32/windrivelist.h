#pragma once
// The drive list on Win32: a drop-down list of the drives as the classic drive list shows
// them, "c: [SYSTEM]".

#include "wincontrol.h"

namespace batora {

class WinDriveList final : public WinControl, public DriveList {
 public:
  // Filled with the drives present; the drive of the current folder is selected.
  explicit WinDriveList(const ControlPlace& place);

  // The entry text of a drive: lower-case letter, colon, and the volume label in brackets
  // when there is one.
  static std::string entryText(char letter, std::string_view label);
  // The drive that holds a path: its first two characters ("c:").
  static std::string driveOf(const std::string& path);
  // Reads the drives again, keeping the selected one where it still exists.
  void refill();
  int entryCount() const;
  std::string entry(int index) const;

  // "c:"-like text, as the folder list takes it; "" when no drive is selected.
  std::string drive() const override;
  // Takes "c:", "C:" or a path on the drive; false when no such drive exists. Raises onChange
  // when the selection moves.
  bool setDrive(const std::string& drive) override;

  // The user or setDrive chose another drive.
  std::function<void()> onChange;

 protected:
  std::optional<LRESULT> handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int find(char letter) const;
};

}  // namespace batora
