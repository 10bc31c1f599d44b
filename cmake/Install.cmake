# What `cmake --install` puts under the prefix P (and DESTDIR):
#   P/games/zandrove                       the game, where Debian puts games
#   P/bin/zandrove-pack, P/bin/zandrove-sim  the level designer's tools
#   P/share/zandrove/                      the 38 assets, more.pak and hard.pak, the second and third sets of levels
#   P/share/applications, P/share/icons/hicolor, P/share/metainfo   the menu entry, icons, AppStream data
#   P/share/man/man6, P/share/man/man1     the manual pages, gzipped
#   P/share/doc/zandrove                   copyright and changelog
# The game and the simulator find the assets at <their directory>/../share/zandrove/
# (src/game/program_dir.h), so these directories are fixed, not configurable.
# Tests, fuzzers, benchmarks and probes are not installed.

install(TARGETS zandrove RUNTIME DESTINATION games)
install(TARGETS zandrove-pack zandrove-sim RUNTIME DESTINATION bin)

# The assets are named once, in the game's source; the generator writes them to ZANDROVE_ASSET_DIR.
set(_zandrove_asset_header ${CMAKE_SOURCE_DIR}/src/game/asset_files.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_zandrove_asset_header})
file(READ ${_zandrove_asset_header} _zandrove_text)
string(REGEX MATCHALL "\"[A-Za-z0-9]+\\.(bmp|wav)\"" _zandrove_names "${_zandrove_text}")
string(REPLACE "\"" "" _zandrove_names "${_zandrove_names}")
if(NOT _zandrove_names)
  message(FATAL_ERROR "no asset file names found in ${_zandrove_asset_header}")
endif()
list(TRANSFORM _zandrove_names PREPEND ${ZANDROVE_ASSET_DIR}/ OUTPUT_VARIABLE _zandrove_assets)
install(FILES ${_zandrove_assets} ${ZANDROVE_ASSET_DIR}/more.pak ${ZANDROVE_ASSET_DIR}/hard.pak DESTINATION share/zandrove)

install(DIRECTORY ${ZANDROVE_ICON_DIR}/ DESTINATION share/icons/hicolor PATTERN favicon.ico EXCLUDE)  # the web page's
install(FILES ${CMAKE_SOURCE_DIR}/data/zandrove.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/data/invalid.zandrove.Zandrove.metainfo.xml DESTINATION share/metainfo)

# Manual pages and the changelog gzipped without a time stamp (-n), as Debian wants them.
set(_zandrove_gzipped)
foreach(_source docs/man/zandrove.6 docs/man/zandrove-pack.1 docs/man/zandrove-sim.1 data/changelog)
  get_filename_component(_name ${_source} NAME)
  set(_out ${CMAKE_BINARY_DIR}/gzipped/${_name}.gz)
  add_custom_command(
    OUTPUT ${_out}
    COMMAND ${CMAKE_COMMAND} -E copy ${CMAKE_SOURCE_DIR}/${_source} ${CMAKE_BINARY_DIR}/gzipped/${_name}
    COMMAND gzip -9nf ${CMAKE_BINARY_DIR}/gzipped/${_name}
    DEPENDS ${CMAKE_SOURCE_DIR}/${_source}
    VERBATIM)
  list(APPEND _zandrove_gzipped ${_out})
endforeach()
add_custom_target(zandrove-docs ALL DEPENDS ${_zandrove_gzipped})
install(FILES ${CMAKE_BINARY_DIR}/gzipped/zandrove.6.gz DESTINATION share/man/man6)
install(FILES ${CMAKE_BINARY_DIR}/gzipped/zandrove-pack.1.gz ${CMAKE_BINARY_DIR}/gzipped/zandrove-sim.1.gz
        DESTINATION share/man/man1)
install(FILES ${CMAKE_SOURCE_DIR}/data/copyright DESTINATION share/doc/zandrove)
install(FILES ${CMAKE_BINARY_DIR}/gzipped/changelog.gz DESTINATION share/doc/zandrove)

if(ZANDROVE_TESTS)
  # The manual pages read without a warning and name every option the tools' usage names;
  # the menu entry and the AppStream data pass their validators.
  add_test(NAME man_pages
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/validate_data.sh man ${CMAKE_SOURCE_DIR}
                   $<TARGET_FILE:zandrove-pack> $<TARGET_FILE:zandrove-sim>)
  add_test(NAME desktop_entry_and_metainfo
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/install/validate_data.sh desktop ${CMAKE_SOURCE_DIR})
  set_tests_properties(man_pages desktop_entry_and_metainfo PROPERTIES LABELS install)
endif()
