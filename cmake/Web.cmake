# The browser build: the same game compiled to WebAssembly with Emscripten (its own SDL 1.2,
# SDL_mixer and fixed-function GL emulation), its run tree packed as Velmora.data, and a page of
# our own. The pictures, fonts and sounds come from a native build's run tree (VELMORA_NATIVE_DATA,
# made by `cmake --build build --target assets`); the web copy keeps every file name, with the two
# music loops made mono at a lower rate so that a first visit downloads less.

set(VELMORA_NATIVE_DATA ${CMAKE_SOURCE_DIR}/build/Data CACHE PATH "The native build's run tree to pack")
if(NOT EXISTS ${VELMORA_NATIVE_DATA}/Images/menuBG.png)
  message(FATAL_ERROR "No run tree at ${VELMORA_NATIVE_DATA}: build the native assets first (./web does)")
endif()
find_program(PYTHON3 python3 REQUIRED)


# The run tree for the browser, staged from the native one.
set(VELMORA_WEB_DATA ${CMAKE_BINARY_DIR}/Data)
file(GLOB_RECURSE VELMORA_NATIVE_DATA_FILES CONFIGURE_DEPENDS ${VELMORA_NATIVE_DATA}/Images/* ${VELMORA_NATIVE_DATA}/Fonts/*
  ${VELMORA_NATIVE_DATA}/Sounds/* ${VELMORA_NATIVE_DATA}/Levels/*)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/data.stamp
  COMMAND ${PYTHON3} -B ${CMAKE_SOURCE_DIR}/tools/web/stage_data.py ${VELMORA_NATIVE_DATA} ${VELMORA_WEB_DATA}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/data.stamp
  DEPENDS ${VELMORA_NATIVE_DATA_FILES} ${CMAKE_SOURCE_DIR}/tools/web/stage_data.py
  COMMENT "Staging the run tree for the browser" VERBATIM)
add_custom_target(web_data DEPENDS ${CMAKE_BINARY_DIR}/data.stamp)

# Emscripten's JavaScript optimiser finds Debian's acorn only through NODE_PATH.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
add_executable(velmora ${VELMORA_GAME_SOURCES} ${VELMORA_MAIN_SOURCE} ${VELMORA_WEB_SOURCE})
set_target_properties(velmora PROPERTIES OUTPUT_NAME Velmora SUFFIX ".js")
target_include_directories(velmora PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(velmora PRIVATE -Wall -Wextra -O2)
target_link_options(velmora PRIVATE -O2
  -sLEGACY_GL_EMULATION=1 -sSTB_IMAGE=1 -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=134217728
  -sFORCE_FILESYSTEM=1 -sEXPORTED_RUNTIME_METHODS=['FS','addRunDependency','removeRunDependency']
  -sEXPORTED_FUNCTIONS=['_main','_WebFrameWork','_WebProbe']
  --preload-file ${VELMORA_WEB_DATA}@/Data)
add_dependencies(velmora web_data)
set_property(TARGET velmora APPEND PROPERTY LINK_DEPENDS ${CMAKE_BINARY_DIR}/data.stamp)

# The page, its script for the browser's storage, and the game's icon for the browser's tab.
foreach(page index.html storage.js)
  configure_file(${CMAKE_SOURCE_DIR}/platform/web/${page} ${CMAKE_BINARY_DIR}/${page} COPYONLY)
endforeach()
configure_file(${CMAKE_SOURCE_DIR}/assets/icon/velmora.svg ${CMAKE_BINARY_DIR}/velmora.svg COPYONLY)
