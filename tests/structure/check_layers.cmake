# Keeps the code's dependencies running one way: each folder of src/ may
# include only the folders below it, and only app/ includes the windows
# (frm_*) of other folders. Run: cmake -DSRC=<src folder> -P check_layers.cmake
#
#   app                                  the composition root
#   browser source site tags print options help   windows and their logic
#   ui                                   what every window builds on
#   sitekit                              the site as a whole (logic)
#   text core                            logic
#   platform                             controls and services

set(allowed_platform none)
set(allowed_core platform)
set(allowed_text platform core)
set(allowed_sitekit platform core text)
set(allowed_ui platform core text sitekit)
set(allowed_tags platform core text sitekit ui)
set(allowed_source platform core text sitekit ui tags)
set(allowed_browser platform core text ui tags)
set(allowed_site platform core text sitekit ui tags)
set(allowed_print platform core text ui)
set(allowed_options platform core text sitekit ui)
set(allowed_help platform core text ui)
set(allowed_app platform core text sitekit ui tags source browser site print options help)

get_filename_component(SRC "${SRC}" ABSOLUTE)
file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*.h ${SRC}/*.cpp)
set(faults "")
foreach(f ${files})
  string(REGEX MATCH "^[^/]+" dir "${f}")
  if(dir STREQUAL f)
    continue()  # main.cpp
  endif()
  if(NOT DEFINED allowed_${dir})
    list(APPEND faults "${f}: folder ${dir} has no place in the layers")
    continue()
  endif()
  file(STRINGS ${SRC}/${f} includes REGEX "^#include \"[a-z_]+/")
  foreach(line ${includes})
    string(REGEX REPLACE "^#include \"([a-z_]+)/([^\"]+)\".*" "\\1;\\2" parts "${line}")
    list(GET parts 0 target)
    list(GET parts 1 header)
    if(target STREQUAL dir)
      continue()
    endif()
    list(FIND allowed_${dir} ${target} found)
    if(found EQUAL -1)
      list(APPEND faults "${f} includes ${target}/${header}: ${dir} may not use ${target}")
    elseif(header MATCHES "^frm_" AND NOT dir STREQUAL "app")
      list(APPEND faults "${f} includes the window ${target}/${header}: only app/ joins windows")
    endif()
  endforeach()
endforeach()

if(faults)
  list(JOIN faults "\n" text)
  message(FATAL_ERROR "Dependencies against the layers:\n${text}")
endif()
message(STATUS "Every include keeps to the layers.")
