#ifndef KW_PANEL_H
#define KW_PANEL_H

#include "KWObject.h"

namespace KW {

/// A plain container with a thin dialog frame, painted in the library's panel colour. Gadgets
/// created with it as parent become its children and follow its size through their lock types.
class KW_API KWPanel : public KWObject {
public:
    /// Null, after a message, without a parent.
    static KWPanel* create(eStyles style, int x, int y, int width, int height, KWObject* parent, int id);

private:
    KWPanel(int x, int y, int width, int height, KWObject* parent, int id);
};

} // namespace KW

#endif
