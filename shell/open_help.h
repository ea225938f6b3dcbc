#pragma once
// A help page of the help folder (ProgramFiles), opened with the desktop's handler. A missing page
// opens nothing and says nothing.
#include <QUrl>
#include <functional>
#include <string>
#include <string_view>

namespace brixel {

using UrlOpener = std::function<bool(const QUrl&)>;

// The desktop's own handler.
UrlOpener DesktopOpener();

// help_folder and the page, one separator between them (also at a root).
std::string HelpPagePath(const std::string& help_folder, std::string_view page);

// Returns whether the page was handed to the opener.
bool OpenHelp(const std::string& help_folder, std::string_view page, const UrlOpener& open);

}  // namespace brixel
