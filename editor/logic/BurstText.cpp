#include "logic/BurstText.h"

#include "Check.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace KW {
namespace effect {

namespace {

std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) {
        return std::string();
    }
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// The whole of text as a finite number.
bool readFloat(const std::string& text, float& value) {
    const std::string part = trimmed(text);
    if (part.empty()) {
        return false;
    }
    char* end = nullptr;
    const double number = std::strtod(part.c_str(), &end);
    if (*end != '\0' || !std::isfinite(number) || std::fabs(number) > 1e30) {
        return false;
    }
    value = static_cast<float>(number);
    return true;
}

bool readInt(const std::string& text, int& value) {
    const std::string part = trimmed(text);
    if (part.empty()) {
        return false;
    }
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(part.c_str(), &end, 10);
    if (*end != '\0' || errno == ERANGE || number < INT_MIN || number > INT_MAX) {
        return false;
    }
    value = static_cast<int>(number);
    return true;
}

// One entry; an empty string on success, otherwise what is wrong.
std::string parseEntry(const std::string& entry, pelmora::Burst& burst) {
    const std::size_t colon = entry.find(':');
    if (colon == std::string::npos) {
        return "is not time:count";
    }
    if (!readFloat(entry.substr(0, colon), burst.time)) {
        return "the time is not a number";
    }
    std::string rest = entry.substr(colon + 1);
    const std::size_t times = rest.find_first_of("xX");
    std::string count = rest.substr(0, times);
    burst.cycles = 1;
    burst.interval = 0.0f;
    if (times != std::string::npos) {
        const std::string repeat = rest.substr(times + 1);
        const std::size_t slash = repeat.find('/');
        if (slash == std::string::npos) {
            return "a repeat needs its interval: count x cycles / interval";
        }
        if (!readInt(repeat.substr(0, slash), burst.cycles)) {
            return "the number of cycles is not a whole number";
        }
        if (!readFloat(repeat.substr(slash + 1), burst.interval)) {
            return "the interval is not a number";
        }
    }
    if (!readInt(count, burst.count)) {
        return "the count is not a whole number";
    }
    return std::string();
}

} // namespace

std::string burstText(const std::vector<pelmora::Burst>& bursts) {
    std::string text;
    for (const pelmora::Burst& burst : bursts) {
        if (!text.empty()) {
            text += ", ";
        }
        text += pelmora::detail::floatText(burst.time) + ":" + std::to_string(burst.count);
        if (burst.cycles != 1 || burst.interval != 0.0f) {
            text += "x" + std::to_string(burst.cycles) + "/" + pelmora::detail::floatText(burst.interval);
        }
    }
    return text;
}

bool parseBursts(const std::string& text, std::vector<pelmora::Burst>& bursts, std::string& error) {
    std::vector<pelmora::Burst> parsed;
    std::size_t start = 0;
    while (!trimmed(text).empty() && start <= text.size()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        const std::string entry = trimmed(text.substr(start, comma - start));
        pelmora::Burst burst;
        const std::string problem = parseEntry(entry, burst);
        if (!problem.empty()) {
            error = "burst " + std::to_string(parsed.size() + 1) + " \"" + entry + "\": " + problem +
                    " (write time:count or time:count x cycles / interval, e.g. 0.5:10x3/0.25)";
            return false;
        }
        if (parsed.size() == pelmora::detail::kMaxBursts) {
            error = "more than " + std::to_string(pelmora::detail::kMaxBursts) + " bursts";
            return false;
        }
        parsed.push_back(burst);
        start = comma + 1;
    }
    bursts.swap(parsed);
    return true;
}

} // namespace effect
} // namespace KW
