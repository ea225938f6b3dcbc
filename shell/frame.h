#pragma once
// A frame: a panel with a bold red caption set into its top border, or, without a border, a plain
// holder of controls. A press on a frame belongs to the frame and starts no window drag.
#include <QWidget>

namespace brixel {

class Frame : public QWidget {
  Q_OBJECT

 public:
  enum class Border { Shown, None };

  Frame(const QString& caption, Border border, QWidget* parent);

  QString Caption() const { return caption_; }
  void SetCaption(const QString& caption);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QString caption_;
  Border border_;
};

}  // namespace brixel
