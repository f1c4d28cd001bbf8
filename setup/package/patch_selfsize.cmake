# Writes setup.exe's own size into its size field, after linking:
#   cmake -DFILE=<setup.exe> -DWORK=<scratch folder> -P patch_selfsize.cmake
# The field is "VUSKA-SETUP-SIZE:" followed by ten digits; they are overwritten in place, so
# the file keeps its size. The field must be in the file exactly once.
cmake_minimum_required(VERSION 3.25)
set(prefix "VUSKA-SETUP-SIZE:")
string(LENGTH "${prefix}" prefix_length)
set(width 10)

file(SIZE ${FILE} size)
execute_process(COMMAND env LC_ALL=C grep -obUaF "${prefix}" ${FILE}
                OUTPUT_VARIABLE hits RESULT_VARIABLE found)
string(REGEX MATCHALL "[0-9]+:" offsets "${hits}")
list(LENGTH offsets count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "${FILE} holds its size field ${count} times instead of once")
endif()
string(REPLACE ":" "" offset "${offsets}")
math(EXPR at "${offset} + ${prefix_length}")

string(LENGTH "${size}" digits)
if(digits GREATER width)
  message(FATAL_ERROR "${FILE} is too large for its size field: ${size} bytes")
endif()
math(EXPR padding "${width} - ${digits}")
string(REPEAT "0" ${padding} zeros)
set(field "${zeros}${size}")

# Read as hexadecimal: the text form of file(READ) is not byte for byte.
function(read_field out)
  file(READ ${FILE} hex OFFSET ${at} LIMIT ${width} HEX)
  if(hex MATCHES "^(3[0-9])+$")
    string(REGEX REPLACE "3([0-9])" "\\1" text "${hex}")
  else()
    set(text "not digits: ${hex}")
  endif()
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

read_field(old)
if(NOT old MATCHES "^[0-9]+$")
  message(FATAL_ERROR "${FILE}: the size field at byte ${offset} is not followed by ${width} digits")
endif()
if(NOT old STREQUAL field)
  file(MAKE_DIRECTORY ${WORK})
  file(WRITE ${WORK}/setup-size-field "${field}")
  execute_process(COMMAND dd if=${WORK}/setup-size-field of=${FILE} bs=1 seek=${at} count=${width}
                          conv=notrunc status=none
                  RESULT_VARIABLE written)
  file(REMOVE ${WORK}/setup-size-field)
  read_field(now)
  file(SIZE ${FILE} after)
  if(NOT written EQUAL 0 OR NOT now STREQUAL field OR NOT after EQUAL size)
    message(FATAL_ERROR "Could not write the size field of ${FILE}")
  endif()
endif()
