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

// Takes every event of a deleted gadget out of the queue; the others keep their order.
inline void dropEventsOf(std::queue<KWEvent>& queue, const KWObject* object) {
    std::queue<KWEvent> kept;
    for (; !queue.empty(); queue.pop()) {
        if (queue.front().object != object) {
            kept.push(queue.front());
        }
    }
    queue.swap(kept);
}

} // namespace eventqueue
} // namespace KW

#endif
