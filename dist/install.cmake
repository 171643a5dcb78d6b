# install.cmake -- where `make install` puts the game and its desktop files,
# `make uninstall`, and the Debian package built from the same layout.
include(GNUInstallDirs)
# Installing and packaging need only the game, not every test and benchmark.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(BODGER_VERSION ${CMAKE_PROJECT_VERSION})
set(BODGER_APP_ID io.github.bodger2010.Bodger2010)
set(BODGER_LICENSE "MIT AND OFL-1.1")
set(BODGER_HOMEPAGE https://bodger2010.github.io/)
set(BODGER_SCREENSHOTS https://bodger2010.github.io/screenshots)
set(BODGER_DIST ${CMAKE_CURRENT_LIST_DIR})

# Every installed file is also listed for `make uninstall`, which then needs
# no manifest (one that a later staged install or package build rewrites).
set(BODGER_INSTALLED)
function(bodger_install kind destination)
  install(${kind} ${ARGN} DESTINATION ${destination})
  foreach(file ${ARGN})
    get_filename_component(name ${file} NAME)
    list(APPEND BODGER_INSTALLED ${destination}/${name})
  endforeach()
  set(BODGER_INSTALLED ${BODGER_INSTALLED} PARENT_SCOPE)
endfunction()

# Before the first file is copied: which folders this install makes, so that
# `make uninstall` removes exactly those.
set(BODGER_LIST ${CMAKE_BINARY_DIR}/dist/installed-files.txt)
set(BODGER_RECORDS ${CMAKE_BINARY_DIR}/dist/made-folders)
install(CODE "set(LIST \"${BODGER_LIST}\")
set(RECORDS \"${BODGER_RECORDS}\")
include(\"${BODGER_DIST}/record_dirs.cmake\")")

# Debian's layout for games: the launcher in games/, the sounds under
# share/games/.  The game binary sits out of PATH: players start it through
# the launcher, which chooses the folder it plays in.
set(BODGER_BIN_DIR games)
set(BODGER_GAME_DIR ${CMAKE_INSTALL_LIBEXECDIR}/bodger2010)
set(BODGER_DATA_DIR ${CMAKE_INSTALL_DATADIR}/games/bodger2010)
set(BODGER_SOUND_DIR ${BODGER_DATA_DIR}/data)
install(TARGETS bodger2010 RUNTIME DESTINATION ${BODGER_GAME_DIR})
# A stripped install (the package's) also drops the compiler's notes, as
# Debian's own packages do.
install(CODE "if(CMAKE_INSTALL_DO_STRIP)
  execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${BODGER_GAME_DIR}/bodger2010\")
endif()")
list(APPEND BODGER_INSTALLED ${BODGER_GAME_DIR}/bodger2010)
file(GLOB bodger_sounds ${CMAKE_SOURCE_DIR}/data/*.ogg)
bodger_install(FILES ${BODGER_SOUND_DIR} ${bodger_sounds})

# The launcher finds the game and the sounds relative to itself, so a staged
# (DESTDIR) or unpacked installation runs as well as the real one.
file(RELATIVE_PATH BIN_TO_GAME_DIR /${BODGER_BIN_DIR} /${BODGER_GAME_DIR})
file(RELATIVE_PATH BIN_TO_SOUNDS /${BODGER_BIN_DIR} /${BODGER_SOUND_DIR})
set(BODGER_GAME_NAME bodger2010)
configure_file(${BODGER_DIST}/bodger2010.in ${CMAKE_BINARY_DIR}/dist/bodger2010 @ONLY)
bodger_install(PROGRAMS ${BODGER_BIN_DIR} ${CMAKE_BINARY_DIR}/dist/bodger2010)

# The manual page and the changelog go in gzip-compressed (no name or time
# in the header, so the package is the same at every build).
find_program(BODGER_GZIP gzip REQUIRED)
function(bodger_gzip source output)
  execute_process(COMMAND ${BODGER_GZIP} -9nc ${source} OUTPUT_FILE ${output}
                  RESULT_VARIABLE failed)
  if(failed)
    message(FATAL_ERROR "gzip ${source}: ${failed}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${source})
endfunction()
configure_file(${BODGER_DIST}/changelog.in ${CMAKE_BINARY_DIR}/dist/changelog @ONLY)
bodger_gzip(${CMAKE_BINARY_DIR}/dist/changelog ${CMAKE_BINARY_DIR}/dist/changelog.gz)
configure_file(${BODGER_DIST}/bodger2010.6.in ${CMAKE_BINARY_DIR}/dist/bodger2010.6 @ONLY)
bodger_gzip(${CMAKE_BINARY_DIR}/dist/bodger2010.6 ${CMAKE_BINARY_DIR}/dist/bodger2010.6.gz)

configure_file(${BODGER_DIST}/${BODGER_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/dist/${BODGER_APP_ID}.metainfo.xml @ONLY)
# The desktop entry names the launcher by its full path, as games/ is not on
# every desktop session's PATH; the prefix is known only when installing
# (the package's differs from make install's).
set(bodger_desktop ${CMAKE_BINARY_DIR}/dist/${BODGER_APP_ID}.desktop)
install(CODE "set(BODGER_LAUNCHER \"\${CMAKE_INSTALL_PREFIX}/${BODGER_BIN_DIR}/bodger2010\")
configure_file(\"${BODGER_DIST}/${BODGER_APP_ID}.desktop.in\" \"${bodger_desktop}\" @ONLY)")
bodger_install(FILES ${CMAKE_INSTALL_DATADIR}/applications ${bodger_desktop})
bodger_install(FILES ${CMAKE_INSTALL_DATADIR}/metainfo
               ${CMAKE_BINARY_DIR}/dist/${BODGER_APP_ID}.metainfo.xml)
foreach(size 16 22 24 32 48 64 128 256)
  bodger_install(FILES ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                 ${BODGER_DIST}/icons/hicolor/${size}x${size}/apps/${BODGER_APP_ID}.png)
endforeach()
bodger_install(FILES ${CMAKE_INSTALL_MANDIR}/man6 ${CMAKE_BINARY_DIR}/dist/bodger2010.6.gz)
bodger_install(FILES ${CMAKE_INSTALL_DOCDIR} ${BODGER_DIST}/copyright
               ${CMAKE_BINARY_DIR}/dist/changelog.gz
               ${CMAKE_SOURCE_DIR}/assets/fonts/Quicksand-Bold.LICENSE.txt)

# make uninstall: removes every file listed above under DESTDIR and the
# prefix, then the folders that installing there made, once empty (without
# that record, from another build folder: the game's own folders).
string(REPLACE ";" "\n" bodger_list "${BODGER_INSTALLED}")
file(WRITE ${BODGER_LIST} "${bodger_list}\n")
add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DLIST=${BODGER_LIST} -DRECORDS=${BODGER_RECORDS}
          -DPREFIX=${CMAKE_INSTALL_PREFIX}
          "-DDIRS=${BODGER_SOUND_DIR}|${BODGER_DATA_DIR}|${BODGER_GAME_DIR}|${CMAKE_INSTALL_DOCDIR}"
          -P ${BODGER_DIST}/uninstall.cmake
  VERBATIM)

# make deb: the same layout under /usr, its library dependencies found by
# dpkg-shlibdeps from the binary.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME bodger2010)
set(CPACK_PACKAGE_VERSION ${BODGER_VERSION})
set(CPACK_PACKAGE_VENDOR "The Bodger crew")
set(CPACK_PACKAGE_CONTACT "The Bodger crew <bodger2010@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: find the pieces of a suspicious remote")
# Lines of the long description stay under 80 columns (dpkg shows them as
# they are).
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "An ordinary guy finds a suspicious remote and presses the button. Now"
  "Bodger walks a grid of random realms, smashes bricks with beer, bridges"
  "pits with glass plates, dodges trap doors, shots from the side and things"
  "falling from above, and collects the five pieces of the remote whose"
  "button sends him to the next, harder realm."
  "."
  "One life, one best score kept for each player. Played full screen at 60"
  "frames a second with the keyboard, the mouse or a joystick, with sound"
  "effects and music.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${BODGER_HOMEPAGE})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
