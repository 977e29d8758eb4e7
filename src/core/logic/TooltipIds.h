#ifndef KW_TOOLTIP_IDS_H
#define KW_TOOLTIP_IDS_H

#include <functional>

namespace KW {
namespace tooltips {

constexpr int maxTools = 100;

// The lowest id in 0..99 for which isTaken is false, or -1 when all are taken.
int lowestFreeId(const std::function<bool(int)>& isTaken);

} // namespace tooltips
} // namespace KW

#endif
