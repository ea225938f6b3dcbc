#pragma once
// Where the program runs from: the folder of its executable (the mask file, the help pages and
// the lite edition's default list live there) and the process's current folder.
#include <string>

namespace brixel {

// The folder of the running executable, without a trailing separator except at a root. Falls back
// to the current folder when the platform cannot tell.
std::string ProgramFolder();

// The process's current folder ("." when even that cannot be told).
std::string CurrentFolder();

}  // namespace brixel
