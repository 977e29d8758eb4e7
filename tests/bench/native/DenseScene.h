#ifndef KW_BENCH_DENSE_SCENE_H
#define KW_BENCH_DENSE_SCENE_H

#include "logic/EditorScene.h"

#include <pelmora/Limits.h>

#include <functional>

namespace bench {

// The new effect with its emitter at 5,000 particles a second living exactly 2 s: 10,000 live once the
// first ones die. adjust changes the emitter further; false when the runtime refuses the values.
inline bool denseScene(pelmora::editor::Scene& scene,
                       const std::function<void(pelmora::EmitterDesc&)>& adjust) {
    scene = pelmora::editor::Scene::makeDefault();
    pelmora::EmitterDesc& values = scene.findEmitter(scene.firstEmitter())->values;
    values.rate = 5000.0f;
    values.lifetimeMin = 2.0f;
    values.lifetimeMax = 2.0f;
    adjust(values);
    return pelmora::checkEmitter(values).ok();
}

} // namespace bench

#endif
