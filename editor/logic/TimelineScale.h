#ifndef PELMORA_TIMELINE_SCALE_H
#define PELMORA_TIMELINE_SCALE_H

#include <string>
#include <vector>

// The timeline's arithmetic, without a window: seconds along a bar of pixels and its labelled ticks.
namespace pelmora {

// The seconds a timeline shows from 0: at least 10 and the effect's duration, grown in steps of 10 s to
// keep the time played on the bar.
double timelineSpan(double duration, double time);
// The span once the time has moved: grown as timelineSpan grows it, never shrunk, so a marker dragged
// back to the start can be dragged out again as far as the bar reached.
double keptTimelineSpan(double shown, double time);

// A bar whose pixel column `left` shows 0 s and `right` shows `span` seconds.
struct TimelineScale {
    double span = 10.0;
    int left = 0;
    int right = 100;

    // The column of a time (times outside the bar land beyond its ends).
    int toPixel(double seconds) const;
    // The time under a column, clamped to 0..span.
    double toSeconds(int pixel) const;
};

// A tick mark: its time, its column and its text ("2.5 s"), and where its text goes (placeLabels).
struct TimelineTick {
    double seconds;
    int pixel;
    std::string label;
    int labelLeft = 0;
    bool labelShown = true;
};

// Ticks every 1, 2 or 5 times a power of ten seconds, at least minPixels apart, from 0 to the span.
std::vector<TimelineTick> timelineTicks(const TimelineScale& scale, float minPixels);

// Places each tick's label `gap` pixels right of its tick, or left of it where it would pass `right`;
// widths[i] is ticks[i]'s label width. A label that would touch the next one shown is left out, so the
// labels never run together; the last one (the bar's end) is always shown.
void placeLabels(std::vector<TimelineTick>& ticks, const std::vector<int>& widths, int right, int gap);

// A time as the timeline shows it: seconds with two decimals ("1.25 s").
std::string timeText(double seconds);

} // namespace pelmora

#endif
