#include "shell/open_help.h"

#include <QDesktopServices>
#include <QFileInfo>

#include "core/platform/folder_path.h"

namespace brixel {

UrlOpener DesktopOpener() {
  return [](const QUrl& url) { return QDesktopServices::openUrl(url); };
}

std::string HelpPagePath(const std::string& help_folder, std::string_view page) {
  return JoinFolder(help_folder, page);
}

bool OpenHelp(const std::string& help_folder, std::string_view page, const UrlOpener& open) {
  const QString path = QString::fromStdString(HelpPagePath(help_folder, page));
  if (!QFileInfo(path).isFile() || !open) return false;
  open(QUrl::fromLocalFile(path));  // what the handler makes of it is not ours to report
  return true;
}

}  // namespace brixel
