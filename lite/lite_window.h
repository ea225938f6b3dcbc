#pragma once
// The lite edition's one window, frmBrixel: drive, folder and mask choice, the lite list already
// formatted, the numbering and formatting switches, the subfolder switch and the save panel, all
// on one page of the shared shaped window.
#include <memory>
#include <string>

#include "shell/open_help.h"
#include "shell/program_files.h"
#include "shell/shaped_window.h"
#include "shell/switch_looks.h"

class QComboBox;
class QLabel;

namespace brixel {

class DialogFacade;
class DriveList;
class FolderChooser;
class FolderList;
class FormattingPanel;
class Frame;
class ImageButton;
class LiteList;
class PictureSwitch;
class SavePanel;
class VolumeSource;

// What the window uses from outside; tests put in their own.
struct LiteWindowServices {
  DialogFacade& dialogs;
  const VolumeSource& volumes;
  UrlOpener open_url;
  ProgramFiles files;          // the mask file, the help page and the default output file
  std::string start_folder;    // the folder listed first
};

class LiteWindow : public ShapedWindow {
  Q_OBJECT

 public:
  // Builds the controls and runs the start-up sequence; the window is then ready to show.
  explicit LiteWindow(LiteWindowServices services);
  ~LiteWindow() override;

  QLabel& Label9() const { return *label9_; }
  DriveList& Drive1() const { return *drive1_; }
  FolderList& Dir1() const { return *dir1_; }
  QComboBox& CboMask() const { return *cbo_mask_; }
  LiteList& List() const { return *list_; }
  FormattingPanel& Formatting() const { return *formatting_; }
  PictureSwitch& PicScan() const { return *pic_scan_; }
  SavePanel& Save() const { return *save_panel_; }
  ImageButton& ImgHelp() const { return *img_help_; }
  ImageButton& ImgSave() const { return *img_save_; }
  const SwitchLooks& Looks() const { return looks_; }

  // The lite formatting run: a fresh scan of the folder, then the passes in place.
  void LiteFormattingRun();
  // The lite save action (a click on ImgSave).
  void LiteSave();

 private:
  void BuildOptionsArea();
  void BuildBottomRow();
  void StartUp();
  void RefreshPreview();
  void OnListingChoiceChanged();
  void OpenHelpPage();

  LiteWindowServices services_;
  SwitchLooks looks_;
  QLabel* label9_;
  DriveList* drive1_;
  FolderList* dir1_;
  FolderChooser* folder_chooser_;
  QComboBox* cbo_mask_;
  std::unique_ptr<LiteList> list_;
  FormattingPanel* formatting_;
  PictureSwitch* pic_scan_;
  SavePanel* save_panel_;
  ImageButton* img_help_;
  ImageButton* img_save_;
};

}  // namespace brixel
