# install.cmake -- where `make install` puts the game and its desktop files,
# `make uninstall`, and the Debian package built from the same layout.
include(GNUInstallDirs)
# Installing and packaging need only the game, not every test and benchmark.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)

set(BODGER_VERSION 1.0)
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

# The game binary sits out of PATH: players start it through the launcher,
# which chooses the folder it plays in.
set(BODGER_GAME_DIR ${CMAKE_INSTALL_LIBEXECDIR}/bodger2010)
set(BODGER_SOUND_DIR ${CMAKE_INSTALL_DATADIR}/bodger2010/data)
install(TARGETS bodger2010 RUNTIME DESTINATION ${BODGER_GAME_DIR})
list(APPEND BODGER_INSTALLED ${BODGER_GAME_DIR}/bodger2010)
file(GLOB bodger_sounds ${CMAKE_SOURCE_DIR}/data/*.ogg)
bodger_install(FILES ${BODGER_SOUND_DIR} ${bodger_sounds})

# The launcher finds the game and the sounds relative to itself, so a staged
# (DESTDIR) or unpacked installation runs as well as the real one.
file(RELATIVE_PATH BIN_TO_GAME ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${BODGER_GAME_DIR}/bodger2010)
file(RELATIVE_PATH BIN_TO_SOUNDS ${CMAKE_INSTALL_FULL_BINDIR}
     ${CMAKE_INSTALL_PREFIX}/${BODGER_SOUND_DIR})
configure_file(${BODGER_DIST}/bodger2010.in ${CMAKE_BINARY_DIR}/dist/bodger2010 @ONLY)
bodger_install(PROGRAMS ${CMAKE_INSTALL_BINDIR} ${CMAKE_BINARY_DIR}/dist/bodger2010)

configure_file(${BODGER_DIST}/${BODGER_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/dist/${BODGER_APP_ID}.metainfo.xml @ONLY)
bodger_install(FILES ${CMAKE_INSTALL_DATADIR}/applications ${BODGER_DIST}/${BODGER_APP_ID}.desktop)
bodger_install(FILES ${CMAKE_INSTALL_DATADIR}/metainfo
               ${CMAKE_BINARY_DIR}/dist/${BODGER_APP_ID}.metainfo.xml)
foreach(size 16 22 24 32 48 64 128 256)
  bodger_install(FILES ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                 ${BODGER_DIST}/icons/hicolor/${size}x${size}/apps/${BODGER_APP_ID}.png)
endforeach()
bodger_install(FILES ${CMAKE_INSTALL_MANDIR}/man6 ${BODGER_DIST}/bodger2010.6)
bodger_install(FILES ${CMAKE_INSTALL_DOCDIR} ${BODGER_DIST}/copyright
               ${CMAKE_SOURCE_DIR}/assets/fonts/Quicksand-Bold.LICENSE.txt)

# make uninstall: removes every file listed above under DESTDIR and the
# prefix, then the game's own folders once empty.
string(REPLACE ";" "\n" bodger_list "${BODGER_INSTALLED}")
file(WRITE ${CMAKE_BINARY_DIR}/dist/installed-files.txt "${bodger_list}\n")
add_custom_target(uninstall
  COMMAND ${CMAKE_COMMAND} -DLIST=${CMAKE_BINARY_DIR}/dist/installed-files.txt
          -DPREFIX=${CMAKE_INSTALL_PREFIX}
          "-DDIRS=${BODGER_SOUND_DIR}|${CMAKE_INSTALL_DATADIR}/bodger2010|${BODGER_GAME_DIR}|${CMAKE_INSTALL_DOCDIR}"
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
set(CPACK_PACKAGE_DESCRIPTION
    "Bodger walks a grid of random realms, smashes bricks with beer, bridges pits with glass plates, dodges traps and collects the five pieces of a remote whose button sends him to the next, harder realm. One life, one best score kept per player.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${BODGER_HOMEPAGE})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
include(CPack)
