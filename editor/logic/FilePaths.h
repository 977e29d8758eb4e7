#ifndef PELMORA_FILE_PATHS_H
#define PELMORA_FILE_PATHS_H

#include <string>

// Path text as effect files and the editor handle it; either slash separates folders.
namespace pelmora {

// The last part of a path: the whole path when it has no slash.
std::string fileNameOf(const std::string& path);
// The folder part of a path, without the final slash; empty when there is none.
std::string folderOf(const std::string& path);
// Starts at a root: a slash, or a drive letter and colon.
bool isAbsolutePath(const std::string& path);
// How an effect in effectFolder refers to a texture chosen at path: relative, with forward slashes, when
// the texture lies in that folder or below it (so the effect and its textures move together and read on
// any system); otherwise the path as chosen. Folder names compare without regard to ASCII case, as
// Windows does.
std::string textureReference(const std::string& path, const std::string& effectFolder);
// The reference an effect saved into newFolder needs for the texture that `reference` named from
// oldFolder: relative to newFolder, with forward slashes, when both lie under one root (drive, UNC share
// or "/"); otherwise the texture's absolute path. Absolute and empty references, and references of an
// effect never saved, stay as they are.
std::string rebasedTextureReference(const std::string& reference, const std::string& oldFolder,
                                    const std::string& newFolder);

} // namespace pelmora

#endif
