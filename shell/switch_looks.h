#pragma once
// The four looks of the picture switches, loaded once per window and never shown themselves:
// ImgChecked / ImgUnchecked for check switches, ImgRC / ImgRU for case switches.
#include "shell/picture.h"

namespace brixel {

struct SwitchLooks {
  Picture::Ptr ImgChecked;
  Picture::Ptr ImgUnchecked;
  Picture::Ptr ImgRC;
  Picture::Ptr ImgRU;

  static SwitchLooks Load();
};

}  // namespace brixel
