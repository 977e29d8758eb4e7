#ifndef KW_COMBO_GEOMETRY_H
#define KW_COMBO_GEOMETRY_H

namespace KW {
namespace combo {

// The frame of a closed drop-down list adds this much to the height of its selection field.
constexpr int frameHeight = 6;

// The selection-field height that makes a closed drop-down list as high as placementHeight; at least
// one pixel, since the platform takes no empty field.
inline int selectionFieldHeight(int placementHeight) {
    const int field = placementHeight - frameHeight;
    return field < 1 ? 1 : field;
}

} // namespace combo
} // namespace KW

#endif
