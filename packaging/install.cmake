# The game's installation on a Linux system, as the Debian package lays it out: the game as the
# `vuska` command, the files it reads in a data folder of their own, the menu entry, the icon,
# the AppStream description, the manual pages and the read-me.
#
#   cmake --install build --prefix /usr          (or DESTDIR=... cmake --install build --prefix /usr)
#
# These rules only add to `cmake --install`: the installation set and its ZIP are the same with
# or without them. setup.exe is not installed (the package manager installs and removes).
include(GNUInstallDirs)

set(VUSKA_INSTALL_COMMANDDIR "games" CACHE STRING
    "Folder, under the prefix, of the installed game, the `vuska` command")
set(VUSKA_INSTALL_DATADIR "share/games/vuska" CACHE STRING
    "Folder, under the prefix, of the pictures and the help the installed game reads")

set(vuska_id fi.vuska.Vuska)
include(${PROJECT_SOURCE_DIR}/setup/package/installationset.cmake)  # VUSKA_INSTALLATION_SET

# The installed game is the installation set's game built once more, to read its files from the
# data folder instead of its own: that folder is given relative to the program's, so the
# installed tree can move as a whole. (Qt takes the program's folder from /proc/self/exe.)
file(RELATIVE_PATH data_from_program /prefix/${VUSKA_INSTALL_COMMANDDIR} /prefix/${VUSKA_INSTALL_DATADIR})
add_executable(vuska_installed ${PROJECT_SOURCE_DIR}/game/app/main.cpp)
target_link_libraries(vuska_installed PRIVATE vuska_forms)
target_compile_definitions(vuska_installed PRIVATE VUSKA_DATA_FROM_PROGRAM="${data_from_program}")
set_target_properties(vuska_installed PROPERTIES OUTPUT_NAME vuska
                      RUNTIME_OUTPUT_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/packaging)
install(TARGETS vuska_installed DESTINATION ${VUSKA_INSTALL_COMMANDDIR})
foreach(name IN LISTS VUSKA_INSTALLATION_SET)
  if(name MATCHES "\\.(jpg|hlp|cnt)$")
    if(EXISTS ${PROJECT_SOURCE_DIR}/assets/${name})
      install(FILES ${PROJECT_SOURCE_DIR}/assets/${name} DESTINATION ${VUSKA_INSTALL_DATADIR})
    else()  # made from its template when the build is configured
      install(FILES ${VUSKA_SET_DIR}/${name} DESTINATION ${VUSKA_INSTALL_DATADIR})
    endif()
  endif()
endforeach()

# The menu entry carries the texts of setup's "Vuska" shortcut (packaging/menutexts.desktop).
set(menu_texts_file ${PROJECT_SOURCE_DIR}/packaging/menutexts.desktop)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${menu_texts_file})
file(READ ${menu_texts_file} menu_texts)
string(FIND "${menu_texts}" "\n[Vuska]\n" group_start)
if(group_start LESS 0)
  message(FATAL_ERROR "${menu_texts_file} has no [Vuska] group")
endif()
math(EXPR group_start "${group_start} + 9")
string(SUBSTRING "${menu_texts}" ${group_start} -1 VUSKA_MENU_TEXTS)
string(FIND "${VUSKA_MENU_TEXTS}" "\n[" group_end)
string(SUBSTRING "${VUSKA_MENU_TEXTS}" 0 ${group_end} VUSKA_MENU_TEXTS)
string(REGEX REPLACE "\n\n+" "\n" VUSKA_MENU_TEXTS "${VUSKA_MENU_TEXTS}")
string(STRIP "${VUSKA_MENU_TEXTS}" VUSKA_MENU_TEXTS)
configure_file(${PROJECT_SOURCE_DIR}/packaging/${vuska_id}.desktop.in
               ${CMAKE_CURRENT_BINARY_DIR}/packaging/${vuska_id}.desktop @ONLY)

# The menu entry and the AppStream description carry the game's app id; the icon is named
# after it too, apart from the "vuska" icon setup puts into a user's own icon theme.
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/packaging/${vuska_id}.desktop
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/${vuska_id}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
foreach(side IN LISTS VUSKA_ICON_SIZES)
  install(FILES ${VUSKA_ICON_DIR}/vuska-${side}.png
          DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${side}x${side}/apps RENAME ${vuska_id}.png)
endforeach()
install(FILES ${VUSKA_ICON_DIR}/vuska.svg
        DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps RENAME ${vuska_id}.svg)

# The manual page in English, the default, and in Finnish and Swedish under their languages'
# folders, where man finds them for a user of those languages.
install(FILES ${PROJECT_SOURCE_DIR}/packaging/vuska.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
foreach(language IN ITEMS fi sv)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/vuska.${language}.6
          DESTINATION ${CMAKE_INSTALL_MANDIR}/${language}/man6 RENAME vuska.6)
endforeach()
install(FILES ${VUSKA_SET_DIR}/readme.txt DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/vuska)
