#pragma once
// What a window lists - the folder of its folder chooser and the line of its mask list - and the
// choice its list shows now. A listing runs on a job, and a cancelled one puts the choice back
// to what the list shows, so the list and the choice never part.
#include "core/listing/folder_scan.h"
#include "shell/folder_chooser.h"

class QComboBox;

namespace brixel {

namespace platform {
class FolderSource;
}

class ListingChoice {
 public:
  // folders: where the listings read (null: the platform's own folders).
  ListingChoice(const FolderList& folder_list, FolderChooser& chooser, QComboBox& masks,
                const platform::FolderSource* folders);

  // The chosen folder and mask line, to be listed with or without the subfolders.
  ScanRequest Request(bool subfolders) const;
  // The list now shows the choice as it stands.
  void Shown();
  // The choice goes back to what the list shows (nothing before the first list).
  void PutBack();

 private:
  const FolderList& folder_list_;
  FolderChooser& chooser_;
  QComboBox& masks_;
  const platform::FolderSource* folders_;
  FolderChooser::Place shown_place_;
  int shown_mask_ = -1;
};

}  // namespace brixel
