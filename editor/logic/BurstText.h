#ifndef PELMORA_BURST_TEXT_H
#define PELMORA_BURST_TEXT_H

#include <pelmora/Runtime.h>

#include <string>
#include <vector>

// An emitter's bursts as one line of text the property grid edits: comma-separated entries
// "time:count", optionally followed by "xcycles/interval", e.g. "0:50, 0.5:10x3/0.25" (50 particles at
// the start of each cycle, then 10 at 0.5, 0.75 and 1 s). Empty text: no bursts.
namespace KW {
namespace effect {

// The text for bursts; parseBursts reads it back to the same values.
std::string burstText(const std::vector<pelmora::Burst>& bursts);

// Reads text into bursts; false with a message naming the entry and what is wrong, bursts unchanged.
// Ranges are the emitter check's job; this refuses text that is not of the form above.
bool parseBursts(const std::string& text, std::vector<pelmora::Burst>& bursts, std::string& error);

} // namespace effect
} // namespace KW

#endif
