# The browser build (emcmake, from scripts/build-web): the same libraries as
# the desktop build, the page's program on the web back end, and the headless
# runner for Node.  The five libraries come from build-web-deps/prefix, built
# for WebAssembly from Debian's sources.
set(BODGER_WEB_OUT "${CMAKE_BINARY_DIR}" CACHE PATH "Where the page and the Node runner go")
set(web_prefix "${CMAKE_SOURCE_DIR}/build-web-deps/prefix")

# The targets the native build gets from find_package, pointing at our builds.
function(bodger_web_lib target)
  add_library(${target} INTERFACE IMPORTED)
  set(libs)
  foreach(name ${ARGN})
    list(APPEND libs "${web_prefix}/lib/lib${name}.a")
  endforeach()
  set_target_properties(${target} PROPERTIES INTERFACE_LINK_LIBRARIES "${libs}"
    INTERFACE_INCLUDE_DIRECTORIES "${web_prefix}/include;${web_prefix}/include/freetype2")
endfunction()
bodger_web_lib(ZLIB::ZLIB z)
bodger_web_lib(PNG::PNG png16 z)
bodger_web_lib(PkgConfig::VORBISFILE vorbisfile vorbis ogg)
bodger_web_lib(Freetype::Freetype freetype)
add_library(Threads::Threads INTERFACE IMPORTED)

include(${CMAKE_SOURCE_DIR}/cmake/game_libraries.cmake)

# The game as both browser programs link it: the game's libraries and sin and
# cos as the desktop's C library gives them.  The page and the runner take it
# from this one definition, so what the page shows is what the runner checks.
add_library(web_math OBJECT ${CMAKE_SOURCE_DIR}/services/platform/web/math/sine.cpp)
add_library(bodger_web_game INTERFACE)
target_link_libraries(bodger_web_game INTERFACE bodger_game $<TARGET_OBJECTS:web_math>)

# A browser program linking the game, with a map of its link (obj/NAME.map)
# that the web group compares.  emcc drops a map option, even one it reads
# from a response file; it reads response files one level deep, so the
# option sits in a second one that only the linker opens.
function(bodger_web_program target)
  target_link_libraries(${target} PRIVATE bodger_web_game)
  set(rsp ${CMAKE_BINARY_DIR}/${target}.map)
  file(WRITE ${rsp}.lld.rsp "--Map=${CMAKE_BINARY_DIR}/${target}.map\n")
  file(WRITE ${rsp}.rsp "-Wl,@${rsp}.lld.rsp\n")
  target_link_options(${target} PRIVATE "@${rsp}.rsp")
endfunction()

# The runner throws when a script's wait can never end and catches it at the
# top; only it and the headless back end need exceptions.
target_compile_options(bodger_sim PRIVATE -fexceptions)
target_compile_options(platform_headless PRIVATE -fexceptions)
add_executable(bodger2010-sim ${CMAKE_SOURCE_DIR}/tools/sim/sim_main.cpp)
target_compile_options(bodger2010-sim PRIVATE -fexceptions)
target_link_libraries(bodger2010-sim PRIVATE bodger_sim platform_headless)
bodger_web_program(bodger2010-sim)
target_link_options(bodger2010-sim PRIVATE -fexceptions -sENVIRONMENT=node -sNODERAWFS=1
  -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/web/sim_pre.js"
  "SHELL:--extern-pre-js ${CMAKE_SOURCE_DIR}/web/sim_shebang.js")

# The page's program: the game's loop suspended at each frame (ASYNCIFY),
# the sounds packed beside it, the best score kept in IndexedDB, the touch
# controls; "Play again" runs the program entry anew.
add_executable(bodger2010 ${CMAKE_SOURCE_DIR}/tools/web_main.cpp)
target_link_libraries(bodger2010 PRIVATE platform_web)
bodger_web_program(bodger2010)
# Only the shipped sounds: a best score left in the source tree stays out.
file(GLOB web_sounds CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/data/*.ogg ${CMAKE_SOURCE_DIR}/data/*.wav)
set(web_preload)
foreach(sound ${web_sounds})
  get_filename_component(name ${sound} NAME)
  list(APPEND web_preload "SHELL:--preload-file ${sound}@/game/data/${name}")
endforeach()
target_link_options(bodger2010 PRIVATE -sASYNCIFY=1 -sASYNCIFY_STACK_SIZE=65536
  -sALLOW_MEMORY_GROWTH=1 -sENVIRONMENT=web -lidbfs.js -sMINIFY_HTML=0
  "SHELL:-sEXPORTED_RUNTIME_METHODS=['FS','IDBFS']"
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/web/page_pre.js"
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/web/touch_pre.js"
  "SHELL:--shell-file ${CMAKE_SOURCE_DIR}/web/shell.html"
  ${web_preload})
set_target_properties(bodger2010 PROPERTIES SUFFIX ".html" OUTPUT_NAME index
  LINK_DEPENDS "${CMAKE_SOURCE_DIR}/web/shell.html;${CMAKE_SOURCE_DIR}/web/page_pre.js;${CMAKE_SOURCE_DIR}/web/touch_pre.js")
# The page's other files beside it, the digests the loader checks and the
# offline copy's worker (web/stamp.js), after every link.
file(GLOB web_icons ${CMAKE_SOURCE_DIR}/dist/icons/hicolor/*/apps/*.png)
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/page.stamp
  COMMAND node ${CMAKE_SOURCE_DIR}/web/stamp.js ${CMAKE_SOURCE_DIR} ${BODGER_WEB_OUT}
  COMMAND ${CMAKE_COMMAND} -E touch ${CMAKE_BINARY_DIR}/page.stamp
  DEPENDS bodger2010 ${CMAKE_SOURCE_DIR}/web/stamp.js ${CMAKE_SOURCE_DIR}/web/loader.js
    ${CMAKE_SOURCE_DIR}/web/sw.js ${CMAKE_SOURCE_DIR}/web/audio_worklet.js
    ${CMAKE_SOURCE_DIR}/web/manifest.webmanifest ${web_icons})
add_custom_target(web_page ALL DEPENDS ${CMAKE_BINARY_DIR}/page.stamp)
set_target_properties(bodger2010-sim PROPERTIES
  LINK_DEPENDS "${CMAKE_SOURCE_DIR}/web/sim_pre.js;${CMAKE_SOURCE_DIR}/web/sim_shebang.js")
# Run as build-web/bodger2010-sim.js SCRIPT.
add_custom_command(TARGET bodger2010-sim POST_BUILD
  COMMAND chmod +x ${BODGER_WEB_OUT}/bodger2010-sim.js)
set_target_properties(bodger2010 bodger2010-sim PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BODGER_WEB_OUT})
