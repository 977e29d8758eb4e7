#ifndef KW_HEADER_BAND_H
#define KW_HEADER_BAND_H

namespace KW {
namespace header {

// The title band at the top of a header, whatever the header's height.
constexpr int bandHeight = 20;
constexpr int titleX = 5;
constexpr int titleY = 2;
// The band fades from the top colour down to the bottom one.
constexpr float gradientAngle = 90.0f;

} // namespace header
} // namespace KW

#endif
