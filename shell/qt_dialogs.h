#pragma once
// The dialogs as Qt shows them.
#include "shell/dialog_facade.h"

namespace brixel {

class QtDialogs : public DialogFacade {
 public:
  std::optional<SaveFileChoice> AskSaveFile(QWidget* parent, const QStringList& file_types,
                                            int filter_index) override;
  void ShowMessage(QWidget* parent, const QString& title, const QString& text) override;
};

// Qt's name filters from a filter text of "description|pattern|" pairs. A description that does
// not show its pattern in brackets gets it appended, since Qt reads the pattern from there.
QStringList NameFiltersFromPairs(const QString& filter_text);

}  // namespace brixel
