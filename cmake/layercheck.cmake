# Fails when a file of a layer includes from a layer it may not see.
#   cmake -DROOT=<source tree> -DLAYERS=<table> -P layercheck.cmake
# The table (from qv_layer_table) gives each layer the layers it sees. Every
# folder of ROOT/src must be a layer; the files of src/<layer> and of
# tests/<layer> are checked, and none may climb out of its folder with "../".

cmake_minimum_required(VERSION 3.25)

string(REPLACE "|" ";" rows "${LAYERS}")
set(layers)
foreach(row ${rows})
  string(REPLACE ":" ";" parts "${row}")
  list(GET parts 0 name)
  list(GET parts 1 visible)
  string(REPLACE "," ";" visible_${name} "${visible}")
  list(APPEND layers ${name})
endforeach()

set(faults 0)
file(GLOB folders LIST_DIRECTORIES true RELATIVE ${ROOT}/src ${ROOT}/src/*)
foreach(folder ${folders})
  if(IS_DIRECTORY ${ROOT}/src/${folder} AND NOT folder IN_LIST layers)
    message("src/${folder}: a folder that is no layer (add it in CMakeLists.txt)")
    math(EXPR faults "${faults} + 1")
  endif()
endforeach()

foreach(name ${layers})
  file(GLOB_RECURSE files
    ${ROOT}/src/${name}/*.h ${ROOT}/src/${name}/*.cpp ${ROOT}/tests/${name}/*.h ${ROOT}/tests/${name}/*.cpp)
  foreach(file ${files})
    file(RELATIVE_PATH shown ${ROOT} ${file})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line ${includes})
      if(NOT line MATCHES "\"([^\"]*)\"")
        continue()
      endif()
      set(target ${CMAKE_MATCH_1})
      if(target MATCHES "(^|/)\\.\\./")
        message("${shown}: includes \"${target}\", outside its folder")
        math(EXPR faults "${faults} + 1")
      elseif(target MATCHES "^([^/]+)/")
        set(from ${CMAKE_MATCH_1})
        if(from IN_LIST layers AND NOT from IN_LIST visible_${name})
          message("${shown}: includes \"${target}\" from layer ${from}, which layer ${name} does not see")
          math(EXPR faults "${faults} + 1")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(faults GREATER 0)
  message(FATAL_ERROR "${faults} include(s) against the direction of the layers")
endif()
list(LENGTH layers count)
message("${count} layers, every include points downwards")
