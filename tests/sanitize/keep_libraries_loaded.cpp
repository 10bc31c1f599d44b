// Linked into the game only in sanitizer builds. At allegro_exit Allegro
// unloads its sound and graphics modules with dlclose, and with them the
// libraries they pulled in (ALSA among them). Memory those libraries keep in
// their own globals is then unreachable, and LeakSanitizer reports it as
// leaks in "<unknown module>" frames: they cannot be symbolised, so no narrow
// suppression can match them. Keeping every library mapped until the process
// ends leaves that memory reachable, so LeakSanitizer stays on for all of the
// game's own allocations with no suppression at all.
extern "C" int dlclose(void* handle) {
    (void)handle;
    return 0;
}
