#include "shell/listing_choice.h"

#include <QComboBox>

#include "shell/folder_list.h"

namespace brixel {

ListingChoice::ListingChoice(const FolderList& folder_list, FolderChooser& chooser, QComboBox& masks,
                             const platform::FolderSource* folders)
    : folder_list_(folder_list), chooser_(chooser), masks_(masks), folders_(folders) {}

ScanRequest ListingChoice::Request(bool subfolders) const {
  return {.folder = folder_list_.Path(),
          .mask_line = masks_.currentText().toStdString(),
          .subfolders = subfolders,
          .folders = folders_};
}

void ListingChoice::Shown() {
  shown_place_ = chooser_.Current();
  shown_mask_ = masks_.currentIndex();
}

void ListingChoice::PutBack() {
  chooser_.ReturnTo(shown_place_);
  if (shown_mask_ >= 0) masks_.setCurrentIndex(shown_mask_);
}

}  // namespace brixel
