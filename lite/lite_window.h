#pragma once
// The lite edition's one window, frmBrixel: drive, folder and mask choice, the lite list already
// formatted, the numbering and formatting switches, the subfolder switch and the save panel, all
// on one page of the shared shaped window.
#include <memory>
#include <optional>
#include <string>

#include "core/format/format_options.h"
#include "shell/folder_chooser.h"
#include "shell/listing_choice.h"
#include "shell/shaped_window.h"
#include "shell/switch_looks.h"
#include "shell/window_services.h"
#include "shell/window_settings.h"

class QComboBox;
class QLabel;

namespace brixel {

class DriveList;
class FolderList;
class FormattingPanel;
class ImageButton;
class LiteList;
class PictureSwitch;
class SavePanel;
class WindowJobs;

class LiteWindow : public ShapedWindow {
  Q_OBJECT

 public:
  // Builds the controls and runs the start-up sequence; the window is then ready to show.
  explicit LiteWindow(WindowServices services);
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
  WindowJobs& Jobs() const { return *jobs_; }

  // The lite formatting run: a fresh scan of the folder, then the passes, in a job.
  void LiteFormattingRun();
  // The lite save action (a click on ImgSave), in a job.
  void LiteSave();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool TakesDroppedFolder() const override;

 private:
  void BuildOptionsArea(const std::string& start_folder);
  void BuildBottomRow();
  void StartUp();
  void RestoreSettings(const WindowSettings& settings);
  WindowSettings CurrentSettings() const;
  // RefreshPreview and the option reset, as a change of drive, folder or mask line asks.
  void OnListingChoiceChanged();
  void OpenHelpPage();
  // The controls of the listing choice and the save, and those of the formatting too.
  QList<QWidget*> ChoiceInputs() const;
  QList<QWidget*> AllInputs() const;

  WindowServices services_;
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
  WindowJobs* jobs_;
  FormatOptions listed_with_;  // what the list shows, for a cancelled run
  bool listed_start_valid_ = true;
  std::optional<ListingChoice> choice_;  // what the list shows, for a cancelled rebuild
  bool store_settings_ = true;           // false: the settings file is a newer version's, or unreadable
};

}  // namespace brixel
