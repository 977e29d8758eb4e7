#ifndef KW_COLOR_EDIT_MODEL_H
#define KW_COLOR_EDIT_MODEL_H

#include "KWColorPoint.h"

#include <vector>

namespace KW {
namespace coloredit {

// Where the mouse is for a hit test: the cursor in data units horizontally, the client row vertically
// (swatch rows do not zoom or pan), the swatches' half width in pixels and the view scale.
struct HitProbe {
    float cursorX;
    int py;
    int markerSize;
    float scale;
};

// Which swatch of which key a hit found; index -1 when none.
struct SwatchHit {
    int index;
    bool upper;
};

// The keys of a colour gradient and the key the colour picker is editing. Keys stay in the vector in
// the order they were inserted; dragging changes positions without reordering.
class ColorEditModel {
public:
    static constexpr int minMarkerSize = 3;
    static constexpr int maxMarkerSize = 20;

    // The two fixed end keys at 0 and 100.
    ColorEditModel();

    const std::vector<KWColorPoint>& getPoints() const { return points; }
    // Replaces every key when the new keys keep the invariants (isValid); otherwise changes nothing and
    // returns false. The key under edit is forgotten on success.
    bool setPoints(const std::vector<KWColorPoint>& keys);
    // At least two keys; positions within 0 to 100 and in ascending order; every colour component
    // within 0 to 255; the first and the last key fixed and no other.
    static bool isValid(const std::vector<KWColorPoint>& keys);

    // Selects, walking from the last key to the first, the first key hit within its column of swatches;
    // every other key is deselected.
    void selectAt(const HitProbe& probe);
    // Moves the selected keys by dx pixels at the given scale, clamped to 0 to 100.
    void moveSelected(float dx, float scale);
    // Moves the selected keys by step data units as the arrow keys do: like a drag, except that the
    // fixed end keys keep their positions. True when a position changed.
    bool nudgeSelected(float step);
    // Selects the key at index alone; an index outside the keys clears the selection.
    void selectIndex(int index);
    // Inserts a key after the last key at or left of position, with that key's colours. Returns false,
    // changing nothing, when position lies outside 0 to 100 or y is below 0.
    bool insertAt(float position, float y);
    // Erases the first selected key that is not fixed; false when there is none.
    bool deleteSelected();
    // At the first key hit with the mouse over one of its swatches, copies the other swatch onto it.
    bool copyOntoHitSwatch(const HitProbe& probe);
    // The first key whose upper or lower swatch holds the mouse.
    SwatchHit findSwatch(const HitProbe& probe) const;

    // The picker edits one swatch of a key until finishEdit; insertion and deletion keep following the
    // same key, and a deleted key ends the edit.
    void beginEdit(const SwatchHit& hit);
    void clearEdit() { editedIndex = -1; }
    int getEditedIndex() const { return editedIndex; }
    bool isEditingUpper() const { return editingUpper; }
    // Stores color (clamped to 0..255) in the edited swatch; false when no key is being edited.
    bool finishEdit(const KWColor& color);

    // The two colours at a position, interpolated linearly between the neighbouring keys in position
    // order and rounded; beyond the outermost keys their colours. False for a non-finite position.
    bool evaluate(float position, KWColor& color1, KWColor& color2) const;

private:
    bool hitsHorizontally(const KWColorPoint& key, const HitProbe& probe) const;

    std::vector<KWColorPoint> points;
    int editedIndex;
    bool editingUpper;
};

// Upper swatch rows 0..2m, lower 2m..4m, inclusive.
bool inUpperSwatch(int py, int markerSize);
bool inLowerSwatch(int py, int markerSize);
KWColor clampColor(const KWColor& color);

} // namespace coloredit
} // namespace KW

#endif
