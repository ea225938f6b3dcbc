#include "shell/folder_argument.h"

#include <QMimeData>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <filesystem>
#include <system_error>

#include "core/platform/file_path.h"
#include "core/platform/folder_path.h"
#include "shell/dialog_facade.h"
#include "shell/messages.h"

namespace brixel {

std::string FolderNamed(const std::string& path) {
  if (path.empty()) return {};
  std::error_code ec;
  std::filesystem::path named = std::filesystem::absolute(PathFromUtf8(path), ec);
  if (ec) return {};
  named = named.lexically_normal();
  const std::filesystem::file_status status = std::filesystem::status(named, ec);
  if (ec || !std::filesystem::exists(status)) return {};
  if (!std::filesystem::is_directory(status)) named = named.parent_path();
  return TidyFolderPath(PathToUtf8(named));
}

std::optional<std::string> CommandLinePath(const QStringList& arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i)
    if (!arguments[i].startsWith(QLatin1Char('-'))) return arguments[i].toStdString();
  return std::nullopt;
}

std::string DroppedFolder(const QMimeData& data) {
  for (const QUrl& url : data.urls()) {
    if (!url.isLocalFile()) continue;
    const std::string folder = FolderNamed(url.toLocalFile().toStdString());
    if (!folder.empty()) return folder;
  }
  return {};
}

StartFolder ChooseStartFolder(const std::optional<std::string>& named, const std::string& remembered,
                              const std::string& current) {
  if (named) {
    const std::string folder = FolderNamed(*named);
    if (!folder.empty()) return {folder, false};
  }
  std::string folder = FolderNamed(remembered);
  if (folder.empty()) folder = current;
  return {folder, named.has_value()};
}

void ReportMissingFolder(QWidget& window, DialogFacade& dialogs, const std::string& named) {
  const QString text = QStringLiteral("Папка «%1» не найдена.").arg(QString::fromStdString(named));
  QTimer::singleShot(0, &window, [window = QPointer<QWidget>(&window), &dialogs, text] {
    if (window) ShowWarning(*window, dialogs, text);
  });
}

}  // namespace brixel
