#ifndef PELMORA_PREVIEW_H
#define PELMORA_PREVIEW_H

#include "logic/EditorScene.h"
#include "logic/Playback.h"
#include "logic/PreviewView.h"
#include <pelmora/Flipbook.h>

#include <KW.h>

#include <functional>
#include <map>
#include <string>

namespace pelmora {

class Timeline;

// The live preview: a gadget that fills its parent, runs the effect's simulation in fixed steps from a
// timer (started by the first paint) and draws the particles into an off-screen buffer that reaches the
// window in one copy. The wheel zooms about the pointer, a middle-button drag pans, and a timeline along
// the bottom shows the time and scrubs it. Textures load from files as emitters name them; one that
// cannot be read leaves its particles round and is named in a red marker, never in a message box.
class Preview : public KW::KWObject {
public:
    // Called after each painted frame with the live particle count and the frames per second.
    typedef std::function<void(std::size_t particles, double framesPerSecond)> FrameListener;

    Preview(KW::KWObject* parent, const editor::Scene& scene);
    ~Preview() override;

    // The scene's new values: live particles stay, or the preview starts over with "restart on change".
    void update(const editor::Scene& scene);
    // Starts over from no particles (and tries textures that failed before once more).
    void restart(const editor::Scene& scene);
    void setPlaying(bool playing);
    // Advances the simulation by count fixed steps at once and draws the result (single-stepping).
    void runSteps(int count);
    bool isPlaying() const { return playing; }
    // Pauses and shows the effect at the time: started over from the seed and run to it.
    void seek(double seconds);
    // Seconds of effect time since the start.
    double time() const;
    // Effect seconds a real second (0.25 to 4).
    void setSpeed(double factor);
    double getSpeed() const { return speed; }
    void setRestartOnChange(bool restart) { restartOnChange = restart; }
    bool getRestartOnChange() const { return restartOnChange; }
    void setFrameListener(const FrameListener& listener) { frameListener = listener; }

    // The folder relative texture paths start from (the effect file's); empty: the current folder. The
    // textures are read again.
    void setTextureFolder(const std::string& folder);
    // The file names of textures that could not be read, in emitter order.
    const std::vector<std::string>& getMissingTextures() const { return missing; }
    // What became of an emitter's texture, for the property grid: empty for none (or not read yet),
    // "W x H texels" when read, "missing: REASON, drawn round" when it could not be read.
    std::string textureState(const std::string& name) const;
    // Called after the textures in use were looked at again (an edit, another effect or folder).
    void setTextureListener(const std::function<void()>& listener) { textureListener = listener; }

    // Background colour 0xRRGGBB.
    void setBackground(std::uint32_t rgb);
    std::uint32_t getBackground() const { return background; }
    void setGridVisible(bool visible);
    bool isGridVisible() const { return gridVisible; }
    const PreviewView& getView() const { return view; }
    void setView(const PreviewView& shown);
    // Fits the view to where the scene's particles reach after two seconds.
    void frameEffect(const editor::Scene& scene);
    // The width and height of the area the particles are drawn in (above the timeline).
    int drawWidth() const { return canvas.width(); }
    Timeline* getTimeline() const { return timeline; }

    const editor::Playback& getPlayback() const { return playback; }
    // Draws the current particles into the buffer (also used by the benchmark).
    void render();
    const Canvas& getCanvas() const { return canvas; }

    static bool registerClass();

private:
    static constexpr UINT_PTR frameTimer = 1;

    static LRESULT CALLBACK PreviewCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void onTimer();
    void paint();
    void paintMissingMarker(HDC dc);
    void countFrame();
    void layout();
    void drawGrid();
    void drawOrigin();
    // A line at the height of each ground plane particles collide with.
    void drawCollisionPlanes();
    void zoomAt(POINT screen, float notches);
    void startPan(POINT client);
    void panTo(POINT client);
    void loadTextures(bool retryFailed);
    double now() const;

    editor::Playback playback;
    editor::Scene scene;
    Geometry geometry; // kept between frames to keep its memory
    Canvas canvas;
    PreviewView view;
    Timeline* timeline;
    std::uint32_t background;
    bool gridVisible;
    bool restartOnChange;
    double speed;
    bool panning;
    POINT panFrom;
    // Textures by resolved path (an empty image: unreadable), and those of the effect's texturePaths().
    std::string textureFolder;
    struct LoadedTexture {
        Image image; // empty when unreadable
        std::string error;
    };
    std::string resolvedTexturePath(const std::string& name) const;

    std::map<std::string, LoadedTexture> textureCache;
    std::function<void()> textureListener;
    std::vector<std::string> texturesInUse;
    std::vector<Image> textures;
    std::vector<std::string> missing;
    bool playing;
    bool timerStarted;
    double lastTime;
    double frequency;
    int framesCounted;
    double countStart;
    double framesPerSecond;
    FrameListener frameListener;
};

} // namespace pelmora

#endif
