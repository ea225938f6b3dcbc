#pragma once
// How TagLib turns the bytes of Latin-1 frames (ID3v2, ID3v1) and RIFF INFO texts into text:
// through DecodeLegacyTagText with the encoding of the reading under way on this thread. TagLib
// takes one handler of each kind for the whole process, so the choice travels per thread.
#include "core/details/tag_encoding.h"

namespace brixel {

// Installs the handlers (once per process) and sets this thread's encoding until destroyed.
class LegacyTagTextScope {
 public:
  explicit LegacyTagTextScope(TagEncoding encoding);
  ~LegacyTagTextScope();
  LegacyTagTextScope(const LegacyTagTextScope&) = delete;
  LegacyTagTextScope& operator=(const LegacyTagTextScope&) = delete;

 private:
  TagEncoding previous_;
};

}  // namespace brixel
