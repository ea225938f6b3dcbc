#pragma once
// Controls both windows build alike around the listing choice: frames named and placed in twips,
// the mask list cboMask, and the subfolder switch PicScan with its caption.
#include <QRect>
#include <QString>
#include <string>
#include <vector>

#include "shell/frame.h"

class QComboBox;
class QWidget;

namespace brixel {

class DialogFacade;

class PictureSwitch;
struct SwitchLooks;

// A frame with its object name, at its place in twips inside parent.
Frame* MakePlacedFrame(const char* name, const QString& caption, Frame::Border border, QWidget* parent,
                       const QRect& twips);

// cboMask in its frame, holding the built-in mask lines with none chosen yet, so that start-up's
// choice of line 1 is a change like any other.
QComboBox* MakeMaskList(QWidget& fra_mask);

// Appends lines (the mask file's) after those the list holds; the choice stays as it is.
void AppendMaskLines(QComboBox& mask_list, const std::vector<std::string>& lines);

// Appends the lines of the mask file in `folder`; a file longer than is read is said so in a
// message, since the lines past the limit are not offered.
void LoadMaskList(QComboBox& mask_list, const std::string& folder, QWidget& window, DialogFacade& dialogs);

// PicScan with its caption Label1 in FraBrixel. A click flips its look and does nothing else:
// only a listing or a save reads it. looks must outlive the switch.
PictureSwitch* MakeSubfolderSwitch(QWidget& fra_brixel, const SwitchLooks& looks);

}  // namespace brixel
