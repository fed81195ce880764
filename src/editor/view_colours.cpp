#include "editor/view_colours.h"

#include "model/module_defs.h"

Rgba categoryColour(int category) {
  if (category < 1 || category > 3) return kGreyModuleColour;
  Rgba c = viewColour(moduleCategories[std::size_t(category)].colour);
  c.a = 255;
  return c;
}
