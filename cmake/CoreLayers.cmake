# One static library per layer of the core. A layer's headers are offered to the compiler
# through a folder of links in the build tree holding only that layer's headers, so a source
# file sees its own layer and, through the libraries it links, the layers below it; an include
# of an upper layer's header fails with "No such file".
#
# vornik_core_layer(<target> FOLDER <folder> SOURCES <files...> [BELOW <targets...>])
# Every header of <folder> belongs to the layer: one folder is one layer.
function(vornik_core_layer target)
  cmake_parse_arguments(L "" "FOLDER" "SOURCES;BELOW" ${ARGN})
  set(folder ${PROJECT_SOURCE_DIR}/${L_FOLDER})
  file(GLOB L_HEADERS CONFIGURE_DEPENDS RELATIVE ${folder} ${folder}/*.h)
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
