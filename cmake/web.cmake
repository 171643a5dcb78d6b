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

# sin and cos as the desktop's C library gives them, for both programs.
add_library(web_math OBJECT ${CMAKE_SOURCE_DIR}/services/platform/web/math/sine.cpp)

# The runner throws when a script's wait can never end and catches it at the
# top; only it and the headless back end need exceptions.
target_compile_options(bodger_sim PRIVATE -fexceptions)
target_compile_options(platform_headless PRIVATE -fexceptions)
add_executable(bodger2010-sim ${CMAKE_SOURCE_DIR}/tools/sim/sim_main.cpp
  $<TARGET_OBJECTS:web_math>)
target_compile_options(bodger2010-sim PRIVATE -fexceptions)
target_link_libraries(bodger2010-sim PRIVATE bodger_sim platform_headless)
target_link_options(bodger2010-sim PRIVATE -fexceptions -sENVIRONMENT=node -sNODERAWFS=1
  -sALLOW_MEMORY_GROWTH=1 -sEXIT_RUNTIME=1
  "SHELL:--pre-js ${CMAKE_SOURCE_DIR}/web/sim_pre.js"
  "SHELL:--extern-pre-js ${CMAKE_SOURCE_DIR}/web/sim_shebang.js")

# The page's program: the game's loop suspended at each frame (ASYNCIFY),
# the sounds packed beside it, the best score kept in IndexedDB.
add_executable(bodger2010 ${CMAKE_SOURCE_DIR}/tools/web_main.cpp
 )
target_link_libraries(bodger2010 PRIVATE bodger_game platform_web)
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
  "SHELL:--shell-file ${CMAKE_SOURCE_DIR}/web/shell.html"
  ${web_preload})
set_target_properties(bodger2010 PROPERTIES SUFFIX ".html" OUTPUT_NAME index
  LINK_DEPENDS "${CMAKE_SOURCE_DIR}/web/shell.html;${CMAKE_SOURCE_DIR}/web/page_pre.js")
set_target_properties(bodger2010-sim PROPERTIES
  LINK_DEPENDS "${CMAKE_SOURCE_DIR}/web/sim_pre.js;${CMAKE_SOURCE_DIR}/web/sim_shebang.js")
# Run as build-web/bodger2010-sim.js SCRIPT.
add_custom_command(TARGET bodger2010-sim POST_BUILD
  COMMAND chmod +x ${BODGER_WEB_OUT}/bodger2010-sim.js)
set_target_properties(bodger2010 bodger2010-sim PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${BODGER_WEB_OUT})
