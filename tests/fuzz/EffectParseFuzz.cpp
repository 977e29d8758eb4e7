// Any bytes given to the runtime's loader: it must never crash, a refusal must say why, and an accepted
// effect must play, giving the same particles from seek() as from playing.
#include "FuzzRequire.h"
#include <pelmora/Runtime.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const pelmora::LoadResult result = pelmora::Effect::parse(text);
    if (!result) {
        require(!result.error().empty());
        return 0;
    }
    require(result.error().empty());
    pelmora::Instance played(*result, 7);
    for (int i = 0; i < 6; ++i) {
        played.update(0.05);
    }
    pelmora::Instance sought(*result, 7);
    sought.seek(0.3);
    require(played.particles().size() == sought.particles().size());
    for (std::size_t i = 0; i < played.particles().size(); ++i) {
        const pelmora::Particle& p = played.particles()[i];
        const pelmora::Particle& q = sought.particles()[i];
        require(std::memcmp(&p.x, &q.x, sizeof(float)) == 0 && p.size == q.size && p.a == q.a);
        require(p.texture < static_cast<int>(result->texturePaths().size()));
    }
    return 0;
}
