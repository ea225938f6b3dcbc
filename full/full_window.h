#pragma once
// The full edition's window, frmBrixel: a two-page wizard. The options page chooses the drive,
// folder and mask line and shows a live preview of the matching names; the next button lists the
// files into the found-files table, and the results page formats, numbers and saves that list.
// Every control carries its name as its object name.
#include <optional>
#include <string>

#include "core/format/format_options.h"
#include "core/listing/name_table.h"
#include "shell/folder_chooser.h"
#include "shell/listing_choice.h"
#include "shell/shaped_window.h"
#include "shell/switch_looks.h"
#include "shell/window_services.h"
#include "shell/window_settings.h"

class QComboBox;
class QLabel;
class QTableView;

namespace brixel {

class ColumnChoice;
class DriveList;
class FolderList;
class FormattingPanel;
class Frame;
class ImageButton;
class NameTableModel;
class PictureSwitch;
class WindowJobs;

class FullWindow : public ShapedWindow {
  Q_OBJECT

 public:
  explicit FullWindow(WindowServices services);
  ~FullWindow() override;

  const NameTable& FoundTable() const { return found_; }
  const SwitchLooks& Looks() const { return looks_; }
  FormattingPanel& Formatting() const { return *formatting_; }
  ColumnChoice& Columns() const { return *column_choice_; }
  FolderChooser& Chooser() const { return *chooser_; }
  NameTableModel& PreviewModel() const { return *preview_model_; }
  NameTableModel& FoundModel() const { return *found_model_; }
  WindowJobs& Jobs() const { return *jobs_; }
  bool ShowsResultsPage() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool TakesDroppedFolder() const override;

 private:
  void BuildOptionsPage();
  void BuildResultsPage();
  void BuildButtons();
  void SetTabOrder();
  void StartUp();
  void RestoreSettings(const WindowSettings& settings);
  WindowSettings CurrentSettings() const;

  void RefreshPreview();
  // A folder handed in from outside: chosen on the options page, as in the folder list.
  void TakeFolder(const std::string& folder);
  void Next();
  void ShowResults(NameTable&& table);
  void Back();
  void Reset();
  void OptionReset();
  void RunFormatting();
  void Save();
  void WriteTableHeadings();
  // The controls a listing or a save must not see changed while it runs.
  QList<QWidget*> ListingInputs() const;

  WindowServices services_;
  SwitchLooks looks_;
  NameTable preview_;
  NameTable found_;
  int save_filter_index_ = 1;     // the file type chosen last, for the rest of the run
  FormatOptions formatted_with_;  // what the table's right column shows, for a cancelled run
  bool formatted_start_valid_ = true;
  std::optional<ListingChoice> choice_;  // what the preview shows, for a cancelled refresh
  bool store_settings_ = true;           // false: the settings file is a newer version's, or unreadable

  QLabel* label9_ = nullptr;
  Frame* fra1_ = nullptr;
  DriveList* drive1_ = nullptr;
  FolderList* dir1_ = nullptr;
  QComboBox* cbo_mask_ = nullptr;
  QTableView* flex_grid1_ = nullptr;
  NameTableModel* preview_model_ = nullptr;
  Frame* fra_brixel_ = nullptr;
  PictureSwitch* pic_scan_ = nullptr;
  ColumnChoice* column_choice_ = nullptr;
  Frame* fra2_ = nullptr;
  QTableView* fgrid2_ = nullptr;
  NameTableModel* found_model_ = nullptr;
  Frame* fra_find_ = nullptr;
  QLabel* label10_ = nullptr;
  FormattingPanel* formatting_ = nullptr;
  ImageButton* img_help_ = nullptr;
  ImageButton* img_next_ = nullptr;
  ImageButton* img_back_ = nullptr;
  ImageButton* img_chancel_ = nullptr;
  ImageButton* img_save_ = nullptr;
  FolderChooser* chooser_ = nullptr;
  WindowJobs* jobs_ = nullptr;
};

}  // namespace brixel
