#include "full/full_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QSignalBlocker>
#include <QTableView>
#include <cmath>
#include <optional>

#include "core/edition.h"
#include "core/export/write_list.h"
#include "core/listing/mask_list.h"
#include "full/save_action.h"
#include "shell/artwork.h"
#include "shell/brixel_look.h"
#include "shell/column_choice.h"
#include "shell/dialog_facade.h"
#include "shell/drive_list.h"
#include "shell/folder_argument.h"
#include "shell/folder_chooser.h"
#include "shell/folder_list.h"
#include "shell/formatting_job.h"
#include "shell/formatting_panel.h"
#include "shell/frame.h"
#include "shell/grouped_number.h"
#include "shell/image_button.h"
#include "shell/listing_controls.h"
#include "shell/listing_job.h"
#include "shell/name_grid.h"
#include "shell/name_table_model.h"
#include "shell/picture_switch.h"
#include "shell/save_job.h"
#include "shell/twips.h"
#include "shell/window_jobs.h"

namespace brixel {

namespace {

// Design widths of the lists, in twips.
constexpr int kPreviewWidth = 4515;
constexpr int kTableWidth = 7755;

const QString kPreviewHeading = QStringLiteral("Файлы");
const QStringList kTableHeadings{QStringLiteral("Названия до переименования"),
                                 QStringLiteral("Названия после переименования")};

using Widgets = std::initializer_list<QWidget*>;

const FormattingLayout kFormattingLayout{
    .fra_num = QRect(360, 6060, 2835, 1695),
    .fra_format = QRect(3240, 5460, 4935, 2295),
    .case_tops = {240, 900, 1560},
    .pic_break = QPoint(3780, 240),
    .pic_ok = QPoint(3780, 1200),
};

}  // namespace

FullWindow::FullWindow(WindowServices services)
    : services_(WithSystemServices(std::move(services))), looks_(SwitchLooks::Load()) {
  label9_ = MakeEditionTitle(kFullEdition);
  label9_->move(TwipsPoint(300, 420));

  BuildOptionsPage();
  BuildResultsPage();
  BuildButtons();
  SetTabOrder();
  jobs_ = new WindowJobs(*this);

  const RememberedSettings remembered = LoadWindowSettings(services_.settings_file);
  store_settings_ = remembered.may_write;
  const StartFolder start =
      ChooseStartFolder(services_.named_folder, remembered.settings.folder, services_.start_folder);
  chooser_ = new FolderChooser(*drive1_, *dir1_, *services_.volumes, this);
  choice_.emplace(*dir1_, *chooser_, *cbo_mask_, services_.folders);
  chooser_->Start(start.folder);
  connect(chooser_, &FolderChooser::folderChanged, this, &FullWindow::RefreshPreview);
  connect(this, &ShapedWindow::folderDropped, this, &FullWindow::TakeFolder);

  StartUp();
  RestoreSettings(remembered.settings);
  if (start.named_missing) ReportMissingFolder(*this, *services_.dialogs, *services_.named_folder);
}

FullWindow::~FullWindow() {
  // The tables go before the window's children do, and a job or a view may still read them: the
  // jobs end, and the models over the tables go first (their views then show nothing as the
  // window closes).
  jobs_->StopAll();
  delete preview_model_;
  delete found_model_;
}

void FullWindow::closeEvent(QCloseEvent* event) {
  // Closing ends the program at once: a scan just stops; a save puts its file back first, or, in a
  // step that cannot stop, is left behind with nothing of it kept.
  const bool ended = jobs_->StopForClose();
  if (store_settings_) StoreWindowSettings(services_.settings_file, CurrentSettings());
  if (!ended) services_.end_with_running_save();
  ShapedWindow::closeEvent(event);
}

void FullWindow::RestoreSettings(const WindowSettings& settings) {
  if (RestoreListingChoice(settings, *cbo_mask_, *pic_scan_, looks_, *this)) RefreshPreview();
  if (FormatForFilterIndex(settings.save_type)) save_filter_index_ = settings.save_type;
  column_choice_->SetChosenText(settings.columns);
  TagEncoding encoding = TagEncoding::Auto;
  if (ParseTagEncoding(settings.tag_encoding, encoding).empty()) column_choice_->SetEncoding(encoding);
  services_.dialogs->SetSaveFolder(QString::fromStdString(settings.save_path));
}

// The formatting options are not kept: every listing starts with them reset.
WindowSettings FullWindow::CurrentSettings() const {
  WindowSettings settings;
  RememberListingChoice(settings, *dir1_, *cbo_mask_, *pic_scan_, *this);
  settings.save_type = save_filter_index_;
  settings.save_path = services_.dialogs->SaveFolder().toStdString();
  settings.columns = column_choice_->ChosenText();
  settings.tag_encoding = TagEncodingName(column_choice_->Encoding());
  return settings;
}

QList<QWidget*> FullWindow::ListingInputs() const {
  QList<QWidget*> inputs{drive1_,   dir1_,     cbo_mask_, fra_brixel_, column_choice_,
                         img_next_, img_back_, img_save_, img_chancel_};
  return inputs << &formatting_->FraNum() << &formatting_->FraFormat();
}

void FullWindow::BuildOptionsPage() {
  fra1_ = MakePlacedFrame("Fra1", {}, Frame::Border::None, this, {300, 780, 7875, 6915});

  Frame* fra_dir = MakePlacedFrame("FraDir", QStringLiteral("Директория"), Frame::Border::Shown, fra1_,
                                   {0, 0, 2895, 6135});
  drive1_ = new DriveList(fra_dir);
  drive1_->setGeometry(TwipsRect(120, 240, 2655, 315));
  dir1_ = new FolderList(fra_dir);
  dir1_->setGeometry(TwipsRect(120, 660, 2655, 5265));

  Frame* fra_mask =
      MakePlacedFrame("FraMask", QStringLiteral("Маска"), Frame::Border::Shown, fra1_, {0, 6180, 2895, 675});
  cbo_mask_ = MakeMaskList(*fra_mask);

  Frame* fra_file = MakePlacedFrame("FraFile", QStringLiteral("Наименования файлов"), Frame::Border::Shown,
                                    fra1_, {3060, 0, 4815, 6855});
  flex_grid1_ = new QTableView(fra_file);
  flex_grid1_->setObjectName(QStringLiteral("FlexGrid1"));
  flex_grid1_->setAccessibleName(QStringLiteral("Наименования файлов"));
  flex_grid1_->setGeometry(TwipsRect(120, 240, kPreviewWidth, 6495));
  preview_model_ = new NameTableModel(preview_, {NameTableModel::Column::AsFound}, this);
  preview_model_->SetHeadings({kPreviewHeading});
  flex_grid1_->setModel(preview_model_);
  SetUpNameGrid(*flex_grid1_);

  fra_brixel_ = MakePlacedFrame("FraBrixel", QStringLiteral("Опции"), Frame::Border::Shown, this,
                                {2700, 7680, 3015, 795});
  pic_scan_ = MakeSubfolderSwitch(*fra_brixel_, looks_);  // its clicks only change its look
  // The details the next listing reads; like the subfolder switch, only the next listing looks.
  column_choice_ = new ColumnChoice(this);
  column_choice_->setGeometry(TwipsRect(5820, 7860, 960, 435));

  // A line the user picks, even the one already shown, rebuilds the preview: picking it again is
  // how files added meanwhile come into view.
  connect(cbo_mask_, &QComboBox::activated, this, &FullWindow::RefreshPreview);
}

void FullWindow::BuildResultsPage() {
  fra2_ = MakePlacedFrame("Fra2", {}, Frame::Border::None, this, {300, 780, 7875, 4635});
  fgrid2_ = new QTableView(fra2_);
  fgrid2_->setObjectName(QStringLiteral("FGrid2"));
  fgrid2_->setAccessibleName(QStringLiteral("Найденные файлы"));
  fgrid2_->setGeometry(TwipsRect(60, 60, kTableWidth, 4515));
  found_model_ =
      new NameTableModel(found_, {NameTableModel::Column::AsFound, NameTableModel::Column::Formatted}, this);
  fgrid2_->setModel(found_model_);
  SetUpNameGrid(*fgrid2_);

  fra_find_ = MakePlacedFrame("FraFind", QStringLiteral("Найдено файлов"), Frame::Border::Shown, this,
                              {360, 5460, 2835, 615});
  label10_ = new QLabel(fra_find_);
  label10_->setObjectName(QStringLiteral("Label10"));
  label10_->setFont(TitleFont());
  label10_->setGeometry(TwipsRect(180, 240, 2475, 315));

  formatting_ = new FormattingPanel(*this, looks_, kFormattingLayout);
  connect(formatting_, &FormattingPanel::runRequested, this, &FullWindow::RunFormatting);

  for (QWidget* w : Widgets{fra2_, fra_find_, &formatting_->FraNum(), &formatting_->FraFormat()}) w->hide();
}

void FullWindow::BuildButtons() {
  img_help_ = MakeBottomRowButton("ImgHelp", artwork::kButtonHelp, QStringLiteral("Помощь"), 300, this);
  img_back_ = MakeBottomRowButton("ImgBack", artwork::kButtonBack, QStringLiteral("Назад"), 4200, this);
  img_chancel_ = MakeBottomRowButton("ImgChancel", artwork::kButtonReset,
                                     QStringLiteral("Сбросить настройки"), 5520, this);
  img_next_ = MakeBottomRowButton("ImgNext", artwork::kButtonNext, QStringLiteral("Далее"), 6840, this);
  img_save_ = MakeBottomRowButton("ImgSave", artwork::kButtonSave, QStringLiteral("Сохранить"), 6840, this);
  img_back_->hide();
  img_chancel_->hide();
  img_save_->hide();

  connect(img_help_, &ImageButton::clicked, this,
          [this] { OpenHelp(services_.files.help_folder, "help.html", services_.open_url); });
  connect(img_next_, &ImageButton::clicked, this, &FullWindow::Next);
  connect(img_back_, &ImageButton::clicked, this, &FullWindow::Back);
  connect(img_chancel_, &ImageButton::clicked, this, &FullWindow::Reset);
  connect(img_save_, &ImageButton::clicked, this, &FullWindow::Save);
}

void FullWindow::SetTabOrder() {
  // One chain over both pages; the hidden page's controls are skipped.
  QList<QWidget*> chain{drive1_, dir1_, cbo_mask_, flex_grid1_, fgrid2_};
  chain += formatting_->TabOrder();
  chain += {img_help_, pic_scan_, column_choice_, img_back_, img_chancel_, img_next_, img_save_};
  chain += TitleButtons();
  for (qsizetype i = 0; i + 1 < chain.size(); ++i) setTabOrder(chain[i], chain[i + 1]);
  dir1_->setFocus();
}

void FullWindow::StartUp() {
  ShapeWindowAndButtons();

  // Line 1 of the built-in mask lines; choosing it rebuilds the preview (below, once the
  // window is set up: one listing serves both).
  cbo_mask_->setCurrentIndex(0);

  // Column widths: the preview's single column fills its list (also beside a scroll bar, so no
  // sideways scrolling for nothing); the table's two columns are set once, half the width less
  // 150 twips (ties to even), which leaves room for the scroll bar.
  flex_grid1_->horizontalHeader()->setStretchLastSection(true);
  const int table_column = static_cast<int>(std::nearbyint(kTableWidth / 2.0 - 150));
  fgrid2_->setColumnWidth(0, Px(table_column));
  fgrid2_->setColumnWidth(1, Px(table_column));
  WriteTableHeadings();

  pic_scan_->ShowLook(looks_.ImgUnchecked);
  label9_->setText(QString::fromStdString(kFullEdition.Title()));
  label9_->adjustSize();
  OptionReset();
  RefreshPreview();

  LoadMaskList(*cbo_mask_, services_.files.mask_folder, *this, *services_.dialogs);
}

void FullWindow::OptionReset() {
  // Its choice of the first digit count would ask for a formatting run of its own; every caller
  // rebuilds the table right after, so that run would be thrown away.
  const QSignalBlocker no_run(formatting_);
  formatting_->OptionReset();
}

void FullWindow::WriteTableHeadings() {
  found_model_->SetHeadings(kTableHeadings);
}

void FullWindow::RefreshPreview() {
  WindowJob job = ListingJob(choice_->Request(false), FreshColumn::Empty, [this](NameTable&& fresh) {
    preview_model_->BeginRebuild();
    std::swap(preview_, fresh);
    preview_model_->EndRebuild();
    choice_->Shown();
  });
  job.locked = ListingInputs();
  job.restart_group = kListingGroup;  // a newer choice wins
  job.cancelled = [this] { choice_->PutBack(); };
  jobs_->Restart(std::move(job));
}

bool FullWindow::TakesDroppedFolder() const {
  return !jobs_->Busy();
}

void FullWindow::TakeFolder(const std::string& folder) {
  if (ShowsResultsPage()) Back();
  chooser_->ChooseFolder(folder);
}

void FullWindow::Next() {
  // The options page stays until the new table is complete: a cancel leaves it, and the old
  // table, as they were. The table comes as the option reset's formatting run leaves it.
  WindowJob job = ListingJob(choice_->Request(pic_scan_->IsOn()), FreshColumn::AsFound,
                             [this](NameTable&& fresh) { ShowResults(std::move(fresh)); },
                             {column_choice_->Chosen(), column_choice_->Encoding()});
  job.locked = ListingInputs();
  jobs_->Start(std::move(job));
}

void FullWindow::ShowResults(NameTable&& table) {
  fra1_->hide();
  fra_brixel_->hide();
  column_choice_->hide();
  img_next_->hide();

  found_model_->BeginRebuild();
  found_ = std::move(table);
  found_model_->SetDetailColumns(found_.DetailColumns());
  found_model_->EndRebuild();
  // Grouped as the progress panel groups its counts; a leading space as the table's count has.
  const std::size_t count = found_.FoundCount();
  label10_->setText(count == 0 ? QStringLiteral("0") : QLatin1Char(' ') + GroupedNumber(count));

  for (QWidget* w : Widgets{fra_find_, fra2_, &formatting_->FraNum(), &formatting_->FraFormat(), img_save_,
                            img_chancel_, img_back_, fgrid2_})
    w->show();
  fgrid2_->scrollToTop();
  fgrid2_->setFocus();

  OptionReset();
  formatted_with_ = formatting_->Options();
  formatted_start_valid_ = true;
  WriteTableHeadings();
}

void FullWindow::Back() {
  fra1_->show();
  fra_brixel_->show();
  column_choice_->show();
  fra_find_->hide();
  fra2_->hide();
  formatting_->FraNum().hide();
  formatting_->FraFormat().hide();
  img_next_->show();
  img_save_->hide();
  img_chancel_->hide();
  img_back_->hide();
  fgrid2_->hide();
  img_next_->setFocus();
}

void FullWindow::Reset() {
  OptionReset();
  RunFormatting();  // every switch is off now: the restore pass
}

void FullWindow::RunFormatting() {
  const FormatOptions options = formatting_->Options();
  // The as-found column is only read, by the job and by the view, while the job runs.
  WindowJob job = FormattingJob(found_.AsFound(), options,
                                [this, options](NameColumn&& formatted, const FormatResult& result) {
                                  found_.Formatted().Swap(formatted);
                                  found_model_->FormattedChanged();
                                  formatting_->ShowStartTextValid(result.start_number_valid);
                                  formatted_with_ = options;
                                  formatted_start_valid_ = result.start_number_valid;
                                });
  // The switches stay live: a click meanwhile runs afresh with the newest options. Only what
  // would read or change the table waits.
  job.locked = {img_back_, img_save_};
  // The switches go back to what the table shows.
  job.cancelled = [this] {
    formatting_->SetOptions(formatted_with_);
    formatting_->ShowStartTextValid(formatted_start_valid_);
  };
  jobs_->Restart(std::move(job));
}

void FullWindow::Save() {
  const std::optional<SaveChoice> choice =
      AskWhereToSave(*this, found_, formatting_->Options(), *services_.dialogs, save_filter_index_);
  if (!choice) return;
  const NameTable& table = found_;  // only read, by the job and by the view
  SaveRequest request;
  request.path = choice->path;
  request.text_list = choice->format == ListFormat::Text;
  request.file_system = services_.file_system;
  request.locked = ListingInputs();
  request.write = [&table, choice = *choice, fs = services_.file_system](const WorkControl& control,
                                                                         const SaveLeave& leave) {
    if (choice.format == ListFormat::Text && !leave.cp1251_losses) {
      Cp1251Losses losses = FindCp1251Losses(table.Formatted());
      if (losses.count > 0) throw Cp1251LossesAhead{std::move(losses)};
    }
    ListWriterOptions options;
    options.in_place_allowed = leave.in_place;
    options.file_system = fs;
    return WriteRows(choice.format, choice.path, {table.Formatted(), &table.Details(), table.DetailColumns()},
                     LayoutOf(kFullEdition), options, control);
  };
  StartSave(*jobs_, *this, *services_.dialogs, std::move(request));
}

bool FullWindow::ShowsResultsPage() const {
  return fra2_->isVisibleTo(this);
}

}  // namespace brixel
