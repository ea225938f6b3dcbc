#include "lite/lite_window.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <algorithm>
#include <utility>

#include "core/listing/mask_list.h"
#include "core/version.h"
#include "lite/lite_list.h"
#include "lite/lite_save.h"
#include "lite/save_format.h"
#include "lite/save_panel.h"
#include "shell/artwork.h"
#include "shell/brixel_look.h"
#include "shell/busy_pointer.h"
#include "shell/dialog_facade.h"
#include "shell/drive_list.h"
#include "shell/folder_chooser.h"
#include "shell/folder_list.h"
#include "shell/formatting_panel.h"
#include "shell/frame.h"
#include "shell/image_button.h"
#include "shell/listing_controls.h"
#include "shell/picture_switch.h"
#include "shell/save_messages.h"
#include "shell/twips.h"

namespace brixel {

namespace {

const QString kTitleCaption = QStringLiteral("Бриксел лайт В.");
constexpr char kHelpPage[] = "helpl.html";

}  // namespace

LiteWindow::LiteWindow(LiteWindowServices services)
    : services_(std::move(services)), looks_(SwitchLooks::Load()) {
  setObjectName(QStringLiteral("frmBrixel"));
  setWindowTitle(QStringLiteral("BrixelLite V1.0"));

  label9_ = new QLabel(kTitleCaption, this);
  label9_->setObjectName(QStringLiteral("Label9"));
  label9_->setFont(TitleFont());
  label9_->setGeometry(TwipsRect(300, 420, 2085, 300));

  BuildOptionsArea();
  formatting_ = new FormattingPanel(*this, looks_,
                                    FormattingLayout{QRect(300, 4980, 2895, 1695),
                                                     QRect(3360, 4980, 4815, 2535),
                                                     {240, 960, 1680},
                                                     QPoint(3660, 240),
                                                     QPoint(3720, 1320)});
  save_panel_ = new SavePanel(*this, services_.dialogs);
  BuildBottomRow();

  // A line the user picks, even the one already shown, rebuilds the list: picking it again is how
  // files added meanwhile come into view.
  connect(cbo_mask_, &QComboBox::activated, this, &LiteWindow::OnListingChoiceChanged);
  connect(folder_chooser_, &FolderChooser::folderChanged, this, &LiteWindow::OnListingChoiceChanged);
  connect(formatting_, &FormattingPanel::runRequested, this, &LiteWindow::LiteFormattingRun);
  connect(img_help_, &ImageButton::clicked, this, &LiteWindow::OpenHelpPage);
  connect(img_save_, &ImageButton::clicked, this, &LiteWindow::LiteSave);

  StartUp();
}

LiteWindow::~LiteWindow() = default;

void LiteWindow::BuildOptionsArea() {
  Frame* fra1 = MakePlacedFrame("Fra1", QString(), Frame::Border::None, this, QRect(300, 780, 7875, 4455));

  Frame* fra_dir = MakePlacedFrame("FraDir", QStringLiteral("Директория"), Frame::Border::Shown, fra1,
                                   QRect(0, 0, 2895, 3375));
  drive1_ = new DriveList(fra_dir);
  drive1_->setGeometry(TwipsRect(120, 240, 2655, 315));
  dir1_ = new FolderList(fra_dir);
  dir1_->setGeometry(TwipsRect(120, 660, 2655, 2565));
  folder_chooser_ = new FolderChooser(*drive1_, *dir1_, services_.volumes, this);
  folder_chooser_->Start(services_.start_folder);

  Frame* fra_mask = MakePlacedFrame("FraMask", QStringLiteral("Маска"), Frame::Border::Shown, fra1,
                                    QRect(0, 3420, 2895, 675));
  cbo_mask_ = MakeMaskList(*fra_mask);

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
  order += QList<QWidget*>{
      pic_scan_, &save_panel_->CboSave(), &save_panel_->TxtSave(), &save_panel_->CmdSave(), img_help_,
      img_save_};
  for (qsizetype i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void LiteWindow::StartUp() {
  ShapeWindowAndButtons();
  cbo_mask_->setCurrentIndex(0);  // a choice of line 1: the list and the option reset
  OnListingChoiceChanged();
  list_->FitColumn();
  pic_scan_->ShowLook(looks_.ImgUnchecked);
  label9_->setText(kTitleCaption + QString::fromStdString(kLiteVersion.Text()));
  // The version makes the title longer than its design width: it grows to the right, never cut.
  label9_->resize(std::max(label9_->width(), label9_->sizeHint().width()), label9_->height());
  RefreshPreview();
  save_panel_->ChooseFormat(kStartSaveFormatIndex);  // the box is still empty and stays so
  save_panel_->SetOutputFile(QString::fromStdString(
      DefaultOutputFile(services_.files.output_folder, save_panel_->SaveFormat().toStdString())));
  formatting_->OptionReset();
  AppendMaskLines(*cbo_mask_, LoadMaskFile(services_.files.mask_folder));
}

void LiteWindow::RefreshPreview() {
  list_->Refresh(dir1_->Path(), cbo_mask_->currentText().toStdString());
}

void LiteWindow::OnListingChoiceChanged() {
  RefreshPreview();
  formatting_->OptionReset();
}

void LiteWindow::LiteFormattingRun() {
  const BusyPointer busy;
  RefreshPreview();
  const FormatResult result = list_->Format(formatting_->Options());
  formatting_->ShowStartTextValid(result.start_number_valid);
}

void LiteWindow::LiteSave() {
  LiteSaveRequest request;
  request.folder = dir1_->Path();
  request.mask_line = cbo_mask_->currentText().toStdString();
  request.subfolders = pic_scan_->IsOn();
  request.save_format = save_panel_->SaveFormat().toStdString();
  request.output_path = save_panel_->TxtSave().text().toStdString();
  request.options = formatting_->Options();

  bool saved = false;
  {
    const BusyPointer busy;
    try {
      RunLiteSave(request);
      saved = true;
      list_->SortShown();
    } catch (...) {
      // One message for every cause, shown below once the normal pointer is back.
    }
  }
  if (!saved)
    services_.dialogs.ShowMessage(this, QString::fromUtf8(kMessageTitle), QString::fromUtf8(kFailureMessage));
}

void LiteWindow::OpenHelpPage() {
  OpenHelp(services_.files.help_folder, kHelpPage, services_.open_url);
}

}  // namespace brixel
