#pragma once
// The help page beside the program, opened with the desktop's handler. A missing page opens
// nothing and says nothing.
#include <QUrl>
#include <functional>
#include <string>
#include <string_view>

namespace brixel {

using UrlOpener = std::function<bool(const QUrl&)>;

// The desktop's own handler.
UrlOpener DesktopOpener();

// program_folder, "help" and the page, one separator between each (also at a root).
std::string HelpPagePath(const std::string& program_folder, std::string_view page);

// Returns whether the page was handed to the opener.
bool OpenHelp(const std::string& program_folder, std::string_view page, const UrlOpener& open);

}  // namespace brixel
