#pragma once
// The dialogs as Qt shows them.
#include "shell/dialog_facade.h"

namespace brixel {

class QtDialogs : public DialogFacade {
 public:
  SaveFileChoice AskSaveFile(QWidget* parent, const QStringList& file_types, int filter_index) override;
  void ShowMessage(QWidget* parent, const QString& title, const QString& text) override;
  bool Ask(QWidget* parent, const QString& title, const QString& text, const QString& go_on,
           const QString& stop) override;
};

}  // namespace brixel
