#pragma once
// What both programs set up before their window shows: the program's name (also its windows'
// class on X11, which its desktop entry's StartupWMClass names), the name of its desktop entry
// (by which Wayland desktops find its name and icon), the windows' look, Qt's own texts (dialog
// buttons, file dialog) in Russian, and the program icon.
#include <QString>

class QApplication;

namespace brixel {

void SetUpApplication(QApplication& app, const QString& name, const QString& desktop_id);

}  // namespace brixel
