#ifndef KW_STYLE_MAPPING_H
#define KW_STYLE_MAPPING_H

#include <cstdint>

namespace KW {
namespace styles {

// Window-style bits as the platform defines them; spelled out so this file needs no platform header.
constexpr std::uint32_t child = 0x40000000u;
constexpr std::uint32_t visible = 0x10000000u;
constexpr std::uint32_t thickFrame = 0x00040000u;
constexpr std::uint32_t overlappedWindow = 0x00CF0000u;
constexpr std::uint32_t popup = 0x80000000u;
constexpr std::uint32_t caption = 0x00C00000u;
constexpr std::uint32_t sysMenu = 0x00080000u;
constexpr std::uint32_t clientEdge = 0x00000200u;

struct WindowStyle {
    std::uint32_t style;
    std::uint32_t exStyle;
};

// The bits behind an eStyles value: a visible child, sizable for STYLE_SIZABLE.
std::uint32_t gadgetStyle(int styleValue);

// The style of a window of the given eWindowType; a window with a parent is also a child. STYLE_HIDDEN
// leaves the window hidden.
WindowStyle windowStyle(int windowType, bool hasParent, int styleValue = 0);

// The static-control alignment style of a KWTextAlign value.
std::uint32_t textAlignStyle(int alignValue);

} // namespace styles
} // namespace KW

#endif
