# The browser build: the same game compiled to WebAssembly with Emscripten (its own SDL 1.2,
# SDL_mixer and fixed-function GL emulation), its run tree packed in two (Velmora.data, the
# loading screen's three pictures, read before the game starts; Velmora-assets.data, everything
# else, which the loading screen's steps take as it arrives), and a page of our own. The
# pictures, fonts and sounds come from a native build's run tree (VELMORA_NATIVE_DATA, made by
# `cmake --build build --target assets`), staged lighter for the download (tools/web/stage_data.py). The site (VELMORA_WEB_SITE) holds only what is served; this build tree keeps
# everything else.

set(VELMORA_NATIVE_DATA ${CMAKE_SOURCE_DIR}/build/Data CACHE PATH "The native build's run tree to pack")
if(NOT EXISTS ${VELMORA_NATIVE_DATA}/Images/menuBG.png)
  message(FATAL_ERROR "No run tree at ${VELMORA_NATIVE_DATA}: build the native assets first (./web does)")
endif()
find_program(PYTHON3 python3 REQUIRED)
find_program(OGGENC oggenc REQUIRED)
find_program(PNMTOJPEG pnmtojpeg REQUIRED)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
set(VELMORA_WEB_SITE ${CMAKE_SOURCE_DIR}/build-web CACHE PATH "The folder the browser build is served from")
file(MAKE_DIRECTORY ${VELMORA_WEB_SITE})


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

# The loading screen's pictures start the game; the rest arrives while it runs, in the order the
# loading steps open it (tools/web/load_order.txt), each step's files handed over as they arrive
# (platform/web/index.html).
set(VELMORA_WEB_BOOT Images/loadingBG.jpg Images/pbBG.png Images/pb.png)
set(VELMORA_WEB_BOOT_FILES)
foreach(file ${VELMORA_WEB_BOOT})
  list(APPEND VELMORA_WEB_BOOT_FILES "SHELL:--preload-file ${VELMORA_WEB_DATA}/${file}@/Data/${file}")
endforeach()
add_custom_command(OUTPUT ${VELMORA_WEB_SITE}/Velmora-assets.data
  COMMAND ${PYTHON3} -B ${CMAKE_SOURCE_DIR}/tools/web/pack_assets.py ${VELMORA_WEB_DATA}
    ${CMAKE_SOURCE_DIR}/tools/web/load_order.txt ${VELMORA_WEB_SITE}/Velmora-assets.data ${VELMORA_WEB_BOOT}
  DEPENDS ${CMAKE_BINARY_DIR}/data.stamp ${CMAKE_SOURCE_DIR}/tools/web/pack_assets.py
    ${CMAKE_SOURCE_DIR}/tools/web/load_order.txt
  COMMENT "Packing the game's assets for the browser" VERBATIM)
add_custom_target(web_assets DEPENDS ${VELMORA_WEB_SITE}/Velmora-assets.data)
# Without the order between the targets, a parallel build stages the run tree in both at once and
# packs a half-staged tree.
add_dependencies(web_assets web_data)

# Emscripten's JavaScript optimiser finds Debian's acorn only through NODE_PATH.
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=/usr/share/nodejs)
add_executable(velmora ${VELMORA_GAME_SOURCES} ${VELMORA_MAIN_SOURCE} ${VELMORA_WEB_SOURCE})
include(cmake/Stb.cmake)
set_target_properties(velmora PROPERTIES OUTPUT_NAME Velmora SUFFIX ".js" RUNTIME_OUTPUT_DIRECTORY ${VELMORA_WEB_SITE})
target_include_directories(velmora PRIVATE ${CMAKE_SOURCE_DIR})
target_compile_options(velmora PRIVATE -Wall -Wextra -O2)
# The fixed-function GL needs no WebGL extension, so none is switched on at start-up (each one asked
# for is a round trip to the browser's GPU process).
target_link_options(velmora PRIVATE -O2
  -sLEGACY_GL_EMULATION=1 -sGL_SUPPORT_AUTOMATIC_ENABLE_EXTENSIONS=0 -sSTB_IMAGE=1 -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=134217728
  -sFORCE_FILESYSTEM=1 -sEXPORTED_RUNTIME_METHODS=['FS','addRunDependency','removeRunDependency']
  -sEXPORTED_FUNCTIONS=['_main','_WebFrameWork','_WebProbe']
  ${VELMORA_WEB_BOOT_FILES})
add_dependencies(velmora web_data web_assets)
set_property(TARGET velmora APPEND PROPERTY LINK_DEPENDS ${CMAKE_BINARY_DIR}/data.stamp)

# The site around the game: the page, its script and worker (with the build's list of files and
# their hashes), the manifest, the icons and the loading picture; nothing else stays in it.
set(VELMORA_SITE_SOURCES ${CMAKE_SOURCE_DIR}/platform/web/index.html ${CMAKE_SOURCE_DIR}/platform/web/app.js ${CMAKE_SOURCE_DIR}/platform/web/storage.js
  ${CMAKE_SOURCE_DIR}/platform/web/sw.js ${CMAKE_SOURCE_DIR}/assets/icon/velmora.svg
  ${CMAKE_SOURCE_DIR}/tools/web/make_site.py ${VELMORA_NATIVE_DATA}/Images/loadingBG.png)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/site.stamp
  COMMAND ${PYTHON3} -B ${CMAKE_SOURCE_DIR}/tools/web/make_site.py ${VELMORA_WEB_SITE} ${CMAKE_SOURCE_DIR} ${VELMORA_NATIVE_DATA}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/site.stamp
  DEPENDS velmora web_assets ${VELMORA_SITE_SOURCES}
  COMMENT "Finishing the site in ${VELMORA_WEB_SITE}" VERBATIM)
add_custom_target(web_site ALL DEPENDS ${CMAKE_BINARY_DIR}/site.stamp)
