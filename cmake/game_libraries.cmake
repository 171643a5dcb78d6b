# The game's libraries, the same for the desktop and the browser: the services,
# the embedded assets, the game and the runner, so the game, the runner, the
# tests and the benchmarks all link the very same code.  Sources are picked up
# per folder.
include_directories(${CMAKE_SOURCE_DIR})
add_subdirectory(${CMAKE_SOURCE_DIR}/services ${CMAKE_BINARY_DIR}/services)
add_subdirectory(${CMAKE_SOURCE_DIR}/assets ${CMAKE_BINARY_DIR}/assets)

# The game: one object set per layer folder, so each can be built alone.
foreach(part app screens game fx draw resources)
  file(GLOB part_srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${part}/*.cpp)
  add_library(game_${part} OBJECT ${part_srcs})
endforeach()
add_library(bodger_game STATIC $<TARGET_OBJECTS:game_app> $<TARGET_OBJECTS:game_screens>
  $<TARGET_OBJECTS:game_game> $<TARGET_OBJECTS:game_fx> $<TARGET_OBJECTS:game_draw>
  $<TARGET_OBJECTS:game_resources>)
target_link_libraries(bodger_game PUBLIC bodger_assets bodger_services)

# The headless runner's library: the same program on a virtual clock, driven
# by a script (its main is apart).
file(GLOB sim_srcs CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/sim/*.cpp)
list(FILTER sim_srcs EXCLUDE REGEX ".*/sim_main\\.cpp$")
add_library(bodger_sim STATIC ${sim_srcs})
target_link_libraries(bodger_sim PUBLIC bodger_game)
