# The game's installation on a Linux system, as the Debian package lays it out: the game with
# the files it reads beside it in a folder of its own, a `vuska` command, the menu entry, the
# icon, the AppStream description, the man page and the read-me.
#
#   cmake --install build --prefix /usr          (or DESTDIR=... cmake --install build --prefix /usr)
#
# These rules only add to `cmake --install`: the build and its installation set are the same
# with or without them. setup.exe is not installed (the package manager installs and removes).
include(GNUInstallDirs)

set(VUSKA_INSTALL_GAMEDIR "lib/games/vuska" CACHE STRING
    "Folder, under the prefix, of the installed game and the files it reads beside it")
set(VUSKA_INSTALL_COMMANDDIR "games" CACHE STRING
    "Folder, under the prefix, of the `vuska` command (a symbolic link to the game)")

set(vuska_id fi.vuska.Vuska)
include(${PROJECT_SOURCE_DIR}/setup/package/installationset.cmake)  # VUSKA_INSTALLATION_SET

# The game finds its pictures and help in the folder it runs from.
install(PROGRAMS $<TARGET_FILE:vuska> DESTINATION ${VUSKA_INSTALL_GAMEDIR} RENAME vuska)
foreach(name IN LISTS VUSKA_INSTALLATION_SET)
  if(name MATCHES "\\.(jpg|hlp|cnt)$")
    if(EXISTS ${PROJECT_SOURCE_DIR}/assets/${name})
      install(FILES ${PROJECT_SOURCE_DIR}/assets/${name} DESTINATION ${VUSKA_INSTALL_GAMEDIR})
    else()  # made from its template when the build is configured
      install(FILES ${VUSKA_SET_DIR}/${name} DESTINATION ${VUSKA_INSTALL_GAMEDIR})
    endif()
  endif()
endforeach()

# The command: a relative link, so the installed tree can move as a whole. Qt takes the
# program's folder from /proc/self/exe, the link's target.
file(RELATIVE_PATH command_target /prefix/${VUSKA_INSTALL_COMMANDDIR} /prefix/${VUSKA_INSTALL_GAMEDIR}/vuska)
set(command_link ${CMAKE_CURRENT_BINARY_DIR}/system-install/vuska)
file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/system-install)
file(CREATE_LINK ${command_target} ${command_link} SYMBOLIC)
install(FILES ${command_link} DESTINATION ${VUSKA_INSTALL_COMMANDDIR})

# The menu entry and the AppStream description carry the game's app id; the icon is named
# after it too, apart from the "vuska" icon setup puts into a user's own icon theme.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${vuska_id}.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${vuska_id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
foreach(side IN ITEMS 16 32 48 64 128 256 512)
  install(FILES ${PROJECT_SOURCE_DIR}/game/forms/resources/vuska-${side}.png
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${side}x${side}/apps RENAME ${vuska_id}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/game/forms/resources/vuska.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps RENAME ${vuska_id}.svg)

install(FILES ${PROJECT_SOURCE_DIR}/packaging/vuska.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES ${VUSKA_SET_DIR}/readme.txt DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/vuska)
