# The file table compiled into setup is written by the build from the files it lays out in
# the installation-set folder (the data files and vuska.exe), and written again whenever one
# of them changes. Included from setup/wizard, whose library carries the table.
include(${CMAKE_CURRENT_LIST_DIR}/installationset.cmake)

set(vuska_table_inputs)
foreach(name IN LISTS VUSKA_INSTALLATION_SET)
  if(NOT name STREQUAL "setup.exe")
    list(APPEND vuska_table_inputs ${VUSKA_SET_DIR}/${name})
  endif()
endforeach()
set(vuska_table_source ${CMAKE_CURRENT_BINARY_DIR}/filetable_text.cpp)
add_custom_command(OUTPUT ${vuska_table_source}
                   COMMAND ${CMAKE_COMMAND} -DSET_DIR=${VUSKA_SET_DIR} -DOUTPUT=${vuska_table_source}
                           -P ${CMAKE_CURRENT_LIST_DIR}/write_filetable.cmake
                   DEPENDS ${vuska_table_inputs} vuska
                           ${CMAKE_CURRENT_LIST_DIR}/write_filetable.cmake
                           ${CMAKE_CURRENT_LIST_DIR}/installationset.cmake
                   COMMENT "Writing the file table from the installation set"
                   VERBATIM)
target_sources(vuska_setup_wizard PRIVATE ${vuska_table_source})
add_dependencies(vuska_setup_wizard installation_set_files)
