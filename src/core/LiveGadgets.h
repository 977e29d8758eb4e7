#ifndef KW_LIVE_GADGETS_H
#define KW_LIVE_GADGETS_H

#include <vector>

namespace KW {

class KWObject;

// Every gadget alive, in creation order: what a change for the whole library (a theme) reaches.
namespace livegadgets {

void add(KWObject* gadget);
void remove(KWObject* gadget);
std::vector<KWObject*> all();

} // namespace livegadgets
} // namespace KW

#endif
