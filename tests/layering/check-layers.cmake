# Fails when a file under SOURCE_DIR includes a header of a folder that comes after its own
# in the layer order, or of a folder that is not in it. Run with
#   cmake -DSOURCE_DIR=<src> -P check-layers.cmake
# Lowest layer first; memory and converter share a layer and never include each other. The Qt
# front end's folders are layers of their own: its services, the panels, the window.
set(layers platform number tape engine "memory|converter" settings history form qt/services qt/panels
           qt/window)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "pass -DSOURCE_DIR=<folder of the sources>")
endif()

get_filename_component(SOURCE_DIR "${SOURCE_DIR}" ABSOLUTE)

# The rank of each folder: its layer's place in the order.
set(rank 0)
foreach(layer IN LISTS layers)
  string(REPLACE "|" ";" folders "${layer}")
  foreach(folder IN LISTS folders)
    set(rank_${folder} ${rank})
  endforeach()
  math(EXPR rank "${rank} + 1")
endforeach()

file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*.h ${SOURCE_DIR}/*.cpp)
set(failures 0)
foreach(file IN LISTS files)
  string(REGEX MATCH "^qt/[^/]+|^[^/]+" own "${file}")
  if(NOT DEFINED rank_${own})
    message(SEND_ERROR "${file}: the folder ${own} has no place in the layer order")
    math(EXPR failures "${failures} + 1")
    continue()
  endif()
  file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  foreach(line IN LISTS includes)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*" "\\1" header "${line}")
    if(NOT header MATCHES "/")
      continue() # a header beside the file, or a generated one found by name
    endif()
    string(REGEX MATCH "^qt/[^/]+|^[^/]+" used "${header}")
    if(NOT DEFINED rank_${used})
      message(SEND_ERROR "${file}: includes ${header}, from no folder of the layer order")
      math(EXPR failures "${failures} + 1")
    elseif(rank_${used} GREATER rank_${own} OR
           (rank_${used} EQUAL rank_${own} AND NOT used STREQUAL own))
      message(SEND_ERROR "${file}: includes ${header}; ${own} may use only the folders before it")
      math(EXPR failures "${failures} + 1")
    endif()
  endforeach()
endforeach()
list(LENGTH files count)
if(failures GREATER 0)
  message(FATAL_ERROR "${failures} include(s) against the layer order")
endif()
message(STATUS "${count} files follow the layer order")
