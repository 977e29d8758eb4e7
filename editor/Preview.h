#ifndef PELMORA_PREVIEW_H
#define PELMORA_PREVIEW_H

#include "logic/EffectSimulation.h"
#include "Flipbook.h"

#include <KW.h>

#include <functional>

namespace pelmora {

// The live preview: a gadget that fills its parent, runs the effect's simulation in fixed steps from a
// timer (started by the first paint) and draws the particles into an off-screen buffer that reaches the
// window in one copy.
class Preview : public KW::KWObject {
public:
    // Called after each painted frame with the live particle count and the frames per second.
    typedef std::function<void(std::size_t particles, double framesPerSecond)> FrameListener;

    Preview(KW::KWObject* parent, const KW::effect::Scene& scene);
    ~Preview() override;

    // The scene's new values; live particles stay.
    void update(const KW::effect::Scene& scene);
    // Starts over from no particles.
    void restart(const KW::effect::Scene& scene);
    void setPlaying(bool playing);
    // Advances the simulation by count fixed steps at once and draws the result (single-stepping).
    void runSteps(int count);
    bool isPlaying() const { return playing; }
    void setFrameListener(const FrameListener& listener) { frameListener = listener; }

    const KW::effect::Simulation& getSimulation() const { return simulation; }
    // Draws the current particles into the buffer (also used by the benchmark).
    void render();
    const Canvas& getCanvas() const { return canvas; }

    static bool registerClass();

private:
    static LRESULT CALLBACK PreviewCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void onTimer();
    void paint();
    double now() const;

    KW::effect::Simulation simulation;
    std::vector<pelmora::Particle> particles; // kept between frames to keep its memory
    Canvas canvas;
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
