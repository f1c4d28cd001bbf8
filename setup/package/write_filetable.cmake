# Writes the installation file table's source from the files laid out in the installation-set
# folder, so that the sizes setup checks are the sizes of what it ships:
#   cmake -DSET_DIR=<folder> -DOUTPUT=<file.cpp> -P write_filetable.cmake
# The table is one text block, "name size" a line between a marker line and an end line, which
# setup reads at run time and the tests find in setup.exe's bytes. setup.exe's own size cannot
# be known before it is linked: its line says "-", and the size stands in the program's size
# field, which patch_selfsize.cmake fills after linking.
cmake_minimum_required(VERSION 3.25)
include(${CMAKE_CURRENT_LIST_DIR}/installationset.cmake)

set(lines "")
foreach(name IN LISTS VUSKA_INSTALLATION_SET)
  if(name STREQUAL "setup.exe")
    set(size "-")
  else()
    set(file ${SET_DIR}/${name})
    if(NOT EXISTS ${file} OR IS_DIRECTORY ${file})
      message(FATAL_ERROR "The installation set lacks ${name}: ${file}")
    endif()
    file(SIZE ${file} size)
  endif()
  string(APPEND lines "    \"${name} ${size}\\n\"\n")
endforeach()

set(source "// Made by the build from the files of the installation set; not to be edited.
namespace vuska::setup::detail {
extern const char fileTableText[];
const char fileTableText[] =
    \"VUSKA-FILE-TABLE\\n\"
${lines}    \"END\\n\";
} // namespace vuska::setup::detail
")

# Written only when it changes, so that an unchanged set does not relink setup.
file(WRITE ${OUTPUT}.new "${source}")
file(COPY_FILE ${OUTPUT}.new ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.new)
