#include "platform/web/page_calls.h"

#include <emscripten.h>

#include <cstdlib>

// clang-format off
EM_JS(int, page_load_sound, (const char* path), { return Module.zandrove.loadSound(UTF8ToString(path)); });
EM_JS(void, page_play_sound, (int id, int volume, int pan, int frequency, int loop), {
    Module.zandrove.playSound(id, volume, pan, frequency, loop != 0);
});
EM_JS(void, page_stop_sound, (int id), { Module.zandrove.stopSound(id); });
EM_JS(void, page_show_picture, (const unsigned char* rgba, int w, int h), {
    Module.zandrove.showPicture(HEAPU8.subarray(rgba, rgba + 4 * w * h), w, h);
});
EM_JS(void, page_notice, (const char* line), { Module.zandrove.notice(UTF8ToString(line)); });
EM_JS(int, page_fullscreen, (int full), { return Module.zandrove.fullscreen(full != 0) ? 1 : 0; });
EM_JS(int, page_solve_start, (const char* text), { return Module.zandrove.solver.start(UTF8ToString(text)); });
EM_JS(int, page_solve_state, (int id), { return Module.zandrove.solver.state(id); });
EM_JS(double, page_solve_attempts, (int id), { return Module.zandrove.solver.attempts(id); });
// The report in memory the game frees.
EM_JS(char*, page_solve_report, (int id), {
    const text = Module.zandrove.solver.report(id);
    const size = lengthBytesUTF8(text) + 1, at = _malloc(size);
    if (at) stringToUTF8(text, at, size);
    return at;
});
EM_JS(void, page_solve_cancel, (int id), { Module.zandrove.solver.cancel(id); });
// clang-format on

int PageLoadSound(const char* path) { return page_load_sound(path); }
void PagePlaySound(int id, int volume, int pan, int frequency, bool loop) {
    page_play_sound(id, volume, pan, frequency, loop ? 1 : 0);
}
void PageStopSound(int id) { page_stop_sound(id); }
void PageShowPicture(const unsigned char* rgba, int w, int h) { page_show_picture(rgba, w, h); }
void PageNotice(const char* line) { page_notice(line); }
bool PageFullscreen(bool full) { return page_fullscreen(full ? 1 : 0) != 0; }

int PageSolveStart(const char* searchText) { return page_solve_start(searchText); }
int PageSolveState(int search) { return page_solve_state(search); }
long PageSolveAttempts(int search) { return static_cast<long>(page_solve_attempts(search)); }
std::string PageSolveReport(int search) {
    char* text = page_solve_report(search);
    std::string report = text ? text : "";
    std::free(text);
    return report;
}
void PageSolveCancel(int search) { page_solve_cancel(search); }
