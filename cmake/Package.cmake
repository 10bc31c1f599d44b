# `cpack -G DEB` (in the build directory) makes zandrove_VERSION_ARCH.deb from
# what cmake/Install.cmake installs, under /usr. The version is the newest
# entry of data/changelog, which the package carries as its Debian changelog.
file(STRINGS ${CMAKE_SOURCE_DIR}/data/changelog _zandrove_first LIMIT_COUNT 1)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/changelog)
if(NOT _zandrove_first MATCHES "^zandrove \\(([^)]+)\\)")
  message(FATAL_ERROR "data/changelog does not start with a 'zandrove (VERSION)' line")
endif()
set(ZANDROVE_VERSION ${CMAKE_MATCH_1})
if(NOT ZANDROVE_VERSION STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "data/changelog says ${ZANDROVE_VERSION}, project() in CMakeLists.txt ${PROJECT_VERSION}: a release changes both")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zandrove)
set(CPACK_PACKAGE_VERSION ${ZANDROVE_VERSION})
set(CPACK_PACKAGE_VENDOR "The Zandrove developers")
set(CPACK_PACKAGE_CONTACT "The Zandrove developers <dev@zandrove.invalid>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# dpkg-shlibdeps names the libraries the installed programs load: Allegro's
# runtime (not its -dev package), zlib (share links) and the C and C++ runtimes. libpng is only
# the asset generator's, which is not installed.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "physics puzzle game: blast the hamsters home with timed bombs
Each level is a play-field of stone blocks and breakable bricks with one or
more hamsters and exit areas. You place bombs and set their fuses; the
explosions throw the hamsters about until every one of them rests in an
exit. Ten levels are built in.
.
Two tools for level designers come with it: zandrove-pack makes, prints and
checks level pack files, and zandrove-sim plays a level without a window,
traces and pictures it, and searches for the bombs that solve it.")

include(CPack)
