#pragma once
// The panel a long job shows inside the window: a frame in the window's look with the job's name
// as its caption, what it has done so far (folders read and names found, or rows of a list), the
// folder being read, and the cancel button "Отмена". A screen reader hears what the panel shows as
// the cancel button's description, when the panel comes up and every few seconds as it changes.
#include <QElapsedTimer>
#include <QString>

#include "shell/frame.h"

class QLabel;
class QPushButton;

namespace brixel {

struct JobProgress;

class ProgressPanel : public Frame {
  Q_OBJECT

 public:
  // Hidden until a job has run long enough; centred on the window's body.
  explicit ProgressPanel(QWidget& window);

  QPushButton& CancelButton() const { return *cancel_; }
  QString CountsText() const;
  QString FolderText() const;

  // A new job: its caption, nothing done yet.
  void Begin(const QString& title);
  void Show(const JobProgress& progress);
  // A cancel was asked for and the job is winding down (a save putting its file back).
  void ShowStopping();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Announce();

  QLabel* counts_;
  QLabel* folder_;
  QPushButton* cancel_;
  QString folder_path_;
  QElapsedTimer announced_;
};

}  // namespace brixel
