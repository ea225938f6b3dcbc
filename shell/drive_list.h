#pragma once
// The drive list (Drive1): the volumes of a volume source, shown by folder and name. It only steers
// the folder list; choosing a drive is handled by FolderChooser.
#include <QComboBox>

#include "shell/volume_source.h"

namespace brixel {

class DriveList : public QComboBox {
  Q_OBJECT

 public:
  explicit DriveList(QWidget* parent);

  void SetVolumes(std::vector<Volume> volumes);
  const std::vector<Volume>& Volumes() const { return volumes_; }
  const Volume& VolumeAt(int index) const { return volumes_.at(static_cast<std::size_t>(index)); }

  // The drive that holds a folder: the longest root that is the folder or one of its parents;
  // -1 when none does.
  int IndexHolding(const std::string& folder) const;

  // Shows a drive without reporting a change.
  void SelectQuietly(int index);

  // Reports aboutToOpen first, so the list can be brought up to date (a stick plugged in).
  void showPopup() override;

 signals:
  void aboutToOpen();

 private:
  std::vector<Volume> volumes_;
};

}  // namespace brixel
