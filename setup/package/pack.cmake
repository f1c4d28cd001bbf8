# Keeps the installation-set folder to the files of the set and packs them into the ZIP
# beside it, in the set's order, with no folder entries and with the programs' run bits:
#   cmake -DSET_DIR=<folder> -DZIP=<file.zip> -P pack.cmake
# Runs on every build; the ZIP is made again only when a file of the set is newer.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/installationset.cmake)

# Whatever else lands in the folder (an old file of a renamed asset, a file someone put
# there) would be packed by nobody but found by anyone who copies the folder.
file(GLOB present LIST_DIRECTORIES true RELATIVE ${SET_DIR} ${SET_DIR}/* ${SET_DIR}/.*)
foreach(entry IN LISTS present)
  if(NOT entry IN_LIST VUSKA_INSTALLATION_SET)
    message(STATUS "Removing ${entry} from the installation set ${SET_DIR}: it is not one of its files")
    file(REMOVE_RECURSE ${SET_DIR}/${entry})
  endif()
endforeach()

set(stale FALSE)
if(NOT EXISTS ${ZIP})
  set(stale TRUE)
endif()
foreach(name IN LISTS VUSKA_INSTALLATION_SET)
  set(file ${SET_DIR}/${name})
  if(NOT EXISTS ${file} OR IS_DIRECTORY ${file} OR IS_SYMLINK ${file})
    message(FATAL_ERROR "The installation set lacks the file ${name}: ${file}")
  endif()
  if(${file} IS_NEWER_THAN ${ZIP})
    set(stale TRUE)
  endif()
endforeach()
if(NOT stale)
  return()
endif()

set(part ${ZIP}.part)
file(REMOVE ${part})
execute_process(COMMAND zip -X -j -q -D ${part} ${VUSKA_INSTALLATION_SET}
                WORKING_DIRECTORY ${SET_DIR}
                RESULT_VARIABLE zipped)
if(NOT zipped EQUAL 0)
  file(REMOVE ${part})
  message(FATAL_ERROR "zip could not pack ${SET_DIR} (exit status ${zipped})")
endif()
file(RENAME ${part} ${ZIP})
