// pelmora-render: an effect file as a flipbook, one sprite sheet or one PNG file per frame.
#include "Flipbook.h"
#include "ImageFile.h"

#include <pelmora/Runtime.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

namespace {

const char* const kUsage =
    "usage: pelmora-render EFFECT.kwfx (--sheet OUT.png | --frames-dir DIR) [options]\n"
    "  --size N      frame width and height in pixels (default 256)\n"
    "  --frames N    number of frames (default 32)\n"
    "  --fps F       frames per second of effect time (default 30)\n"
    "  --framing fit|scale\n"
    "                fit (default): each frame holds the effect's extent over all the frames;\n"
    "                scale: the preview's view at --scale pixels per effect unit\n"
    "  --scale F     pixels per effect unit (default 1); turns fit off\n"
    "  --seed N      random seed (default 1)\n"
    "Frames are laid out left to right, then top to bottom, in a near-square grid.\n";

// Long renders report progress: this many pixels or more.
const long long kProgressPixels = 8LL * 1024 * 1024;

int usageError(const std::string& message) {
    std::fprintf(stderr, "pelmora-render: %s\n%s", message.c_str(), kUsage);
    return 2;
}

int failure(const std::string& message) {
    std::fprintf(stderr, "pelmora-render: %s\n", message.c_str());
    return 1;
}

bool parseNumber(const char* text, double& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && errno == 0;
}

bool parseWhole(const char* text, long long& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(text, &end, 10);
    return end != text && *end == '\0' && errno == 0;
}

void showProgress(int frame, int frames) {
    std::fprintf(stderr, "\rpelmora-render: frame %d of %d", frame + 1, frames);
    if (frame + 1 == frames) {
        std::fputc('\n', stderr);
    }
    std::fflush(stderr);
}

// ", fitted at N pixels per unit" when the frames were fitted: the scale to give --scale for the same view.
std::string fittedScale(const pelmora::Effect& effect, const pelmora::FlipbookSettings& settings) {
    if (settings.framing != pelmora::Framing::Fit) {
        return std::string();
    }
    char text[64];
    std::snprintf(text, sizeof(text), ", fitted at %.3g pixels per unit",
                  static_cast<double>(pelmora::flipbookView(effect, settings).zoom));
    return text;
}

} // namespace

int main(int argc, char** argv) {
    std::string effectPath;
    std::string sheetPath;
    std::string framesDir;
    pelmora::FlipbookSettings settings;
    bool fitChosen = false, scaleChosen = false;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help" || option == "-h") {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (option.compare(0, 2, "--") != 0) {
            if (!effectPath.empty()) {
                return usageError("one effect file at a time: '" + option + "' is a second one");
            }
            effectPath = option;
            continue;
        }
        if (i + 1 >= argc) {
            return usageError(option + " needs a value");
        }
        const char* value = argv[++i];
        long long whole = 0;
        double number = 0.0;
        if (option == "--framing") {
            const std::string framing = value;
            if (framing != "fit" && framing != "scale") {
                return usageError("--framing is fit or scale, not '" + framing + "'");
            }
            fitChosen = framing == "fit";
            settings.framing = fitChosen ? pelmora::Framing::Fit : pelmora::Framing::Scale;
        } else if (option == "--sheet") {
            sheetPath = value;
        } else if (option == "--frames-dir") {
            framesDir = value;
        } else if (option == "--size" || option == "--frames" || option == "--seed") {
            if (!parseWhole(value, whole) || whole < 0 || whole > 0xFFFFFFFFLL) {
                return usageError(option + " needs a whole number, not '" + value + "'");
            }
        } else if (option == "--fps" || option == "--scale") {
            if (!parseNumber(value, number)) {
                return usageError(option + " needs a number, not '" + value + "'");
            }
        } else {
            return usageError("unknown option " + option);
        }
        if (option == "--size") {
            settings.size = static_cast<int>(std::min(whole, 1LL << 20));
        } else if (option == "--frames") {
            settings.frames = static_cast<int>(std::min(whole, 1LL << 20));
        } else if (option == "--seed") {
            settings.seed = static_cast<std::uint32_t>(whole);
        } else if (option == "--fps") {
            settings.rate = number;
        } else if (option == "--scale") {
            settings.zoom = static_cast<float>(number);
            scaleChosen = true;
        }
    }
    if (effectPath.empty()) {
        return usageError("no effect file given");
    }
    if (scaleChosen && fitChosen) {
        return usageError("--scale sets the framing; it does not go with --framing fit");
    }
    if (scaleChosen) {
        settings.framing = pelmora::Framing::Scale;
    }
    if (sheetPath.empty() == framesDir.empty()) {
        return usageError("give either --sheet OUT.png or --frames-dir DIR");
    }
    const std::string problem = pelmora::checkSettings(settings, !sheetPath.empty());
    if (!problem.empty()) {
        return usageError(problem);
    }

    const pelmora::LoadResult effect = pelmora::Effect::load(effectPath);
    if (!effect) {
        return failure(effect.error());
    }
    const bool reportProgress =
        static_cast<long long>(settings.frames) * settings.size * settings.size >= kProgressPixels;
    const auto progress = [&](int frame) {
        if (reportProgress) {
            showProgress(frame, settings.frames);
        }
    };
    std::string error;
    if (!sheetPath.empty()) {
        if (!pelmora::writeSheet(*effect, settings, sheetPath, error, progress)) {
            return failure(error);
        }
        const pelmora::SheetLayout layout = pelmora::sheetLayout(settings.frames);
        std::printf("%s: %d frames of %d pixels on a %dx%d sheet%s\n", sheetPath.c_str(), settings.frames,
                    settings.size, layout.columns * settings.size, layout.rows * settings.size,
                    fittedScale(*effect, settings).c_str());
        return 0;
    }

    std::vector<pelmora::Image> textures;
    if (!pelmora::loadTextures(*effect, textures, error)) {
        return failure(error);
    }
    std::error_code made;
    std::filesystem::create_directories(std::filesystem::u8path(framesDir), made);
    if (made) {
        return failure(framesDir + ": " + made.message());
    }
    pelmora::renderFlipbook(*effect, settings, textures, [&](int frame, const pelmora::Canvas& canvas) {
        char name[32];
        std::snprintf(name, sizeof(name), "/frame_%04d.png", frame);
        if (!pelmora::writePng(framesDir + name, canvas.toImage(), error)) {
            return false;
        }
        progress(frame);
        return true;
    });
    if (!error.empty()) {
        return failure(error);
    }
    std::printf("%s: %d frames of %d pixels%s\n", framesDir.c_str(), settings.frames, settings.size,
                fittedScale(*effect, settings).c_str());
    return 0;
}
