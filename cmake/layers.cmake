# The layers of the program as libraries, each linked only to the layers
# below it. A layer sees through its include path only its own folders and
# files and those of the layers it is linked to: each layer has a view, a
# folder of links to what it holds, and its own view is all it adds to the
# include path. An include of a layer above, or of one beside it, does not
# build. With VEILMARK_CHECK_HEADERS each layer also compiles one file that
# includes all of its headers, so that a header no file of its own layer
# includes is held to the same rule.
#
# veilmark_layer(NAME
#                FOLDERS folder...     its folders: their .cpp files, and
#                                      their subfolders', are its sources
#                                      (but for those in EXCLUDE)
#                [FILES file...]       single headers it holds (the ports)
#                [SOURCES file...]     sources besides its folders'
#                [EXCLUDE file...]
#                [BELOW target...])    the layers and libraries it builds on
function(veilmark_layer name)
  cmake_parse_arguments(PARSE_ARGV 1 LAYER "" "" "FOLDERS;FILES;SOURCES;EXCLUDE;BELOW")
  set(view ${CMAKE_BINARY_DIR}/layers/${name})
  file(REMOVE_RECURSE ${view})
  set(sources ${LAYER_SOURCES})
  set(headers ${LAYER_FILES})
  foreach(entry IN LISTS LAYER_FOLDERS LAYER_FILES)
    get_filename_component(parent ${entry} DIRECTORY)
    file(MAKE_DIRECTORY ${view}/${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/${entry} ${view}/${entry} SYMBOLIC)
  endforeach()
  foreach(folder IN LISTS LAYER_FOLDERS)
    file(GLOB_RECURSE found RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
    list(APPEND sources ${found})
    file(GLOB_RECURSE found RELATIVE ${PROJECT_SOURCE_DIR} CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h)
    list(APPEND headers ${found})
  endforeach()
  if(LAYER_EXCLUDE)
    list(REMOVE_ITEM sources ${LAYER_EXCLUDE})
  endif()

  if(NOT sources)
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${view})
    target_link_libraries(${name} INTERFACE ${LAYER_BELOW})
    return()
  endif()
  if(VEILMARK_CHECK_HEADERS AND headers)
    set(check ${CMAKE_BINARY_DIR}/layers/${name}_headers.cpp)
    set(text "// Every header of the layer, in its own view of the source tree.\n")
    foreach(header IN LISTS headers)
      string(APPEND text "#include \"${header}\"\n")
    endforeach()
    file(CONFIGURE OUTPUT ${check} CONTENT "${text}")
    list(APPEND sources ${check})
  endif()
  list(TRANSFORM sources PREPEND ${PROJECT_SOURCE_DIR}/ REGEX "^[^/]")
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${view})
  target_link_libraries(${name} PUBLIC ${LAYER_BELOW})
  set_property(GLOBAL APPEND PROPERTY VEILMARK_LAYERS ${name})
endfunction()
