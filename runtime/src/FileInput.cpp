#include "Reader.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace pelmora {
namespace detail {

bool readFileText(const std::string& path, std::string& text, std::string& error) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        error = std::string("cannot open the file: ") + std::strerror(errno);
        return false;
    }
    // Read in pieces and stop past the limit, so a huge file is never read whole.
    text.clear();
    char buffer[65536];
    std::size_t count;
    while ((count = std::fread(buffer, 1, sizeof(buffer), file)) > 0) {
        text.append(buffer, count);
        if (text.size() > Effect::kMaxFileBytes) {
            std::fclose(file);
            error = "the file is larger than " + std::to_string(Effect::kMaxFileBytes) +
                    " bytes, the limit for effect files";
            return false;
        }
    }
    const bool failed = std::ferror(file) != 0;
    const int reason = errno;
    std::fclose(file);
    if (failed) {
        error = std::string("cannot read the file: ") + std::strerror(reason);
        return false;
    }
    return true;
}

} // namespace detail
} // namespace pelmora
