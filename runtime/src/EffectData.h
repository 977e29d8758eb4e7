#ifndef PELMORA_EFFECT_DATA_H
#define PELMORA_EFFECT_DATA_H

#include "Engine.h"

#include <pelmora/Runtime.h>

#include <memory>
#include <string>
#include <vector>

// What an effect holds once checked and compiled, shared (never changed) by its copies and instances.
namespace pelmora {
namespace detail {

struct EffectData {
    std::vector<SystemDesc> systems;
    std::vector<SharedEmitter> emitters; // flattened, in drawing order
    std::vector<int> emitterTexture;     // per emitter, index into textures or -1
    std::vector<std::string> textures;
};

// The data of an effect with no emitters, one for all.
const std::shared_ptr<const EffectData>& emptyEffectData();

} // namespace detail
} // namespace pelmora

#endif
