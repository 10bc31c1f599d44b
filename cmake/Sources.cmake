# The sources every build of the game shares, the native one (CMakeLists.txt)
# and the web one (web/CMakeLists.txt): none of them includes Allegro. Set
# ZANDROVE_SRC to the source tree's src/ before including this.
set(ZANDROVE_FILES_SOURCES
  ${ZANDROVE_SRC}/files/atomic_file.cpp
  ${ZANDROVE_SRC}/files/checked_output.cpp
  ${ZANDROVE_SRC}/files/content_hash.cpp
  ${ZANDROVE_SRC}/files/file_error.cpp
  ${ZANDROVE_SRC}/files/file_lock.cpp
  ${ZANDROVE_SRC}/files/regular_file.cpp
  ${ZANDROVE_SRC}/files/set_aside.cpp)
set(ZANDROVE_SIM_SOURCES
  ${ZANDROVE_SRC}/objects/asset_handles.cpp
  ${ZANDROVE_SRC}/objects/blocks.cpp
  ${ZANDROVE_SRC}/objects/bomb.cpp
  ${ZANDROVE_SRC}/objects/contact.cpp
  ${ZANDROVE_SRC}/objects/frame_globals.cpp
  ${ZANDROVE_SRC}/objects/geometry.cpp
  ${ZANDROVE_SRC}/objects/particles.cpp
  ${ZANDROVE_SRC}/objects/player.cpp
  ${ZANDROVE_SRC}/objects/presentation.cpp
  ${ZANDROVE_SRC}/objects/sin_table.cpp
  ${ZANDROVE_SRC}/levels/builtin_levels.cpp
  ${ZANDROVE_SRC}/levels/level_table.cpp
  ${ZANDROVE_SRC}/levels/sim_state.cpp
  ${ZANDROVE_SRC}/levels/world.cpp)
set(ZANDROVE_RASTER_SOURCES
  ${ZANDROVE_SRC}/raster/image.cpp
  ${ZANDROVE_SRC}/raster/rgba.cpp
  ${ZANDROVE_SRC}/raster/rotate.cpp
  ${ZANDROVE_SRC}/raster/shapes.cpp
  ${ZANDROVE_SRC}/raster/sprite_rows.cpp)
# The frame's drawing, the HUD and the objects' pictures, through play/drawing.h.
set(ZANDROVE_PLAY_SOURCES
  ${ZANDROVE_SRC}/play/drawn_presentation.cpp
  ${ZANDROVE_SRC}/play/frame_draw.cpp
  ${ZANDROVE_SRC}/play/hud_controls.cpp)
# Assets, the frame function and the level sequence.
set(ZANDROVE_SHELL_SOURCES
  ${ZANDROVE_SRC}/shell/assets.cpp
  ${ZANDROVE_SRC}/shell/frame_loop.cpp
  ${ZANDROVE_SRC}/shell/game_flow.cpp)
