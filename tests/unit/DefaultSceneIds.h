#ifndef KW_TESTS_DEFAULT_SCENE_IDS_H
#define KW_TESTS_DEFAULT_SCENE_IDS_H

#include "logic/EditorScene.h"

// The ids of a new effect's elements (Scene::makeDefault): a system holding a group holding an emitter.
const pelmora::editor::ElementId kSystem = 1;
const pelmora::editor::ElementId kGroup = 2;
const pelmora::editor::ElementId kEmitter = 3;

#endif
