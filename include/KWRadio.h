#ifndef KW_RADIO_H
#define KW_RADIO_H

#include "KWObject.h"

#include <string>

namespace KW {

/// A radio button; the platform unchecks the other radio buttons of its group when it is clicked.
class KW_API KWRadio : public KWObject {
public:
    /// style is accepted and ignored; text is the caption.
    static KWRadio* create(eStyles style, const std::string& text, int x, int y, int width, int height,
                           KWObject* parent, int id);

    /// Checks or unchecks this button; the others of its group are left as they are.
    void setSelected(bool selected);
    /// Whether this button is checked.
    bool isSelected() const;

private:
    KWRadio(const std::string& text, int x, int y, int width, int height, KWObject* parent, int id);
};

} // namespace KW

#endif
