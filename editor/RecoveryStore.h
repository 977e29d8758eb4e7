#ifndef PELMORA_RECOVERY_STORE_H
#define PELMORA_RECOVERY_STORE_H

#include "logic/EditorScene.h"
#include "logic/Recovery.h"

#include <string>
#include <vector>

namespace pelmora {

// The recovery files in the user's recovery folder: this process's own one, written while there is
// unsaved work, and those that processes which have ended left behind. A file of a process that still
// runs is never touched: its id and creation time are compared, so a later process that was given
// the same id does not count.
class RecoveryStore {
public:
    RecoveryStore();

    // Replaces this process's file with the effect's text (UTF-8 effect file text) and the path of the
    // file it belongs to (program text, empty for an untitled effect). False when it could not.
    bool write(const std::string& effectText, const std::string& original);
    // Removes this process's file.
    void remove();

    // A file left by a process that has ended, and the path of the effect file its work belongs to
    // (program text, empty for an untitled effect).
    struct LeftWork {
        std::string file;
        std::string original;
    };
    // The files left by processes that have ended, newest first.
    std::vector<LeftWork> abandoned() const;
    // Takes a left file out of other processes' reach and reads it: the path it belongs to (program
    // text) and its effect, which replaces the scene. False, the file kept, when it is gone (another
    // process took it) or cannot be read; error says why. A taken file stays on disk until discard(taken).
    bool take(const std::string& file, std::string& taken, std::string& original, editor::Scene& scene,
              std::string& error);
    // Deletes a left or taken file.
    void discard(const std::string& file);

private:
    std::string folder;
    RecoveryInfo own;
};

} // namespace pelmora

#endif
