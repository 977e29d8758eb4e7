#ifndef KW_SPIN_BOX_H
#define KW_SPIN_BOX_H

#include "KWObject.h"

#include <string>

namespace KW {

/// Edits one float between a minimum and a maximum: an edit showing the value with five decimals and
/// up-down arrows at its right end, inside a "KWPANEL" container. The value changes by typing, by the
/// arrows (one step per click) and by dragging over the arrows with the left button (one step per pixel).
/// The value lives as text in the edit; getValue parses it back.
///
/// The handler gets, with the spin box's id: EVENT_CHANGING for each step while the left button is held
/// on the arrows (a drag, or an arrow repeating), then EVENT_CHANGED once when the button is released
/// after the value changed (so one arrow click gives one EVENT_CHANGED); and EVENT_CHANGED on Enter or
/// when the edit loses the focus, if the user typed since the value was last shown. setValue reports
/// nothing.
class KW_API KWSpinBox : public KWObject {
public:
    /// style is not used. Null without a parent, after an error message.
    static KWSpinBox* create(eStyles style, float value, int x, int y, int width, int height, float minValue,
                             float maxValue, float step, bool vertical, bool editable, KWObject* parent,
                             int id);
    ~KWSpinBox() override;

    /// Clamped to [min, max] (lower bound first) and shown with five decimals; never calls the handler.
    void setValue(float value);
    /// The value parsed from the first 29 characters of the edit, unclamped; the value the edit had when
    /// it last gained focus when the text is not a number.
    float getValue();
    /// Bounds only: the shown text is clamped again by the next setValue, step or focus loss.
    void setMinValue(float value);
    /// Sets the upper bound only; the shown text is clamped again by the next setValue, step or focus loss.
    void setMaxValue(float value);
    /// Sets both bounds; the shown text is clamped again by the next setValue, step or focus loss.
    void setValues(float minValue, float maxValue);

    /// The edit's text, at most 99 characters.
    std::string getText() const override;
    /// Edges; turned into position-and-size in place. The edit fills the cell up to a square of arrows as
    /// high as the cell at its right end.
    void setPlacement(KWBound& bound) override;

protected:
    /// Described to screen readers; see KWObject::describeAccessible.
    bool describeAccessible(int child, KWAccessibleElement& element) const override;

private:
    KWSpinBox(float value, int x, int y, int width, int height, float minValue, float maxValue, float step,
              bool vertical, bool editable, KWObject* parent, int id);

    static LRESULT CALLBACK KWSpinBoxCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KWEditCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK KWSpinCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// The default handling for the container, the edit and the arrows; no colour answers.
    unsigned routingSteps() const override;
    /// Dispatches by window: the arrows' notifications on the container, typing on the edit, drags
    /// on the arrows.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    /// The arrows' presses, releases and drags.
    LRESULT handleSpinMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    /// The edit's text, at most maxLength characters.
    std::string editText(int maxLength) const;
    void applySteps(int count);
    /// Parse, clamp and re-format what was typed.
    void commitTypedValue();
    LRESULT handleEditMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    void handleDragMove(WPARAM keys, LPARAM position);
    void endDrag();
    /// Shows value and reports a step taken by the user, if the shown value changed: at once (changed),
    /// or while the left button is held (changing when reportWhileHeld, and changed once it is released).
    void showSteppedValue(float value, bool reportWhileHeld);
    void controlNotified(int code) override;
    /// Lays the edit and the arrows out again over the container's scaled bounds.
    void dpiChanged(int oldDpi, int newDpi) override;

    float minValue;
    float maxValue;
    float step;
    float lastValue;
    bool vertical;
    bool editable;
    bool dragging;
    int dragAnchor;
    /// The left button went down on the arrows and is not released yet.
    bool pressing;
    /// The arrows are handling the press itself: its first step is part of the click, not a drag.
    bool handlingPress;
    /// A step changed the value during the current press.
    bool pressChanged;
    /// The user typed since the value was last shown.
    bool typed;
    /// Non-zero while the program sets the edit's text.
    int settingValue;
    HWND spinHandle;
    HWND editHandle;
    WNDPROC spinProc;
    WNDPROC editProc;
};

} // namespace KW

#endif
