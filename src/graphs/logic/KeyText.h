#ifndef KW_KEY_TEXT_H
#define KW_KEY_TEXT_H

#include "KWColorPoint.h"
#include "KWGraphPoint.h"

#include <string>
#include <vector>

// The editors' keys as clipboard text: one key per line, fields separated by a tab, lines ended by
// CR LF. Reading accepts any run of spaces and tabs between fields, LF or CR LF line ends and blank
// lines; every other deviation refuses the whole text.
namespace KW {
namespace keytext {

// A curve key: "position<TAB>upper<TAB>lower", the values as the graph shows them (upper = -y1,
// lower = -y2), each written with enough digits to read back the same float.
std::string curveToText(const std::vector<KWGraphPoint>& keys);

// The keys of such text, with the first and last key fixed, when they pass the graph's own check of
// a client's keys; otherwise false and keys untouched.
bool curveFromText(const std::string& text, std::vector<KWGraphPoint>& keys);

// A gradient key: "position<TAB>r1<TAB>g1<TAB>b1<TAB>a1<TAB>r2<TAB>g2<TAB>b2<TAB>a2", the colours as
// whole numbers 0 to 255 (upper swatch first).
std::string gradientToText(const std::vector<KWColorPoint>& keys);

// The keys of such text, with the first and last key fixed, when they pass the gradient editor's own
// check of a client's keys; otherwise false and keys untouched.
bool gradientFromText(const std::string& text, std::vector<KWColorPoint>& keys);

} // namespace keytext
} // namespace KW

#endif
