# The Ogg Vorbis decoder is Debian's single-file one (libstb-dev), compiled into the game from
# audio/vorbis.cpp; as a system header its own warnings stay out of ours.
set(VELMORA_STB_DIR /usr/include/stb CACHE PATH "Where libstb-dev's headers are")
if(NOT EXISTS ${VELMORA_STB_DIR}/stb_vorbis.h)
  message(FATAL_ERROR "No stb_vorbis.h in ${VELMORA_STB_DIR}: install libstb-dev (tools/deps.sh does)")
endif()
set_source_files_properties(${CMAKE_SOURCE_DIR}/audio/vorbis.cpp PROPERTIES COMPILE_OPTIONS "-isystem;${VELMORA_STB_DIR}")
