#pragma once
// Folder paths as UTF-8 text, with the platform's separators: "/" on POSIX; "\" on Windows, where
// "/" is read as a separator too. A root keeps its separator ("/", "C:\"); no other folder ends in
// one.
#include <string>
#include <string_view>
#include <vector>

namespace brixel {

bool IsFolderSeparator(char c);

// The path without trailing separators, except at a root.
std::string TidyFolderPath(std::string path);

// folder joined with a name, with exactly one separator between them (also after a root).
std::string JoinFolder(const std::string& folder, std::string_view name);
// The same in place, so a walk extends one path instead of copying it at every level.
void AppendFolderName(std::string& folder, std::string_view name);

// Whether folder is root itself or lies below it (both tidy).
bool FolderIsUnder(std::string_view folder, std::string_view root);

// The folders from top down to path (both tidy, path under top): top first, path last.
std::vector<std::string> FolderChain(const std::string& top, const std::string& path);

}  // namespace brixel
