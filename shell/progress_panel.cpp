#include "shell/progress_panel.h"

#include <QLabel>
#include <QLocale>
#include <QPainter>
#include <QPushButton>

#include "shell/brixel_look.h"
#include "shell/job_progress.h"

namespace brixel {

namespace {

// In pixels: the panel sits in the middle of the window's body (5..560 across, 24..579 down).
constexpr QRect kPlace(112, 243, 340, 116);
constexpr int kMargin = 14;
// How often a screen reader is told the counts again while they change.
constexpr qint64 kAnnounceIntervalMs = 5000;

QString Number(std::size_t n) {
  // Grouped as a Russian reader writes numbers: 1 234 567.
  return QLocale(QLocale::Russian).toString(static_cast<qulonglong>(n));
}

}  // namespace

ProgressPanel::ProgressPanel(QWidget& window) : Frame(QString(), Border::Shown, &window) {
  setObjectName(QStringLiteral("FraProgress"));
  setGeometry(kPlace);

  counts_ = new QLabel(this);
  counts_->setObjectName(QStringLiteral("LabelProgress"));
  counts_->setGeometry(kMargin, 24, width() - 2 * kMargin, 34);
  counts_->setAlignment(Qt::AlignLeft | Qt::AlignTop);

  folder_ = new QLabel(this);
  folder_->setObjectName(QStringLiteral("LabelFolder"));
  folder_->setGeometry(kMargin, 60, width() - 2 * kMargin, 16);
  QPalette black = folder_->palette();
  black.setColor(QPalette::WindowText, Qt::black);
  folder_->setPalette(black);

  cancel_ = new QPushButton(QStringLiteral("Отмена"), this);
  cancel_->setObjectName(QStringLiteral("CmdCancel"));
  cancel_->setGeometry(width() - kMargin - 90, height() - 12 - 24, 90, 24);
  cancel_->setToolTip(QStringLiteral("Остановить (Esc)"));

  hide();
}

void ProgressPanel::Announce() {
  // The cancel button has the focus while the panel shows: a screen reader reads its description
  // with it, and reads it again whenever it changes.
  QString counts = counts_->text();
  counts.replace(QLatin1Char('\n'), QStringLiteral(", "));
  cancel_->setAccessibleDescription(Caption() + QStringLiteral(": ") + counts);
  announced_.start();
}

QString ProgressPanel::CountsText() const {
  return counts_->text();
}

QString ProgressPanel::FolderText() const {
  return folder_path_;
}

void ProgressPanel::Begin(const QString& title) {
  SetCaption(title);
  cancel_->setEnabled(true);
  Show(JobProgress{});
  Announce();
}

void ProgressPanel::Show(const JobProgress& progress) {
  if (progress.rows_total > 0) {
    counts_->setText(QStringLiteral("Обработано имён: %1 из %2")
                         .arg(Number(progress.rows_done), Number(progress.rows_total)));
  } else {
    counts_->setText(QStringLiteral("Прочитано папок: %1\nНайдено файлов: %2")
                         .arg(Number(progress.folders_read), Number(progress.names_found)));
  }
  folder_path_ = progress.rows_total > 0 ? QString() : QString::fromStdString(progress.folder);
  // A long path keeps its start and its end, the folder's own name; the tool tip shows it whole.
  folder_->setText(folder_->fontMetrics().elidedText(folder_path_, Qt::ElideMiddle, folder_->width()));
  folder_->setToolTip(folder_path_);
  folder_->setAccessibleName(folder_path_);  // whole, as the tool tip
  if (!isVisible() || announced_.hasExpired(kAnnounceIntervalMs)) Announce();
}

void ProgressPanel::ShowStopping() {
  counts_->setText(QStringLiteral("Остановка…"));
  cancel_->setEnabled(false);
  Announce();
}

void ProgressPanel::paintEvent(QPaintEvent*) {
  // Opaque over the controls below, with the window's red rim so it stands out from the frames
  // around it, and the caption as a frame's caption: bold and red.
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(QPen(kRedTextColor, 1.5));
  painter.setBrush(kCreamColor);
  painter.drawRoundedRect(QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75), 6, 6);
  painter.setFont(CaptionFont());
  painter.drawText(QRect(kMargin, 4, width() - 2 * kMargin, 16), Qt::AlignLeft | Qt::AlignVCenter, Caption());
}

}  // namespace brixel
