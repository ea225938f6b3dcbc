#pragma once
// The six formatting passes, each on one name. The formatting run, the lite formatting run and
// the per-name formatter all shape names with these and nothing else.
//
// Each pass rewrites the name in place. `scratch` is a buffer the caller keeps from name to name,
// so that once it has grown no pass allocates.
#include <cstdint>
#include <string>

namespace brixel {

class CaseMapper;

void UpperCasePass(std::string& name, std::string& scratch, const CaseMapper& mapper);
void LowerCasePass(std::string& name, std::string& scratch, const CaseMapper& mapper);
// Lowers the whole name, then raises its first character only; a first character that is no
// letter stays as it is.
void FirstCapitalPass(std::string& name, std::string& scratch, const CaseMapper& mapper);
// Every "_" becomes one space; nothing merged, nothing trimmed.
void UnderscorePass(std::string& name);
// Puts the number, zero-padded to `digits` characters and never cut, and one space in front.
void NumberingPass(std::string& name, long long number, int digits, std::string& scratch);
// Cuts from the last "." on; a name without one stays.
void ExtensionPass(std::string& name);

// The number of the name `index` places after the first (start + index); it stops at the largest
// number rather than wrapping, which a bounded start number never reaches.
long long NumberAt(long long start, std::uint64_t index);

}  // namespace brixel
