#include "shell/messages.h"

#include "shell/dialog_facade.h"

namespace brixel {

void ShowWarning(QWidget& window, DialogFacade& dialogs, const QString& text) {
  dialogs.ShowMessage(&window, QStringLiteral("Внимание ! ! !"), text);
}

void ShowSaveFailure(QWidget& window, DialogFacade& dialogs) {
  ShowWarning(window, dialogs, QStringLiteral("Произошла непредвиденная ошибка"));
}

}  // namespace brixel
