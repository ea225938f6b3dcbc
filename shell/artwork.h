#pragma once
// The pictures of the windows, vector drawings compiled into the program: the SVG files of
// shell/artwork/, or their recordings where Qt has no SVG (picture.h). The names leave out which.
namespace brixel::artwork {

inline constexpr char kAppIcon[] = ":/brixel/app_icon";
inline constexpr char kBody[] = ":/brixel/body";  // 570 x 580, drawn from the top-left corner
inline constexpr char kRoundMinimize[] = ":/brixel/round_minimize";
inline constexpr char kRoundClose[] = ":/brixel/round_close";
inline constexpr char kButtonHelp[] = ":/brixel/button_help";
inline constexpr char kButtonBack[] = ":/brixel/button_back";
inline constexpr char kButtonReset[] = ":/brixel/button_reset";
inline constexpr char kButtonNext[] = ":/brixel/button_next";
inline constexpr char kButtonSave[] = ":/brixel/button_save";
inline constexpr char kCheckOn[] = ":/brixel/check_on";
inline constexpr char kCheckOff[] = ":/brixel/check_off";
inline constexpr char kRadioOn[] = ":/brixel/radio_on";
inline constexpr char kRadioOff[] = ":/brixel/radio_off";

}  // namespace brixel::artwork
