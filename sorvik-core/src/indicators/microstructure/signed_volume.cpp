#include "indicators/microstructure/signed_volume.hpp"

namespace sorvik {

Expected<SignedVolume> SignedVolume::create() { return SignedVolume{}; }

}  // namespace sorvik
