# Takes a program of the installation set's debug information out, after linking:
#   cmake -DFILE=<program> -DDEBUG_DIR=<folder> -DOBJCOPY=<objcopy> -DSTRIP=<strip> -P strip_program.cmake
# The set ships lean programs; their debug information stays beside the build, in
# DEBUG_DIR/<name>.debug, named by a debug link in the program and by its build id
# (DEBUG_DIR/.build-id/xx/yyyy.debug), where gdb finds it with
#   gdb -iex 'set debug-file-directory DEBUG_DIR' <program>
cmake_minimum_required(VERSION 3.25)
get_filename_component(name ${FILE} NAME)
set(debug ${DEBUG_DIR}/${name}.debug)
file(MAKE_DIRECTORY ${DEBUG_DIR})

function(run)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE failed ERROR_VARIABLE error)
  if(failed)
    message(FATAL_ERROR "${ARGN}: ${error}")
  endif()
endfunction()

run(${OBJCOPY} --only-keep-debug ${FILE} ${debug})
run(${STRIP} --remove-section=.comment --remove-section=.note ${FILE})
run(${OBJCOPY} --add-gnu-debuglink=${debug} ${FILE})

execute_process(COMMAND env LC_ALL=C readelf -n ${FILE} OUTPUT_VARIABLE notes)
if(notes MATCHES "Build ID: ([0-9a-f][0-9a-f])([0-9a-f]+)")
  set(by_id ${DEBUG_DIR}/.build-id/${CMAKE_MATCH_1}/${CMAKE_MATCH_2}.debug)
  get_filename_component(folder ${by_id} DIRECTORY)
  file(MAKE_DIRECTORY ${folder})
  file(REMOVE ${by_id})
  file(CREATE_LINK ../../${name}.debug ${by_id} SYMBOLIC)
endif()
