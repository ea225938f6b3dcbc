#pragma once
// The pictures of the windows, vector drawings compiled into the program.
namespace brixel::artwork {

inline constexpr char kAppIcon[] = ":/brixel/app_icon.svg";
inline constexpr char kBody[] = ":/brixel/body.svg";  // 570 x 580, drawn from the top-left corner
inline constexpr char kRoundMinimize[] = ":/brixel/round_minimize.svg";
inline constexpr char kRoundClose[] = ":/brixel/round_close.svg";
inline constexpr char kButtonHelp[] = ":/brixel/button_help.svg";
inline constexpr char kButtonBack[] = ":/brixel/button_back.svg";
inline constexpr char kButtonReset[] = ":/brixel/button_reset.svg";
inline constexpr char kButtonNext[] = ":/brixel/button_next.svg";
inline constexpr char kButtonSave[] = ":/brixel/button_save.svg";
inline constexpr char kCheckOn[] = ":/brixel/check_on.svg";
inline constexpr char kCheckOff[] = ":/brixel/check_off.svg";
inline constexpr char kRadioOn[] = ":/brixel/radio_on.svg";
inline constexpr char kRadioOff[] = ":/brixel/radio_off.svg";

}  // namespace brixel::artwork
