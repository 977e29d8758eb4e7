#ifndef KW_COMBO_BOX_H
#define KW_COMBO_BOX_H

#include "KWObject.h"

#include <string>

namespace KW {

/// A drop-down list of strings, each tagged with an id. Items keep the order in which they were added;
/// ids need not be unique, and lookups by id take the first item that carries it.
/// The handler gets EVENT_SELECTED with the item's id when the user selects another item.
class KW_API KWComboBox : public KWObject {
public:
    /// style is accepted and ignored; height is the height of the dropped-down list.
    static KWComboBox* create(eStyles style, int x, int y, int width, int height, KWObject* parent, int id);
    ~KWComboBox() override;

    /// Appends an item showing text and carrying id.
    void addItem(int id, const std::string& text);
    /// Removes the first item carrying id; nothing when none does.
    void removeItem(int id);
    /// Removes the first item whose text equals text, ignoring case.
    void removeItem(const std::string& text);
    /// Selects the first item carrying id; nothing when none does. A change by the program: the handler
    /// is not called.
    void selectItem(int id);
    /// The id of the selected item, -1 without a selection.
    int getSelectedId();
    /// The selected item's text, at most 99 characters.
    std::string getSelectedText();

    /// Position and size reading, like the base; the z-order is kept.
    void setBounds(const KWBound& bounds) override;
    /// Edge reading. Unlike the base, the caller's record is left as it is. The closed box is made to
    /// fit the rectangle: its selection field is six pixels lower than the rectangle.
    void setPlacement(KWBound& bounds) override;

protected:
    void controlNotified(int code) override;

private:
    KWComboBox(int x, int y, int width, int height, KWObject* parent, int id);

    static LRESULT CALLBACK KWComboBoxCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// The platform's control handles its own input; no shared steps.
    unsigned routingSteps() const override;
    /// Passes every message on, keeping the selection the user made apart from the program's.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;

    /// The selected index as last reported or set by the program.
    int knownSelection;
};

} // namespace KW

#endif
