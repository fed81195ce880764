#pragma once
// What the Editor asks of the machine view after an edit: forget routed wire
// paths and the wire drawings cached on ports. The view installs these; a
// headless Editor (tests, the validation worker) runs without them.
#include <functional>

#include "model/module.h"

struct EditorDisplayHooks {
  std::function<void()> clearWirePathCache;
  std::function<void(const ModuleList&)> dropWireTextures;
};

EditorDisplayHooks& editorDisplayHooks();
