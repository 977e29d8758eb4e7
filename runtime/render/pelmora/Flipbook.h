#ifndef PELMORA_PUBLIC_FLIPBOOK_H
#define PELMORA_PUBLIC_FLIPBOOK_H

// The window-free drawing of effects (Pelmora's preview, flipbooks and sprite sheets) under the runtime's
// include prefix, for programs that link pelmora_render_logic.
#include "../Flipbook.h"
#include "../Framing.h"
#include "../GeometryRaster.h"
#include "../ImageFile.h"

#endif
