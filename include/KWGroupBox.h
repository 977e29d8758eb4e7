#ifndef KW_GROUP_BOX_H
#define KW_GROUP_BOX_H

#include "KWObject.h"

#include <string>

namespace KW {

/// The standard captioned group frame. Commands from controls inside it stop here.
class KW_API KWGroupBox : public KWObject {
public:
    /// Null, after a message, without a parent.
    static KWGroupBox* create(eStyles style, const std::string& text, int x, int y, int width, int height,
                              KWObject* parent, int id);

private:
    KWGroupBox(const std::string& text, int x, int y, int width, int height, KWObject* parent, int id);
};

} // namespace KW

#endif
