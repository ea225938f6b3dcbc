#pragma once
// Qt's own texts (the save dialog's labels and buttons, the edit menus of text boxes) in Russian,
// as the rest of the window is, whatever language the desktop speaks.
class QCoreApplication;

namespace brixel {

// Where a build that carries Qt's Russian texts keeps them (a Windows build).
inline constexpr char kEmbeddedQtTextFolder[] = ":/brixel/translations";

// False when neither the build nor the system holds Russian texts for Qt; its English ones stay
// then.
bool InstallRussianQtTexts(QCoreApplication& app);

}  // namespace brixel
