#ifndef KW_SHORTCUT_TABLE_H
#define KW_SHORTCUT_TABLE_H

#include <vector>

namespace KW {
namespace shortcuts {

// The modifier bits a shortcut may carry, as the platform numbers them: Alt 1, Control 2, Shift 4.
constexpr int modifierMask = 0x7;

// Keyboard shortcuts of one window: a virtual key with a set of modifiers names a command.
class ShortcutTable {
public:
    // A later shortcut for the same key and modifiers replaces the earlier one. Modifier bits other
    // than Alt, Control and Shift are ignored.
    void add(int virtualKey, int modifiers, int commandId);
    // The command of the shortcut for exactly this key and these modifiers, if there is one.
    bool find(int virtualKey, int modifiers, int& commandId) const;
    bool empty() const { return entries.empty(); }

private:
    struct Entry {
        int key;
        int modifiers;
        int command;
    };
    std::vector<Entry> entries;
};

} // namespace shortcuts
} // namespace KW

#endif
