# Layers. Each folder of src is one layer and builds as one target that links
# only the layers below it. A layer's headers ("model/items.h") are reachable
# only through its target: the include root build/layers/<layer> holds a link
# to src/<layer> and nothing else, so an include that points upwards does not
# compile. The "layers" test checks the same table on every source and test
# file (cmake/layercheck.cmake).

# qv_layer(NAME TARGET [LAYERS lower...]): TARGET is layer NAME's code; it sees
# the headers of NAME and of the lower layers (and theirs), and links them.
function(qv_layer name target)
  cmake_parse_arguments(PARSE_ARGV 2 L "" "" "LAYERS")
  set(root ${CMAKE_BINARY_DIR}/layers/${name})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${name} ${root}/${name} SYMBOLIC)
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "EXECUTABLE")
    set(scope PRIVATE)
  else()
    set(scope PUBLIC)
  endif()
  target_include_directories(${target} ${scope} ${root})
  set(visible ${name})
  foreach(lower ${L_LAYERS})
    get_property(known GLOBAL PROPERTY QV_LAYER_${lower} SET)
    if(NOT known)
      message(FATAL_ERROR "layer ${name}: ${lower} is not a layer defined before it")
    endif()
    get_property(below GLOBAL PROPERTY QV_LAYER_${lower})
    list(APPEND visible ${below})
    target_link_libraries(${target} ${scope} qv${lower})
  endforeach()
  list(REMOVE_DUPLICATES visible)
  set_property(GLOBAL PROPERTY QV_LAYER_${name} ${visible})
  set_property(GLOBAL APPEND PROPERTY QV_LAYERS ${name})
endfunction()

# qv_add_layer(NAME [LAYERS lower...] [LIBS libs...] [EXCLUDE regex]
#              [EXTRA files...]): the static library qvNAME of src/NAME/*.cpp.
function(qv_add_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 L "" "EXCLUDE" "LAYERS;LIBS;EXTRA")
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${name}/*.cpp)
  if(L_EXCLUDE)
    list(FILTER sources EXCLUDE REGEX "${L_EXCLUDE}")
  endif()
  add_library(qv${name} STATIC ${sources} ${L_EXTRA})
  qv_layer(${name} qv${name} LAYERS ${L_LAYERS})
  target_link_libraries(qv${name} PUBLIC ${L_LIBS})
endfunction()

# The table for the check: "layer:visible,visible|layer:...".
function(qv_layer_table out)
  get_property(layers GLOBAL PROPERTY QV_LAYERS)
  set(rows)
  foreach(name ${layers})
    get_property(visible GLOBAL PROPERTY QV_LAYER_${name})
    string(REPLACE ";" "," visible "${visible}")
    list(APPEND rows "${name}:${visible}")
  endforeach()
  string(REPLACE ";" "|" rows "${rows}")
  set(${out} "${rows}" PARENT_SCOPE)
endfunction()
