#ifndef KW_EVENT_QUEUE_RULE_H
#define KW_EVENT_QUEUE_RULE_H

#include "KWTypes.h"

#include <cstddef>
#include <queue>

namespace KW {
namespace eventqueue {

constexpr std::size_t capacity = 33;

// Appends {type, object, 0, 0} while the queue holds 0 to 32 events; a full queue drops the event.
inline void pushBounded(std::queue<KWEvent>& queue, eEventType type, KWObject* object) {
    if (queue.size() >= capacity) {
        return;
    }
    queue.push(KWEvent{type, object, 0, 0});
}

} // namespace eventqueue
} // namespace KW

#endif
