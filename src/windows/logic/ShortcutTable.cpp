#include "windows/logic/ShortcutTable.h"

namespace KW {
namespace shortcuts {

void ShortcutTable::add(int virtualKey, int modifiers, int commandId) {
    modifiers &= modifierMask;
    for (Entry& entry : entries) {
        if (entry.key == virtualKey && entry.modifiers == modifiers) {
            entry.command = commandId;
            return;
        }
    }
    entries.push_back({virtualKey, modifiers, commandId});
}

bool ShortcutTable::find(int virtualKey, int modifiers, int& commandId) const {
    modifiers &= modifierMask;
    for (const Entry& entry : entries) {
        if (entry.key == virtualKey && entry.modifiers == modifiers) {
            commandId = entry.command;
            return true;
        }
    }
    return false;
}

} // namespace shortcuts
} // namespace KW
