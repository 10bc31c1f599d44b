#pragma once
// Allegro's glue around main, where a platform needs it (END_OF_MAIN after
// main's body).
#include <allegro.h>
