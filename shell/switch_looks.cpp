#include "shell/switch_looks.h"

#include "shell/artwork.h"

namespace brixel {

SwitchLooks SwitchLooks::Load() {
  return {Picture::Load(artwork::kCheckOn), Picture::Load(artwork::kCheckOff),
          Picture::Load(artwork::kRadioOn), Picture::Load(artwork::kRadioOff)};
}

}  // namespace brixel
