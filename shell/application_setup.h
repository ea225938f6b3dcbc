#pragma once
// What both programs set up before their window shows: the program's name, the windows' look,
// Qt's own texts (dialog buttons, file dialog) in Russian, and the program icon.
#include <QString>

class QApplication;

namespace brixel {

void SetUpApplication(QApplication& app, const QString& name);

}  // namespace brixel
