#include <allegro.h>

#include "app/game.h"

int main(int argc, char** argv) { return RunGame(argc, argv); }
END_OF_MAIN()
