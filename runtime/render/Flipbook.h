#ifndef PELMORA_FLIPBOOK_H
#define PELMORA_FLIPBOOK_H

#include "Raster.h"

#include <pelmora/Runtime.h>

#include <functional>
#include <string>
#include <vector>

// Effects drawn as the editor's preview draws them, and flipbooks: frames of an effect at a steady rate,
// one image each or laid out in a near-square grid on one sprite sheet.
namespace pelmora {

// Where effect units land in a frame: the origin's pixel and pixels per unit (y flips to grow downwards).
struct View {
    float originX;
    float originY;
    float zoom;
};

// The preview's view of a frame: the emitters in the middle of the lower part.
View previewView(int width, int height, float zoom);

// Draws particles in their order, textured ones turned by their rotation and showing their frame; a particle
// whose texture is not in textures (or empty: not loaded) is round.
void drawParticles(Canvas& canvas, const std::vector<Particle>& particles, const View& view,
                   const std::vector<Image>& textures, Sampling sampling = Sampling::Bilinear);

// How a flipbook's frames show the effect. Fit: the frames hold the extent the effect covers over all
// the frames rendered, centred, as the editor's View > Frame Effect frames it. Scale: the preview's
// view at a chosen number of pixels per effect unit.
enum class Framing { Fit, Scale };

struct FlipbookSettings {
    int size = 256; // frame width and height in pixels
    int frames = 32;
    double rate = 30.0; // frames per second of effect time
    Framing framing = Framing::Fit;
    float zoom = 1.0f; // pixels per effect unit, with Framing::Scale
    std::uint32_t seed = 1;

    static const int kMinSize = 8;
    static const int kMaxSize = 4096;
    static const int kMaxFrames = 4096;
    // A sheet holds at most this many pixels (a 16384 square).
    static const long long kMaxSheetPixels = 16384LL * 16384LL;
};

// The view of every frame: fitted to the effect's extent over the frames, or the preview's at the zoom.
View flipbookView(const Effect& effect, const FlipbookSettings& settings);

// Empty when the settings can be rendered; otherwise which one is wrong and what it accepts.
std::string checkSettings(const FlipbookSettings& settings, bool sheet);

struct SheetLayout {
    int columns;
    int rows;
};

// As many columns as the square root of the frame count rounded up, and the rows they need.
SheetLayout sheetLayout(int frames);

// Plays the effect and draws frame k at time (k + 1) / rate on a transparent canvas, handing each to
// frameDone; stops early when frameDone returns false. Returns the frames drawn.
int renderFlipbook(const Effect& effect, const FlipbookSettings& settings, const std::vector<Image>& textures,
                   const std::function<bool(int frame, const Canvas& canvas)>& frameDone);

// The whole flipbook on one sheet, frames left to right, then top to bottom, straight alpha.
Image renderSheet(const Effect& effect, const FlipbookSettings& settings, const std::vector<Image>& textures,
                  const std::function<void(int frame)>& progress = nullptr);

} // namespace pelmora

#endif
