#ifndef KW_BENCH_DENSE_SCENE_H
#define KW_BENCH_DENSE_SCENE_H

#include "logic/EffectModel.h"

#include <functional>

namespace bench {

// The new effect with its emitter at 5,000 particles a second living exactly 2 s: 10,000 live once the
// first ones die. adjust changes the emitter further; false when the scene refuses the values.
inline bool denseScene(KW::effect::Scene& scene, const std::function<void(KW::effect::Emitter&)>& adjust) {
    scene = KW::effect::Scene::makeDefault();
    const KW::effect::ElementId id = scene.getSystems()[0].groups[0].emitters[0].id;
    KW::effect::Emitter values = *scene.findEmitter(id);
    values.rate = 5000.0f;
    values.lifetimeMin = 2.0f;
    values.lifetimeMax = 2.0f;
    adjust(values);
    return scene.setEmitter(id, values);
}

} // namespace bench

#endif
