# Helpers shared by every target of our own: warnings as errors apply to our
# code only; Qt and other imported headers stay system headers.

function(vovor_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Werror
    -Wno-error=deprecated-declarations)
endfunction()

# A library with no sources yet still needs one file to build.
function(vovor_placeholder_if_empty name out)
  if(NOT ${out})
    file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp "// no sources yet\n")
    set(${out} ${CMAKE_CURRENT_BINARY_DIR}/${name}_empty.cpp PARENT_SCOPE)
  endif()
endfunction()

# One static library per source folder: a half-finished file in one folder
# never breaks the build of another folder's tests.
function(vovor_module name)
  cmake_parse_arguments(M "" "" "DIRS;DEPS" ${ARGN})
  set(sources)
  foreach(dir IN LISTS M_DIRS)
    file(GLOB found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  vovor_placeholder_if_empty(${name} sources)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${M_DEPS} Threads::Threads)
  vovor_warnings(${name})
  vovor_precompiled_headers(${name} CORE)
endfunction()

# Qt-free logic of the windows lives beside them as *_logic.cpp and goes to
# the core, so it can be tested without a display.
function(vovor_ui_logic_module name)
  cmake_parse_arguments(M "" "" "DEPS" ${ARGN})
  file(GLOB_RECURSE sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/ui/*_logic.cpp)
  vovor_placeholder_if_empty(${name} sources)
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${M_DEPS})
  vovor_warnings(${name})
  vovor_precompiled_headers(${name} CORE)
endfunction()
