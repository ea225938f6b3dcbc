#include "shell/save_messages.h"

#include "shell/dialog_facade.h"

namespace brixel {

void ShowSaveMessage(QWidget& window, DialogFacade& dialogs, const QString& text) {
  dialogs.ShowMessage(&window, QStringLiteral("Внимание ! ! !"), text);
}

void ShowSaveFailure(QWidget& window, DialogFacade& dialogs) {
  ShowSaveMessage(window, dialogs, QStringLiteral("Произошла непредвиденная ошибка"));
}

}  // namespace brixel
