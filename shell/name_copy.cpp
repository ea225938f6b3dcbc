#include "shell/name_copy.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMimeData>
#include <QTableView>
#include <algorithm>

#include "core/listing/name_column.h"
#include "shell/name_table_model.h"

namespace brixel {

namespace {

// What makes a spreadsheet split a cell or take it for a quoted one.
bool NeedsQuotes(std::string_view text) {
  for (char c : text)
    if (c == '\t' || c == '\n' || c == '\r' || c == '"') return true;
  return false;
}

// The copy of one grid: its context menu entry, with Ctrl+C as its shortcut, and Ctrl+C itself
// when it reaches the grid as a key (the grid would copy its current cell alone).
class NameCopy : public QObject {
 public:
  NameCopy(QTableView& grid, const NameTableModel& model)
      : QObject(&grid), grid_(grid), model_(model), action_(QStringLiteral("Копировать"), this) {
    action_.setShortcut(QKeySequence::Copy);
    action_.setShortcutContext(Qt::WidgetShortcut);
    connect(&action_, &QAction::triggered, this, &NameCopy::Copy);
  }

  QAction& Action() { return action_; }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress || !static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy))
      return QObject::eventFilter(watched, event);
    Copy();
    return true;
  }

 private:
  void Copy() {
    if (!model_.HoldsNames()) return;  // the blank row of an empty list: the clipboard keeps its text
    std::vector<RowSpan> rows = SelectedRows(grid_);
    if (rows.empty()) rows.push_back({0, static_cast<std::size_t>(model_.rowCount()) - 1});
    auto* data = new QMimeData;
    // Handed over as UTF-8; Qt makes the text each pasting program asks for only when it asks.
    data->setData(QStringLiteral("text/plain;charset=utf-8"), NamesAsText(model_.ShownColumns(), rows));
    QGuiApplication::clipboard()->setMimeData(data);
  }

  QTableView& grid_;
  const NameTableModel& model_;
  QAction action_;
};

}  // namespace

QByteArray NamesAsText(const std::vector<const NameColumn*>& columns, const std::vector<RowSpan>& rows) {
  // A million rows are copied at the speed of memory: the size is known before anything is
  // written, and a span of a column is looked at cell by cell only when it holds a character that
  // needs quotes somewhere (a name with a tab or a line break is rare).
  const bool cells = columns.size() > 1;
  std::vector<char> quoted_spans;  // per span and column: some cell needs quotes
  std::size_t size = 0;
  for (const RowSpan& span : rows) {
    size += (span.last - span.first + 1) * columns.size();  // the tabs and the line ends
    for (const NameColumn* column : columns) {
      const std::size_t end = std::min(span.last + 1, column->Size());
      const std::string_view bytes = span.first < end ? column->Bytes(span.first, end) : std::string_view();
      const bool quoted = cells && NeedsQuotes(bytes);
      quoted_spans.push_back(quoted);
      size += bytes.size();
      for (std::size_t row = span.first; quoted && row < end; ++row) {
        const std::string_view cell = (*column)[row];
        if (NeedsQuotes(cell))
          size += 2 + static_cast<std::size_t>(std::count(cell.begin(), cell.end(), '"'));
      }
    }
  }

  QByteArray text(static_cast<qsizetype>(size), Qt::Uninitialized);
  char* out = text.data();
  std::size_t flag = 0;
  for (const RowSpan& span : rows) {
    const char* quoted = quoted_spans.data() + flag;
    flag += columns.size();
    for (std::size_t row = span.first; row <= span.last; ++row) {
      for (std::size_t c = 0; c < columns.size(); ++c) {
        if (c > 0) *out++ = '\t';
        const NameColumn& column = *columns[c];
        const std::string_view cell = row < column.Size() ? column[row] : std::string_view();
        if (quoted[c] && NeedsQuotes(cell)) {
          *out++ = '"';
          for (char ch : cell) {
            if (ch == '"') *out++ = '"';
            *out++ = ch;
          }
          *out++ = '"';
        } else {
          out = std::copy(cell.begin(), cell.end(), out);
        }
      }
      *out++ = '\n';
    }
  }
  return text;
}

std::vector<RowSpan> SelectedRows(const QTableView& grid) {
  std::vector<RowSpan> spans;
  const QItemSelectionModel* selection = grid.selectionModel();
  if (selection == nullptr) return spans;
  for (const QItemSelectionRange& range : selection->selection())
    spans.push_back({static_cast<std::size_t>(range.top()), static_cast<std::size_t>(range.bottom())});
  std::sort(spans.begin(), spans.end(), [](const RowSpan& a, const RowSpan& b) { return a.first < b.first; });
  std::vector<RowSpan> merged;
  for (const RowSpan& span : spans) {
    if (!merged.empty() && span.first <= merged.back().last + 1)
      merged.back().last = std::max(merged.back().last, span.last);
    else
      merged.push_back(span);
  }
  return merged;
}

void AddNameCopy(QTableView& grid, const NameTableModel& model) {
  auto* copy = new NameCopy(grid, model);
  grid.installEventFilter(copy);
  grid.addAction(&copy->Action());
  grid.setContextMenuPolicy(Qt::ActionsContextMenu);
}

}  // namespace brixel
