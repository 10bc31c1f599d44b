#include "platform/web/page_calls.h"

#include <emscripten.h>

// clang-format off
EM_JS(int, page_load_sound, (const char* path), { return Module.zandrove.loadSound(UTF8ToString(path)); });
EM_JS(void, page_play_sound, (int id, int volume, int pan, int frequency, int loop), {
    Module.zandrove.playSound(id, volume, pan, frequency, loop != 0);
});
EM_JS(void, page_stop_sound, (int id), { Module.zandrove.stopSound(id); });
EM_JS(void, page_show_picture, (const unsigned char* rgba, int w, int h), {
    Module.zandrove.showPicture(HEAPU8.subarray(rgba, rgba + 4 * w * h), w, h);
});
// clang-format on

int PageLoadSound(const char* path) { return page_load_sound(path); }
void PagePlaySound(int id, int volume, int pan, int frequency, bool loop) {
    page_play_sound(id, volume, pan, frequency, loop ? 1 : 0);
}
void PageStopSound(int id) { page_stop_sound(id); }
void PageShowPicture(const unsigned char* rgba, int w, int h) { page_show_picture(rgba, w, h); }
