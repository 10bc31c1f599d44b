#include "app/game.h"
#include "platform/allegro/allegro_main.h"

int main(int argc, char** argv) { return RunGame(argc, argv); }
END_OF_MAIN()
