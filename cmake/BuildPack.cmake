# Builds a level text into a pack with zandrove-pack, after `check` found
# nothing at all: an error stops the build, and so does a warning, since a
# shipped level should not need one. Run with
#   cmake -DPACK_TOOL=... -DTEXT=... -DPACK=... -P BuildPack.cmake
execute_process(COMMAND ${PACK_TOOL} check ${TEXT} OUTPUT_VARIABLE _out ERROR_VARIABLE _out RESULT_VARIABLE _status)
if(NOT _status EQUAL 0 OR NOT _out MATCHES "no problems found")
  message(FATAL_ERROR "${TEXT} does not pass zandrove-pack check cleanly:\n${_out}")
endif()
execute_process(COMMAND ${PACK_TOOL} build ${TEXT} -o ${PACK} RESULT_VARIABLE _status)
if(NOT _status EQUAL 0)
  message(FATAL_ERROR "zandrove-pack build ${TEXT} failed")
endif()
