#pragma once
// The windows' save messages, each shown in a box titled "Внимание ! ! !" with one OK button.
#include <QString>

class QWidget;

namespace brixel {

class DialogFacade;

inline constexpr char kEmptyListMessage[] = "Список пуст.";

// A message about the save, in the box every save message has.
void ShowSaveMessage(QWidget& window, DialogFacade& dialogs, const QString& text);

// The one message for every failure once the save has begun, whatever its cause: "Произошла
// непредвиденная ошибка".
void ShowSaveFailure(QWidget& window, DialogFacade& dialogs);

}  // namespace brixel
