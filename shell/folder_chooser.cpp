#include "shell/folder_chooser.h"

#include <algorithm>

#include "shell/drive_list.h"
#include "shell/folder_list.h"

namespace brixel {

FolderChooser::FolderChooser(DriveList& drives, FolderList& folders, const VolumeSource& source,
                             QObject* parent)
    : QObject(parent), drives_(drives), folders_(folders), source_(source) {
  connect(&drives_, &QComboBox::currentIndexChanged, this, &FolderChooser::OnDriveChosen);
  connect(&folders_, &FolderList::pathChanged, this, &FolderChooser::OnPathChanged);
  connect(&drives_, &DriveList::aboutToOpen, this, &FolderChooser::ReloadDrives);
}

void FolderChooser::ReloadDrives() {
  const auto root_at = [this](int index) {
    return index >= 0 && index < drives_.count() ? drives_.VolumeAt(index).root : std::string();
  };
  const std::string shown = root_at(drives_.currentIndex());
  const std::string remembered = root_at(remembered_);
  drives_.SetVolumes(source_.Volumes());
  int now_shown = IndexOf(shown);
  if (now_shown < 0) now_shown = drives_.IndexHolding(folders_.Path());
  drives_.SelectQuietly(now_shown);
  const int now_remembered = IndexOf(remembered);
  remembered_ = now_remembered >= 0 ? now_remembered : std::max(now_shown, 0);
}

std::string FolderChooser::OnDrive(std::string folder) {
#ifdef _WIN32
  // Windows takes a drive letter in either case ("c:\music" from a shortcut's start folder); the
  // drives are named in capitals.
  if (folder.size() >= 2 && folder[1] == ':' && folder[0] >= 'a' && folder[0] <= 'z')
    folder[0] = static_cast<char>(folder[0] - 'a' + 'A');
#endif
  return folder;
}

void FolderChooser::Start(const std::string& start_folder) {
  const std::string folder = OnDrive(start_folder);
  drives_.SetVolumes(source_.Volumes());
  const int index = drives_.IndexHolding(folder);
  drives_.SelectQuietly(index);
  const std::string top = index >= 0 ? drives_.VolumeAt(index).root : std::string("/");
  quiet_ = true;
  if (!folders_.SetPath(top, folder)) folders_.SetPath(top, top);
  quiet_ = false;
  // Where nothing holds the start folder, a failed drive change returns to the first drive.
  remembered_ = index >= 0 ? index : 0;
  last_folder_[top] = folders_.Path();
}

FolderChooser::Place FolderChooser::Current() const {
  return {drives_.currentIndex(), remembered_, folders_.Model().Top(), folders_.Path()};
}

void FolderChooser::ReturnTo(const Place& place) {
  if (place.folder.empty()) return;  // no place yet
  drive_check_.Drop();
  quiet_ = true;
  if (place.drive < drives_.count()) drives_.SelectQuietly(place.drive);
  if (!place.folder.empty() && place.folder != folders_.Path()) folders_.SetPath(place.top, place.folder);
  quiet_ = false;
  if (place.remembered < drives_.count()) remembered_ = place.remembered;
}

void FolderChooser::ChooseFolder(const std::string& chosen) {
  const std::string folder = OnDrive(chosen);
  ReloadDrives();  // it may be on a drive plugged in since
  const int holding = drives_.IndexHolding(folder);
  if (holding < 0) return;
  const Volume volume = drives_.VolumeAt(holding);
  CheckDrive(volume, [this, root = volume.root, folder](bool ready) {
    const int index = IndexOf(root);
    if (!ready || index < 0) return;
    quiet_ = true;
    const bool opened = folders_.SetPath(root, folder);
    quiet_ = false;
    if (!opened) return;
    drives_.SelectQuietly(index);
    remembered_ = index;
    last_folder_[root] = folders_.Path();
    emit folderChanged();
  });
}

int FolderChooser::IndexOf(const std::string& root) const {
  for (int i = 0; i < drives_.count(); ++i)
    if (drives_.VolumeAt(i).root == root) return i;
  return -1;
}

void FolderChooser::OnPathChanged() {
  if (!quiet_ && drive_check_.Waiting()) {
    // A folder chosen while a drive was checked wins: the drive list shows its drive again.
    drive_check_.Drop();
    drives_.SelectQuietly(drives_.IndexHolding(folders_.Path()));
  }
  const int index = drives_.currentIndex();
  if (index >= 0) last_folder_[drives_.VolumeAt(index).root] = folders_.Path();
  if (!quiet_) emit folderChanged();
}

void FolderChooser::OnDriveChosen(int index) {
  if (index < 0) return;
  const Volume volume = drives_.VolumeAt(index);
  CheckDrive(volume, [this, root = volume.root](bool ready) { OnDriveChecked(root, ready); });
}

void FolderChooser::CheckDrive(const Volume& volume, std::function<void(bool)> answered) {
  drive_check_.Ask<bool>([&source = source_, volume](std::stop_token) { return source.IsReady(volume); },
                         std::move(answered));
}

void FolderChooser::OnDriveChecked(const std::string& root, bool ready) {
  const int index = IndexOf(root);  // the drive list may have been read again meanwhile
  bool opened = ready && index >= 0;
  if (opened) {
    quiet_ = true;
    const auto last = last_folder_.find(root);
    opened =
        (last != last_folder_.end() && folders_.SetPath(root, last->second)) || folders_.SetPath(root, root);
    quiet_ = false;
  }
  if (opened) {
    remembered_ = index;
    last_folder_[root] = folders_.Path();
    emit folderChanged();
    return;
  }
  // Not ready: the folder list keeps its folder; the drive list goes back.
  if (index != remembered_ && remembered_ < drives_.count()) {
    drives_.setCurrentIndex(remembered_);  // a drive change of its own
  } else {
    drives_.SelectQuietly(drives_.IndexHolding(folders_.Path()));
  }
}

}  // namespace brixel
