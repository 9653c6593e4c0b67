# The game's one source list, for the desktop and the browser build alike: every .cpp of the
# game's folders but main and the two sides of the platform layer, which each build adds itself.
file(GLOB VELMORA_GAME_SOURCES CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/core/*.cpp ${CMAKE_SOURCE_DIR}/app/*.cpp ${CMAKE_SOURCE_DIR}/render/*.cpp
  ${CMAKE_SOURCE_DIR}/views/*.cpp ${CMAKE_SOURCE_DIR}/audio/*.cpp ${CMAKE_SOURCE_DIR}/input/*.cpp
  ${CMAKE_SOURCE_DIR}/ship/*.cpp ${CMAKE_SOURCE_DIR}/world/*.cpp ${CMAKE_SOURCE_DIR}/ui/*.cpp
  ${CMAKE_SOURCE_DIR}/storage/*.cpp ${CMAKE_SOURCE_DIR}/platform/*.cpp)
set(VELMORA_MAIN_SOURCE ${CMAKE_SOURCE_DIR}/app/main.cpp)
set(VELMORA_DESKTOP_SOURCE ${CMAKE_SOURCE_DIR}/platform/desktop.cpp)
set(VELMORA_WEB_SOURCE ${CMAKE_SOURCE_DIR}/platform/web.cpp)
list(REMOVE_ITEM VELMORA_GAME_SOURCES ${VELMORA_MAIN_SOURCE} ${VELMORA_DESKTOP_SOURCE} ${VELMORA_WEB_SOURCE})

# The rules that need neither SDL nor a window (text scanning, level files, prices, the random
# generator), for the plain unit tests.
set(VELMORA_RULE_SOURCES
  ${CMAKE_SOURCE_DIR}/core/game_state.cpp ${CMAKE_SOURCE_DIR}/core/data_path.cpp
  ${CMAKE_SOURCE_DIR}/storage/files.cpp ${CMAKE_SOURCE_DIR}/storage/text_scan.cpp
  ${CMAKE_SOURCE_DIR}/storage/levels.cpp ${CMAKE_SOURCE_DIR}/world/random.cpp ${CMAKE_SOURCE_DIR}/ui/prices.cpp)
