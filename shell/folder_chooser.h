#pragma once
// Keeps the drive list and the folder list together. Choosing a drive shows the folder last shown
// on it (its root the first time). A drive that cannot be opened is undone without a word: the
// folder list stays where it was and the drive list goes back to the last drive that opened,
// which is then chosen again in its turn.
#include <QObject>
#include <map>
#include <string>

namespace brixel {

class DriveList;
class FolderList;
class VolumeSource;

class FolderChooser : public QObject {
  Q_OBJECT

 public:
  FolderChooser(DriveList& drives, FolderList& folders, const VolumeSource& source, QObject* parent);

  // Start-up: every drive of the source, the one holding folder chosen, and folder shown. Reports
  // nothing; the window refreshes what depends on it itself.
  void Start(const std::string& folder);

  // The drive list position after the last drive change that worked; the start-up drive first.
  int RememberedDrive() const { return remembered_; }

  // Where the choice stands: the drive shown, the drive remembered and the folder shown.
  struct Place {
    int drive = -1;
    int remembered = 0;
    std::string top;
    std::string folder;
  };
  Place Current() const;
  // Back to a place, reporting nothing: a cancelled listing leaves the choice as it was before it.
  // A folder that can no longer be opened is left as it is shown.
  void ReturnTo(const Place& place);

  // Asks the source for its drives again, keeping the drive shown and the one remembered where
  // they are still there. Runs whenever the drive list opens.
  void ReloadDrives();

  // Shows folder on its drive and reports it, as a choice in the lists does (a folder handed to
  // the window from outside). False, changing nothing, when it cannot be opened.
  bool ChooseFolder(const std::string& folder);

 signals:
  // The folder list shows another folder (or the drive was chosen again): rebuild what shows it.
  void folderChanged();

 private:
  // A folder as the drives name it.
  static std::string OnDrive(std::string folder);
  void OnDriveChosen(int index);
  void OnPathChanged();

  DriveList& drives_;
  FolderList& folders_;
  const VolumeSource& source_;
  std::map<std::string, std::string> last_folder_;  // drive root -> folder last shown there
  int remembered_ = 0;
  bool quiet_ = false;
};

}  // namespace brixel
