# Precompiled headers: every target that uses widgets reuses one precompiled cmake/precompiled.h
# instead of parsing Qt's headers again for each source file. GCC takes a precompiled header
# only where it was made with the same position independence, so there are two donors: one for
# the libraries (-fPIC) and one for the programs and tests (-fPIE). CMake compiles the users with
# -Winvalid-pch, so in a -Werror build a header that could not be used stops the build instead
# of silently costing the time again. A target with DISABLE_PRECOMPILE_HEADERS set (the engine,
# which must not see widgets) is left alone.
option(VUSKA_PRECOMPILED_HEADERS "Precompile the common Qt headers (GCC only)" ON)

# Whether a target links Qt6::Widgets, itself or through our own libraries.
function(vuska_links_widgets target result)
  set(found OFF)
  get_target_property(imported ${target} IMPORTED)
  if(NOT imported)
    get_target_property(links ${target} LINK_LIBRARIES)
    get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
    foreach(lib IN LISTS links interface)
      if(lib STREQUAL "Qt6::Widgets")
        set(found ON)
        break()
      elseif(TARGET ${lib})
        vuska_links_widgets(${lib} sub)
        if(sub)
          set(found ON)
          break()
        endif()
      endif()
    endforeach()
  endif()
  set(${result} ${found} PARENT_SCOPE)
endfunction()

function(vuska_targets_in dir result)
  get_directory_property(targets DIRECTORY ${dir} BUILDSYSTEM_TARGETS)
  get_directory_property(subdirs DIRECTORY ${dir} SUBDIRECTORIES)
  foreach(sub IN LISTS subdirs)
    vuska_targets_in(${sub} more)
    list(APPEND targets ${more})
  endforeach()
  set(${result} ${targets} PARENT_SCOPE)
endfunction()

function(vuska_precompile_headers)
  if(NOT VUSKA_PRECOMPILED_HEADERS OR NOT CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
    return()
  endif()
  vuska_targets_in(${PROJECT_SOURCE_DIR} targets)

  set(source ${PROJECT_SOURCE_DIR}/cmake/precompiled.cpp)
  set(header ${PROJECT_SOURCE_DIR}/cmake/precompiled.h)
  add_library(vuska_pch_library OBJECT ${source})
  add_library(vuska_pch_program OBJECT ${source})
  # An OBJECT library is compiled as a library (-fPIC); the programs' donor gets the
  # programs' -fPIE instead.
  set_target_properties(vuska_pch_program PROPERTIES POSITION_INDEPENDENT_CODE OFF)
  target_compile_options(vuska_pch_program PRIVATE ${CMAKE_CXX_COMPILE_OPTIONS_PIE})
  foreach(donor vuska_pch_library vuska_pch_program)
    target_link_libraries(${donor} PRIVATE Qt6::Widgets)
    target_precompile_headers(${donor} PRIVATE ${header})
  endforeach()

  foreach(target IN LISTS targets)
    get_target_property(type ${target} TYPE)
    get_target_property(disabled ${target} DISABLE_PRECOMPILE_HEADERS)
    if(disabled OR NOT type MATCHES "^(EXECUTABLE|STATIC_LIBRARY|OBJECT_LIBRARY)$")
      continue()
    endif()
    vuska_links_widgets(${target} widgets)
    if(NOT widgets)
      continue()
    endif()
    if(type STREQUAL "EXECUTABLE")
      target_precompile_headers(${target} REUSE_FROM vuska_pch_program)
    else()
      target_precompile_headers(${target} REUSE_FROM vuska_pch_library)
    endif()
  endforeach()
endfunction()
