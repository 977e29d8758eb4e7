#ifndef PELMORA_DIALOG_TEMPLATE_H
#define PELMORA_DIALOG_TEMPLATE_H

#include <windows.h>

#include <cstddef>
#include <vector>

namespace pelmora {

// A modal dialog's template built in memory, so a small dialog needs no resource script: a centred
// captioned box in the shell dialog font, then its items, each on a DWORD boundary.
class DialogTemplate {
public:
    // The box, its size in dialog units.
    DialogTemplate(const wchar_t* caption, short width, short height);

    // Adds a visible child of the window class (such as L"BUTTON", L"EDIT", L"STATIC") with the given
    // text, id, style and place in dialog units.
    void item(const wchar_t* className, const wchar_t* text, WORD id, DWORD style, short x, short y, short cx,
              short cy);

    // The template for DialogBoxIndirectParam; valid while this object lives and gets no more items.
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words.data()); }

private:
    void add(WORD word) { words.push_back(word); }
    void addText(const wchar_t* text);

    std::vector<WORD> words;
    std::size_t countAt = 0;
};

} // namespace pelmora

#endif
