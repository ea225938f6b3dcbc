#pragma once
// Keeps the drive list and the folder list together. Choosing a drive shows the folder last shown
// on it (its root the first time). A drive that cannot be opened is undone without a word: the
// folder list stays where it was and the drive list goes back to the last drive that opened,
// which is then chosen again in its turn. Whether a chosen drive is ready is asked on a thread of
// its own (an empty card reader or a lost network drive may take long to say): the drive list
// shows the choice meanwhile, and choosing another folder or drive leaves it.
#include <QObject>
#include <functional>
#include <map>
#include <string>

#include "shell/latest_answer.h"

namespace brixel {

class DriveList;
class FolderList;
class VolumeSource;
struct Volume;

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
  // the window from outside), once its drive has said it is ready. Nothing changes when it
  // cannot be opened.
  void ChooseFolder(const std::string& folder);

  // A chosen drive is being checked; its folder is not shown yet.
  bool CheckingDrive() const { return drive_check_.Waiting(); }

 signals:
  // The folder list shows another folder (or the drive was chosen again): rebuild what shows it.
  void folderChanged();

 private:
  // A folder as the drives name it.
  static std::string OnDrive(std::string folder);
  void OnDriveChosen(int index);
  // Asks on another thread whether the drive is ready; answered gets the answer on this one,
  // unless another check or a folder's choice came first.
  void CheckDrive(const Volume& volume, std::function<void(bool)> answered);
  // The answer for the drive chosen: show its folder, or undo the choice.
  void OnDriveChecked(const std::string& root, bool ready);
  // The drive list position of a drive; -1 when it is not there (any more).
  int IndexOf(const std::string& root) const;
  void OnPathChanged();

  DriveList& drives_;
  FolderList& folders_;
  const VolumeSource& source_;
  std::map<std::string, std::string> last_folder_;  // drive root -> folder last shown there
  int remembered_ = 0;
  bool quiet_ = false;
  LatestAnswer drive_check_;
};

}  // namespace brixel
