#include "editor/editor_hooks.h"

EditorDisplayHooks& editorDisplayHooks() {
  static EditorDisplayHooks hooks;
  return hooks;
}
