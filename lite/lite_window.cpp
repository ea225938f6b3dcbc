#include "lite/lite_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTableView>
#include <algorithm>
#include <memory>
#include <utility>

#include "core/edition.h"
#include "core/format/formatting_run.h"
#include "core/listing/mask_list.h"
#include "core/listing/name_order.h"
#include "core/platform/collation.h"
#include "core/platform/user_locale.h"
#include "lite/lite_list.h"
#include "lite/lite_save.h"
#include "lite/save_format.h"
#include "lite/save_panel.h"
#include "shell/artwork.h"
#include "shell/brixel_look.h"
#include "shell/column_choice.h"
#include "shell/drive_list.h"
#include "shell/folder_argument.h"
#include "shell/folder_chooser.h"
#include "shell/folder_list.h"
#include "shell/formatting_job.h"
#include "shell/formatting_panel.h"
#include "shell/frame.h"
#include "shell/image_button.h"
#include "shell/listing_controls.h"
#include "shell/listing_job.h"
#include "shell/picture_switch.h"
#include "shell/save_job.h"
#include "shell/twips.h"
#include "shell/window_jobs.h"

namespace brixel {

namespace {

constexpr char kHelpPage[] = "helpl.html";

}  // namespace

LiteWindow::LiteWindow(WindowServices services)
    : services_(WithSystemServices(std::move(services))), looks_(SwitchLooks::Load()) {
  label9_ = MakeEditionTitle(kLiteEdition);
  label9_->setGeometry(TwipsRect(300, 420, 2085, 300));

  const RememberedSettings remembered = LoadWindowSettings(services_.settings_file);
  store_settings_ = remembered.may_write;
  const StartFolder start =
      ChooseStartFolder(services_.named_folder, remembered.settings.folder, services_.start_folder);
  BuildOptionsArea(start.folder);
  formatting_ = new FormattingPanel(*this, looks_,
                                    FormattingLayout{QRect(300, 4980, 2895, 1695),
                                                     QRect(3360, 4980, 4815, 2535),
                                                     {240, 960, 1680},
                                                     QPoint(3660, 240),
                                                     QPoint(3720, 1320)});
  save_panel_ = new SavePanel(*this, *services_.dialogs);
  BuildBottomRow();
  jobs_ = new WindowJobs(*this);

  // A line the user picks, even the one already shown, rebuilds the list: picking it again is how
  // files added meanwhile come into view.
  connect(cbo_mask_, &QComboBox::activated, this, &LiteWindow::OnListingChoiceChanged);
  connect(folder_chooser_, &FolderChooser::folderChanged, this, &LiteWindow::OnListingChoiceChanged);
  connect(this, &ShapedWindow::folderDropped, folder_chooser_, &FolderChooser::ChooseFolder);
  connect(formatting_, &FormattingPanel::runRequested, this, &LiteWindow::LiteFormattingRun);
  connect(img_help_, &ImageButton::clicked, this, &LiteWindow::OpenHelpPage);
  connect(img_save_, &ImageButton::clicked, this, &LiteWindow::LiteSave);

  StartUp();
  RestoreSettings(remembered.settings);
  if (start.named_missing) ReportMissingFolder(*this, *services_.dialogs, *services_.named_folder);
}

LiteWindow::~LiteWindow() {
  jobs_->StopAll();  // before the list and the options a job may still read go
}

void LiteWindow::closeEvent(QCloseEvent* event) {
  // Closing ends the program at once: a scan just stops; a save puts its file back first, or, in a
  // step that cannot stop, is left behind with nothing of it kept.
  const bool ended = jobs_->StopForClose();
  if (store_settings_) StoreWindowSettings(services_.settings_file, CurrentSettings());
  if (!ended) services_.end_with_running_save();
  ShapedWindow::closeEvent(event);
}

void LiteWindow::RestoreSettings(const WindowSettings& settings) {
  if (settings.save_type >= 0 && settings.save_type < save_panel_->CboSave().count())
    save_panel_->ChooseFormat(settings.save_type);
  if (!settings.save_path.empty()) save_panel_->SetOutputFile(QString::fromStdString(settings.save_path));
  save_panel_->Columns().SetChosenText(settings.columns);
  TagEncoding encoding = TagEncoding::Auto;
  if (ParseTagEncoding(settings.tag_encoding, encoding).empty()) save_panel_->Columns().SetEncoding(encoding);
  if (RestoreListingChoice(settings, *cbo_mask_, *pic_scan_, looks_, *this)) OnListingChoiceChanged();
  if (settings.options == FormatOptions{}) return;
  // Every listing resets the options: they come back once the start's listing is shown.
  const auto format = [this, options = settings.options] {
    formatting_->SetOptions(options);
    LiteFormattingRun();
  };
  if (jobs_->Busy())
    connect(jobs_, &WindowJobs::idle, this, format, Qt::SingleShotConnection);
  else
    format();
}

WindowSettings LiteWindow::CurrentSettings() const {
  WindowSettings settings;
  RememberListingChoice(settings, *dir1_, *cbo_mask_, *pic_scan_, *this);
  settings.options = formatting_->Options();
  settings.save_type = save_panel_->CboSave().currentIndex();
  settings.save_path = save_panel_->TxtSave().text().toStdString();
  settings.columns = save_panel_->Columns().ChosenText();
  settings.tag_encoding = TagEncodingName(save_panel_->Columns().Encoding());
  return settings;
}

bool LiteWindow::TakesDroppedFolder() const {
  return !jobs_->Busy();
}

QList<QWidget*> LiteWindow::ChoiceInputs() const {
  return {drive1_, dir1_, cbo_mask_, img_save_};
}

QList<QWidget*> LiteWindow::AllInputs() const {
  return ChoiceInputs() + QList<QWidget*>{&formatting_->FraNum(), &formatting_->FraFormat(),
                                          pic_scan_->parentWidget(), &save_panel_->FraSave()};
}

void LiteWindow::BuildOptionsArea(const std::string& start_folder) {
  Frame* fra1 = MakePlacedFrame("Fra1", QString(), Frame::Border::None, this, QRect(300, 780, 7875, 4455));

  Frame* fra_dir = MakePlacedFrame("FraDir", QStringLiteral("Директория"), Frame::Border::Shown, fra1,
                                   QRect(0, 0, 2895, 3375));
  drive1_ = new DriveList(fra_dir);
  drive1_->setGeometry(TwipsRect(120, 240, 2655, 315));
  dir1_ = new FolderList(fra_dir);
  dir1_->setGeometry(TwipsRect(120, 660, 2655, 2565));
  folder_chooser_ = new FolderChooser(*drive1_, *dir1_, *services_.volumes, this);
  folder_chooser_->Start(start_folder);

  Frame* fra_mask = MakePlacedFrame("FraMask", QStringLiteral("Маска"), Frame::Border::Shown, fra1,
                                    QRect(0, 3420, 2895, 675));
  cbo_mask_ = MakeMaskList(*fra_mask);
  choice_.emplace(*dir1_, *folder_chooser_, *cbo_mask_, services_.folders);

  Frame* fra_file = MakePlacedFrame("FraFile", QStringLiteral("Наименования файлов"), Frame::Border::Shown,
                                    fra1, QRect(3060, 0, 4815, 4095));
  list_ = std::make_unique<LiteList>(*fra_file, QRect(120, 240, 4515, 3735));

  Frame* fra_brixel = MakePlacedFrame("FraBrixel", QStringLiteral("Опции"), Frame::Border::Shown, this,
                                      QRect(300, 6720, 2895, 795));
  pic_scan_ = MakeSubfolderSwitch(*fra_brixel, looks_);
}

void LiteWindow::BuildBottomRow() {
  img_help_ = MakeBottomRowButton("ImgHelp", artwork::kButtonHelp, QStringLiteral("Помощь"), 300, this);
  img_save_ = MakeBottomRowButton("ImgSave", artwork::kButtonSave, QStringLiteral("Сохранить"), 6840, this);

  QList<QWidget*> order{drive1_, dir1_, cbo_mask_, &list_->View()};
  order += formatting_->TabOrder();
  order += QList<QWidget*>{pic_scan_,
                           &save_panel_->CboSave(),
                           &save_panel_->Columns(),
                           &save_panel_->TxtSave(),
                           &save_panel_->CmdSave(),
                           img_help_,
                           img_save_};
  order += TitleButtons();
  for (qsizetype i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void LiteWindow::StartUp() {
  ShapeWindowAndButtons();
  // A choice of line 1: the list and the option reset (below, once the window is set up: one
  // listing serves both).
  cbo_mask_->setCurrentIndex(0);
  list_->FitColumn();
  pic_scan_->ShowLook(looks_.ImgUnchecked);
  label9_->setText(QString::fromStdString(kLiteEdition.Title()));
  // The version makes the title longer than its design width: it grows to the right, never cut.
  label9_->resize(std::max(label9_->width(), label9_->sizeHint().width()), label9_->height());
  OnListingChoiceChanged();
  save_panel_->ChooseFormat(kStartSaveFormatIndex);  // the box is still empty and stays so
  save_panel_->SetOutputFile(QString::fromStdString(
      DefaultOutputFile(services_.files.output_folder, save_panel_->SaveFormat().toStdString())));
  formatting_->OptionReset();
  LoadMaskList(*cbo_mask_, services_.files.mask_folder, *this, *services_.dialogs);
}

void LiteWindow::OnListingChoiceChanged() {
  WindowJob job = ListingJob(choice_->Request(false), FreshColumn::AsFound, [this](NameTable&& fresh) {
    list_->Show(std::move(fresh));
    {
      // Its choice of the first digit count would ask for a run: the list is fresh already.
      const QSignalBlocker no_run(formatting_);
      formatting_->OptionReset();
    }
    listed_with_ = formatting_->Options();
    listed_start_valid_ = true;
    choice_->Shown();
  });
  job.locked = AllInputs();
  job.restart_group = kListingGroup;  // a newer choice wins
  job.cancelled = [this] { choice_->PutBack(); };
  jobs_->Restart(std::move(job));
}

void LiteWindow::LiteFormattingRun() {
  const FormatOptions options = formatting_->Options();
  WindowJob job = RescanFormattingJob(choice_->Request(false), options,
                                      [this, options](NameTable&& fresh, const FormatResult& result) {
                                        list_->Show(std::move(fresh));
                                        formatting_->ShowStartTextValid(result.start_number_valid);
                                        listed_with_ = options;
                                        listed_start_valid_ = result.start_number_valid;
                                      });
  // The switches and boxes stay live: a click meanwhile runs afresh with the newest options.
  job.locked = ChoiceInputs();
  // The switches go back to what the list shows.
  job.cancelled = [this] {
    formatting_->SetOptions(listed_with_);
    formatting_->ShowStartTextValid(listed_start_valid_);
  };
  jobs_->Restart(std::move(job));
}

void LiteWindow::LiteSave() {
  LiteSaveRequest request;
  request.folder = dir1_->Path();
  request.mask_line = cbo_mask_->currentText().toStdString();
  request.subfolders = pic_scan_->IsOn();
  request.save_format = save_panel_->SaveFormat().toStdString();
  request.output_path = save_panel_->TxtSave().text().toStdString();
  request.options = formatting_->Options();
  request.columns = save_panel_->Columns().Chosen();
  request.tag_encoding = save_panel_->Columns().Encoding();
  request.folders = services_.folders;

  // After a save the list shows its names sorted on their text: sorted in the job, from a copy.
  const auto shown = std::make_shared<NameColumn>(list_->Shown());
  const std::optional<ListFormat> format = ListFormatForEntry(request.save_format);
  SaveRequest save;
  save.path = request.output_path;
  save.text_list = format == ListFormat::Text;
  save.file_system = services_.file_system;
  save.locked = AllInputs();
  save.write = [request, shown, text_list = save.text_list, fs = services_.file_system](
                   const WorkControl& control, const SaveLeave& leave) {
    // The save scans afresh as it writes, so the names it will write are known only from a scan:
    // the list on screen holds the folder's own names shaped as the save shapes them, and with
    // the subfolders a first scan finds them all.
    if (text_list && !leave.cp1251_losses) {
      std::optional<Cp1251Losses> losses = request.subfolders
                                               ? FindLiteSaveLosses(request, FormatLocale::ForUser(), control)
                                               : FindCp1251Losses(*shown);
      if (!losses) return false;  // stopped
      if (losses->count > 0) throw Cp1251LossesAhead{std::move(*losses)};
    }
    ListWriterOptions options;
    options.in_place_allowed = leave.in_place;
    options.file_system = fs;
    if (!RunLiteSave(request, FormatLocale::ForUser(), options, control)) return false;  // stopped: as it was
    SortNames(*shown, Collator(UserLocaleName(LocaleCategory::Collation)));
    return true;
  };
  save.saved = [this, shown] { list_->ShowReordered(std::move(*shown)); };
  StartSave(*jobs_, *this, *services_.dialogs, std::move(save));
}

void LiteWindow::OpenHelpPage() {
  OpenHelp(services_.files.help_folder, kHelpPage, services_.open_url);
}

}  // namespace brixel
