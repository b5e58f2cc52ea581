# One static library per layer of the core. A layer's headers are offered to the compiler
# through a folder of links in the build tree holding only that layer's headers, so a source
# file sees its own layer and, through the libraries it links, the layers below it; an include
# of an upper layer's header fails with "No such file".
#
# vornik_core_layer(<target> FOLDER <folder> SOURCES <files...> [BELOW <targets...>]
#                   [HEADERS <files...> | EXCLUDE <files...>])
# HEADERS names the layer's headers in <folder>; without it every header of <folder> belongs
# to the layer except those in EXCLUDE (which belong to a layer above sharing the folder).
function(vornik_core_layer target)
  cmake_parse_arguments(L "" "FOLDER" "SOURCES;BELOW;HEADERS;EXCLUDE" ${ARGN})
  set(folder ${PROJECT_SOURCE_DIR}/${L_FOLDER})
  if(NOT L_HEADERS)
    file(GLOB L_HEADERS CONFIGURE_DEPENDS RELATIVE ${folder} ${folder}/*.h)
    if(L_EXCLUDE)
      list(REMOVE_ITEM L_HEADERS ${L_EXCLUDE})
    endif()
  endif()
  set(view ${PROJECT_BINARY_DIR}/layers/${target})
  file(REMOVE_RECURSE ${view})
  file(MAKE_DIRECTORY ${view}/${L_FOLDER})
  foreach(header IN LISTS L_HEADERS)
    file(CREATE_LINK ${folder}/${header} ${view}/${L_FOLDER}/${header} SYMBOLIC)
  endforeach()
  add_library(${target} STATIC ${L_SOURCES})
  target_include_directories(${target} PUBLIC $<BUILD_INTERFACE:${view}>)
  if(L_BELOW)
    target_link_libraries(${target} PUBLIC ${L_BELOW})
  endif()
endfunction()
