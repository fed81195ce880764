#include <SDL.h>

#include "app/game_main.h"

// The game takes no command-line arguments.
int main(int, char**) { return runGame(); }
