#pragma once
// A picture clicked in place of a check box or option button. The picture it shows is its whole
// state: it is on exactly when it shows its "on" picture itself (the same object), so even a
// separately loaded copy of that image reads off. Clicking only reports the click; the owner
// decides which picture to show next (CheckSwitchClick, CaseSwitchClick). To assistive tools it
// is a check box, checked while it is on; their toggle is a click like any other.
#include <initializer_list>

#include "shell/clickable_picture.h"
#include "shell/picture.h"

namespace brixel {

struct SwitchLooks;

class PictureSwitch : public ClickablePicture {
  Q_OBJECT

 public:
  PictureSwitch(Picture::Ptr on_look, QSize size, QWidget* parent);

  void ShowLook(Picture::Ptr look);
  const Picture* ShownLook() const { return shown_.get(); }
  bool IsOn() const { return shown_ != nullptr && shown_ == on_look_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void nextCheckState() override {}  // the owner decides, by the look it shows
  void checkStateSet() override;

 private:
  Picture::Ptr on_look_;
  Picture::Ptr shown_;
};

// A check switch's click: the "on" look becomes the "off" look and anything else the "on" look.
void CheckSwitchClick(PictureSwitch& check, const SwitchLooks& looks);

// A case switch's click: an unselected switch is selected and the others of its group cleared;
// a selected one is cleared, leaving none selected.
void CaseSwitchClick(PictureSwitch& clicked, std::initializer_list<PictureSwitch*> group,
                     const SwitchLooks& looks);

}  // namespace brixel
