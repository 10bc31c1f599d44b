# The sources every build of the game shares, the native one (CMakeLists.txt)
# and the web one (web/CMakeLists.txt): none of them includes a platform. Set
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
  ${ZANDROVE_SRC}/sim/blocks.cpp
  ${ZANDROVE_SRC}/sim/bomb.cpp
  ${ZANDROVE_SRC}/sim/contact.cpp
  ${ZANDROVE_SRC}/sim/geometry.cpp
  ${ZANDROVE_SRC}/sim/particles.cpp
  ${ZANDROVE_SRC}/sim/placement.cpp
  ${ZANDROVE_SRC}/sim/player.cpp
  ${ZANDROVE_SRC}/sim/random.cpp
  ${ZANDROVE_SRC}/sim/sin_table.cpp
  ${ZANDROVE_SRC}/sim/step.cpp
  ${ZANDROVE_SRC}/sim/world.cpp)
# Levels: the built-in ones, pack files, level texts and the checker.
set(ZANDROVE_PACKS_SOURCES
  ${ZANDROVE_SRC}/packs/builtin_levels.cpp
  ${ZANDROVE_SRC}/packs/finding_format.cpp
  ${ZANDROVE_SRC}/packs/finding_printer.cpp
  ${ZANDROVE_SRC}/packs/level_hash.cpp
  ${ZANDROVE_SRC}/packs/link_text.cpp
  ${ZANDROVE_SRC}/packs/pack_checker.cpp
  ${ZANDROVE_SRC}/packs/pack_header.cpp
  ${ZANDROVE_SRC}/packs/pack_model.cpp
  ${ZANDROVE_SRC}/packs/pack_reader.cpp
  ${ZANDROVE_SRC}/packs/pack_writer.cpp
  ${ZANDROVE_SRC}/packs/playable.cpp
  ${ZANDROVE_SRC}/packs/text_keeper.cpp
  ${ZANDROVE_SRC}/packs/text_parser.cpp
  ${ZANDROVE_SRC}/packs/text_printer.cpp)
set(ZANDROVE_RASTER_SOURCES
  ${ZANDROVE_SRC}/raster/image.cpp
  ${ZANDROVE_SRC}/raster/rgba.cpp
  ${ZANDROVE_SRC}/raster/rotate.cpp
  ${ZANDROVE_SRC}/raster/shapes.cpp
  ${ZANDROVE_SRC}/raster/sprite_rows.cpp
  ${ZANDROVE_SRC}/raster/text.cpp)
# One frame of the game: the HUD, the drawing through game/drawing.h, the
# frame function, the level sequence and the assets.
set(ZANDROVE_GAME_SOURCES
  ${ZANDROVE_SRC}/game/assets.cpp
  ${ZANDROVE_SRC}/game/drawn_run.cpp
  ${ZANDROVE_SRC}/game/frame_draw.cpp
  ${ZANDROVE_SRC}/game/frame_loop.cpp
  ${ZANDROVE_SRC}/game/game_flow.cpp
  ${ZANDROVE_SRC}/game/hud_controls.cpp
  ${ZANDROVE_SRC}/game/object_drawing.cpp
  ${ZANDROVE_SRC}/game/program_dir.cpp)
# The solver: the web build runs it in a worker of the page, one search at
# a time on one thread (the live game's BackgroundSolve is native only).
set(ZANDROVE_SOLVE_SOURCES
  ${ZANDROVE_SRC}/solve/attempt.cpp
  ${ZANDROVE_SRC}/solve/bomb_options.cpp
  ${ZANDROVE_SRC}/solve/candidates.cpp
  ${ZANDROVE_SRC}/solve/difficulty.cpp
  ${ZANDROVE_SRC}/solve/forgiveness.cpp
  ${ZANDROVE_SRC}/solve/forgiving_order.cpp
  ${ZANDROVE_SRC}/solve/level_run.cpp
  ${ZANDROVE_SRC}/solve/nav_field.cpp
  ${ZANDROVE_SRC}/solve/one_bomb_proof.cpp
  ${ZANDROVE_SRC}/solve/random_share.cpp
  ${ZANDROVE_SRC}/solve/search_text.cpp
  ${ZANDROVE_SRC}/solve/solver.cpp
  ${ZANDROVE_SRC}/solve/worker_pool.cpp)
# What the player keeps: progress and settings files.
set(ZANDROVE_PROGRESS_SOURCES
  ${ZANDROVE_SRC}/progress/kept_file.cpp
  ${ZANDROVE_SRC}/progress/progress.cpp
  ${ZANDROVE_SRC}/progress/progress_keeper.cpp
  ${ZANDROVE_SRC}/progress/settings.cpp
  ${ZANDROVE_SRC}/progress/word_lines.cpp)
# The level designer (its searches and checks behind the frames are the
# platform's: solve/background_*.cpp natively, the page's worker on the web).
set(ZANDROVE_DESIGN_SOURCES
  ${ZANDROVE_SRC}/design/clipboard.cpp
  ${ZANDROVE_SRC}/design/design_doc.cpp
  ${ZANDROVE_SRC}/design/design_draw.cpp
  ${ZANDROVE_SRC}/design/design_file.cpp
  ${ZANDROVE_SRC}/design/design_input.cpp
  ${ZANDROVE_SRC}/design/designer.cpp
  ${ZANDROVE_SRC}/design/level_solves.cpp
  ${ZANDROVE_SRC}/design/test_play.cpp)
# The chooser, hints, watching a kept run, the recorder of completed runs.
set(ZANDROVE_FEATURES_SOURCES
  ${ZANDROVE_SRC}/features/chooser.cpp
  ${ZANDROVE_SRC}/features/game_hooks.cpp
  ${ZANDROVE_SRC}/features/hints.cpp
  ${ZANDROVE_SRC}/features/level_list.cpp
  ${ZANDROVE_SRC}/features/run_recorder.cpp
  ${ZANDROVE_SRC}/features/watch.cpp)
# The player's edition: title, settings, results, assists.
set(ZANDROVE_EDITION_SOURCES
  ${ZANDROVE_SRC}/edition/edition.cpp
  ${ZANDROVE_SRC}/edition/edition_draw.cpp
  ${ZANDROVE_SRC}/edition/level_play.cpp
  ${ZANDROVE_SRC}/edition/level_sets.cpp
  ${ZANDROVE_SRC}/edition/menu.cpp
  ${ZANDROVE_SRC}/edition/placement_history.cpp
  ${ZANDROVE_SRC}/edition/result_screens.cpp
  ${ZANDROVE_SRC}/edition/run_watch.cpp
  ${ZANDROVE_SRC}/edition/screen_input.cpp
  ${ZANDROVE_SRC}/edition/set_menu.cpp
  ${ZANDROVE_SRC}/edition/settings_screen.cpp
  ${ZANDROVE_SRC}/edition/title_screen.cpp)
