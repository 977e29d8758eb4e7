#ifndef KW_LIST_BOX_H
#define KW_LIST_BOX_H

#include "KWObject.h"

#include <string>

namespace KW {

/// A scrolling list of strings, each tagged with an id. Items keep the order in which they were added;
/// ids need not be unique, and lookups by id take the first item that carries it.
/// The handler gets EVENT_SELECTED with the item's id when the user selects another item.
class KW_API KWListBox : public KWObject {
public:
    /// style is accepted and ignored.
    static KWListBox* create(eStyles style, int x, int y, int width, int height, KWObject* parent, int id);
    ~KWListBox() override;

    /// Appends an item showing text and carrying id.
    void addItem(int id, const std::string& text);
    /// Removes the first item carrying id; nothing when none does.
    void removeItem(int id);
    /// Removes the first item whose text equals text, ignoring case.
    void removeItem(const std::string& text);
    /// Selects the first item carrying id; the selection stays as it is when none does. Never calls the
    /// handler.
    void selectItem(int id);
    /// The id of the selected item, -1 without a selection.
    int getSelectedId();
    /// The whole text of the selected item, "" without a selection.
    std::string getSelectedText();

protected:
    void controlNotified(int code) override;

private:
    KWListBox(int x, int y, int width, int height, KWObject* parent, int id);

    static LRESULT CALLBACK KWListBoxCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// The platform's control handles its own input; no shared steps.
    unsigned routingSteps() const override;
    /// Passes every message on, keeping the selection the user made apart from the program's.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;

    /// The selected index as last reported or set by the program.
    int knownSelection;
};

} // namespace KW

#endif
