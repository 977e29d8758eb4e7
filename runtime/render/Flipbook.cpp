#include "Flipbook.h"

#include "Framing.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace pelmora {

View previewView(int width, int height, float zoom) {
    return View{static_cast<float>(width) * 0.5f, static_cast<float>(height) * 0.8f, zoom};
}

void drawParticles(Canvas& canvas, const std::vector<Particle>& particles, const View& view,
                   const std::vector<Image>& textures, Sampling sampling) {
    for (const Particle& particle : particles) {
        const Sprite sprite = {view.originX + particle.x * view.zoom,
                               view.originY - particle.y * view.zoom,
                               particle.size * view.zoom,
                               particle.r,
                               particle.g,
                               particle.b,
                               particle.a,
                               particle.rotation};
        const bool textured = particle.texture >= 0 &&
                              static_cast<std::size_t>(particle.texture) < textures.size() &&
                              textures[static_cast<std::size_t>(particle.texture)].width > 0;
        if (textured) {
            canvas.draw(sprite, textures[static_cast<std::size_t>(particle.texture)], particle.blend,
                        TextureFrame{particle.frame, particle.columns, particle.rows}, sampling);
        } else {
            canvas.draw(sprite, particle.blend);
        }
    }
}

View flipbookView(const Effect& effect, const FlipbookSettings& settings) {
    if (settings.framing == Framing::Scale) {
        return previewView(settings.size, settings.size, settings.zoom);
    }
    // The frames' times as renderFlipbook plays them; the origin is always in the frame.
    Instance instance(effect, settings.seed);
    Extent extent = {0.0f, 0.0f, 0.0f, 0.0f};
    for (int frame = 0; frame < settings.frames; ++frame) {
        instance.update(static_cast<double>(frame + 1) / settings.rate - instance.time());
        includeParticles(extent, instance.particles());
    }
    const float half = 0.5f * static_cast<float>(settings.size);
    const float zoom = std::min(100.0f, fitScale(extent, settings.size, settings.size, settings.size / 32));
    return View{half - 0.5f * (extent.left + extent.right) * zoom,
                half + 0.5f * (extent.bottom + extent.top) * zoom, zoom};
}

std::string checkSettings(const FlipbookSettings& settings, bool sheet) {
    if (settings.size < FlipbookSettings::kMinSize || settings.size > FlipbookSettings::kMaxSize) {
        return "the size must be " + std::to_string(FlipbookSettings::kMinSize) + " to " +
               std::to_string(FlipbookSettings::kMaxSize) + " pixels";
    }
    if (settings.frames < 1 || settings.frames > FlipbookSettings::kMaxFrames) {
        return "the frame count must be 1 to " + std::to_string(FlipbookSettings::kMaxFrames);
    }
    if (!(settings.rate >= 1.0 && settings.rate <= 1000.0)) {
        return "the frame rate must be 1 to 1000 frames per second";
    }
    if (!(settings.zoom > 0.0f && settings.zoom <= 100.0f)) {
        return "the scale must be above 0 and at most 100 pixels per unit";
    }
    const SheetLayout layout = sheetLayout(settings.frames);
    const long long pixels =
        static_cast<long long>(layout.columns) * layout.rows * settings.size * settings.size;
    if (sheet && pixels > FlipbookSettings::kMaxSheetPixels) {
        return "a sheet of " + std::to_string(settings.frames) + " frames of " +
               std::to_string(settings.size) +
               " pixels is too large; use fewer or smaller frames, or one file per frame";
    }
    return std::string();
}

SheetLayout sheetLayout(int frames) {
    SheetLayout layout = {1, 1};
    while (layout.columns * layout.columns < frames) {
        ++layout.columns;
    }
    layout.rows = (frames + layout.columns - 1) / layout.columns;
    return layout;
}

int renderFlipbook(const Effect& effect, const FlipbookSettings& settings, const std::vector<Image>& textures,
                   const std::function<bool(int frame, const Canvas& canvas)>& frameDone) {
    Instance instance(effect, settings.seed);
    Canvas canvas(settings.size, settings.size);
    const View view = flipbookView(effect, settings);
    for (int frame = 0; frame < settings.frames; ++frame) {
        // From the start each time, so the frames do not drift by the rounding of repeated additions.
        instance.update(static_cast<double>(frame + 1) / settings.rate - instance.time());
        canvas.clearTransparent();
        drawParticles(canvas, instance.particles(), view, textures);
        if (!frameDone(frame, canvas)) {
            return frame;
        }
    }
    return settings.frames;
}

Image renderSheet(const Effect& effect, const FlipbookSettings& settings, const std::vector<Image>& textures,
                  const std::function<void(int frame)>& progress) {
    const SheetLayout layout = sheetLayout(settings.frames);
    Image sheet;
    sheet.width = layout.columns * settings.size;
    sheet.height = layout.rows * settings.size;
    sheet.rgba.assign(static_cast<std::size_t>(sheet.width) * sheet.height * 4, 0);
    renderFlipbook(effect, settings, textures, [&](int frame, const Canvas& canvas) {
        const Image image = canvas.toImage();
        const std::size_t left = static_cast<std::size_t>(frame % layout.columns) * settings.size;
        const std::size_t top = static_cast<std::size_t>(frame / layout.columns) * settings.size;
        const std::size_t rowBytes = static_cast<std::size_t>(settings.size) * 4;
        for (int y = 0; y < settings.size; ++y) {
            std::memcpy(&sheet.rgba[((top + y) * sheet.width + left) * 4], &image.rgba[y * rowBytes],
                        rowBytes);
        }
        if (progress) {
            progress(frame);
        }
        return true;
    });
    return sheet;
}

} // namespace pelmora
