# The asset pipeline. Every file of build/Data is made from a source in this repository by one of
# three rules: SVG pictures rendered with rsvg-convert, generator programs under tools/, and
# hand-written data copied from Data/. Nothing is downloaded.

set(VELMORA_DATA_DIR ${CMAKE_BINARY_DIR}/Data)
file(MAKE_DIRECTORY ${VELMORA_DATA_DIR}/User)
find_program(RSVG_CONVERT rsvg-convert REQUIRED)
find_program(PYTHON3 python3 REQUIRED)
set_property(GLOBAL PROPERTY VELMORA_ASSET_OUTPUTS "")
set_property(GLOBAL PROPERTY VELMORA_GENERATOR_TARGETS "")

# Every picture leaves the pipeline as 8-bit RGBA, even a fully opaque one.
pkg_check_modules(LIBPNG REQUIRED IMPORTED_TARGET libpng)
add_executable(velmora-pngrgba ${CMAKE_SOURCE_DIR}/tools/pngrgba/pngrgba.cpp)
target_compile_options(velmora-pngrgba PRIVATE ${VELMORA_WARNINGS})
target_link_libraries(velmora-pngrgba PRIVATE PkgConfig::LIBPNG)

# Rule 1: an SVG picture <path>.svg becomes Data/Images/<path>.png (RGBA). The pictures are
# hand-written under assets/images/, or drawn by the scripts of tools/ui-art/ into build/ui-art/;
# each picture has exactly one of these sources.
function(velmora_render_svg svg rel)
  string(REGEX REPLACE "\\.svg$" ".png" rel_png ${rel})
  set(out ${VELMORA_DATA_DIR}/Images/${rel_png})
  get_filename_component(out_dir ${out} DIRECTORY)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${out_dir}
    COMMAND ${RSVG_CONVERT} --format=png --output=${out} ${svg}
    COMMAND velmora-pngrgba ${out}
    DEPENDS ${svg} velmora-pngrgba
    COMMENT "Rendering Images/${rel_png}" VERBATIM)
  set_property(GLOBAL APPEND PROPERTY VELMORA_ASSET_OUTPUTS ${out})
endfunction()

file(GLOB_RECURSE VELMORA_SVGS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/assets/images/*.svg)
set(VELMORA_SVG_NAMES "")
foreach(svg ${VELMORA_SVGS})
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/assets/images ${svg})
  list(APPEND VELMORA_SVG_NAMES ${rel})
  velmora_render_svg(${svg} ${rel})
endforeach()

# A script says which pictures it draws (--list) when the build is configured, and draws them
# (into the directory it is given) when the build needs them.
set(VELMORA_UI_ART ${CMAKE_SOURCE_DIR}/tools/ui-art)
set(VELMORA_UI_ART_OUT ${CMAKE_BINARY_DIR}/ui-art)
file(GLOB VELMORA_UI_ART_SCRIPTS CONFIGURE_DEPENDS ${VELMORA_UI_ART}/gen_*.py)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${VELMORA_UI_ART_SCRIPTS} ${VELMORA_UI_ART}/common.py)
foreach(script ${VELMORA_UI_ART_SCRIPTS})
  get_filename_component(script_name ${script} NAME)
  execute_process(COMMAND ${PYTHON3} -B ${script} --list
    OUTPUT_VARIABLE listed RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "tools/ui-art/${script_name} --list failed")
  endif()
  string(REGEX REPLACE "\n$" "" listed "${listed}")
  string(REPLACE "\n" ";" listed "${listed}")
  set(svgs "")
  foreach(rel ${listed})
    if(rel IN_LIST VELMORA_SVG_NAMES)
      message(FATAL_ERROR "${rel} is drawn twice (tools/ui-art/${script_name} and another source)")
    endif()
    list(APPEND VELMORA_SVG_NAMES ${rel})
    list(APPEND svgs ${VELMORA_UI_ART_OUT}/${rel})
  endforeach()
  add_custom_command(OUTPUT ${svgs}
    COMMAND ${PYTHON3} -B ${script} ${VELMORA_UI_ART_OUT}
    DEPENDS ${script} ${VELMORA_UI_ART}/common.py
    COMMENT "Drawing the SVG pictures of tools/ui-art/${script_name}" VERBATIM)
  foreach(rel ${listed})
    velmora_render_svg(${VELMORA_UI_ART_OUT}/${rel} ${rel})
  endforeach()
endforeach()

# Rule 2: a generator program. OUTPUTS are paths under Data/; the program runs in build/Data
# with ARGS and must write exactly those files.
#   velmora_generator(<target> SOURCES ... [LIBS ...] [ARGS ...] [DEPENDS ...] OUTPUTS ...)
function(velmora_generator name)
  cmake_parse_arguments(G "" "" "SOURCES;LIBS;ARGS;DEPENDS;OUTPUTS" ${ARGN})
  add_executable(${name} ${G_SOURCES})
  target_compile_options(${name} PRIVATE ${VELMORA_WARNINGS})
  if(G_LIBS)
    target_link_libraries(${name} PRIVATE ${G_LIBS})
  endif()
  set(outs "")
  set(pictures "")
  foreach(o ${G_OUTPUTS})
    list(APPEND outs ${VELMORA_DATA_DIR}/${o})
    if(o MATCHES "\\.png$")
      list(APPEND pictures ${VELMORA_DATA_DIR}/${o})
    endif()
  endforeach()
  set(to_rgba "")
  if(pictures)
    set(to_rgba COMMAND velmora-pngrgba ${pictures})
  endif()
  add_custom_command(OUTPUT ${outs}
    COMMAND ${name} ${G_ARGS}
    ${to_rgba}
    DEPENDS ${name} velmora-pngrgba ${G_DEPENDS}
    WORKING_DIRECTORY ${VELMORA_DATA_DIR}
    COMMENT "Generating assets with ${name}" VERBATIM)
  # Outputs made in a sub-directory are only reachable through a target of that directory.
  add_custom_target(${name}_data DEPENDS ${outs})
  set_property(GLOBAL APPEND PROPERTY VELMORA_GENERATOR_TARGETS ${name}_data)
endfunction()

# Rule 3: hand-written data (level files) copied from Data/.
file(GLOB_RECURSE VELMORA_HANDWRITTEN CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/Data/*)
foreach(src ${VELMORA_HANDWRITTEN})
  file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR}/Data ${src})
  set(out ${VELMORA_DATA_DIR}/${rel})
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E copy ${src} ${out}
    DEPENDS ${src} VERBATIM)
  set_property(GLOBAL APPEND PROPERTY VELMORA_ASSET_OUTPUTS ${out})
endforeach()

# Called once every rule has been declared: the target that makes the whole run tree.
function(velmora_finish_assets)
  get_property(outs GLOBAL PROPERTY VELMORA_ASSET_OUTPUTS)
  add_custom_target(assets ALL DEPENDS ${outs}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${VELMORA_DATA_DIR}/User)
  get_property(generators GLOBAL PROPERTY VELMORA_GENERATOR_TARGETS)
  if(generators)
    add_dependencies(assets ${generators})
  endif()
endfunction()
