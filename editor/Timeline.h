#ifndef PELMORA_TIMELINE_H
#define PELMORA_TIMELINE_H

#include "logic/TimelineScale.h"

#include <KW.h>

#include <functional>

namespace pelmora {

// The preview's time bar: seconds from 0 with labelled ticks, a marker at the time shown and the time as
// text. A drag with the left button scrubs: the listener hears every time the pointer passes.
class Timeline : public KW::KWObject {
public:
    typedef std::function<void(double seconds)> ScrubListener;

    Timeline(KW::KWObject* parent);

    // The time the marker shows; the span grows in 10 s steps when the time passes its end.
    void setTime(double seconds);
    double getTime() const { return time; }
    // Back to 0 s and the shortest span, for another effect; the span never shrinks otherwise.
    void resetSpan();
    const TimelineScale& getScale() const { return bar; }
    void setScrubListener(const ScrubListener& listener) { scrubListener = listener; }
    bool isScrubbing() const { return scrubbing; }
    // The bar's height at the gadget's DPI.
    int height() const { return scale96(28); }

    static bool registerClass();

private:
    static LRESULT CALLBACK TimelineCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    int scale96(int pixels) const;
    void layout();
    void paint();
    void scrubTo(int x);

    TimelineScale bar;
    double time;
    bool scrubbing;
    ScrubListener scrubListener;
};

} // namespace pelmora

#endif
