#ifndef PELMORA_ATOMIC_SAVE_H
#define PELMORA_ATOMIC_SAVE_H

#include <string>

namespace pelmora {

// Writes text to a temporary file in the target's folder and only then moves it over the target, so a
// failed or interrupted save leaves the old file as it was. On failure, error says why.
bool saveAtomically(const std::string& path, const std::string& text, std::string& error);

} // namespace pelmora

#endif
