# The window layers, from the bottom up. Each folder is a library that links
# only the layers below it, and its sources may include nothing from a layer
# above: the build stops at such an include.
set(RINGWRIGHT_LAYERS widgets dialogs mainwindow app)

function(ringwright_layer target folder)
  list(FIND RINGWRIGHT_LAYERS ${folder} index)
  math(EXPR first "${index} + 1")
  set(above "")
  list(LENGTH RINGWRIGHT_LAYERS count)
  if(first LESS count)
    list(SUBLIST RINGWRIGHT_LAYERS ${first} -1 above)
  endif()
  # A list would split into several arguments of the command.
  string(REPLACE ";" "," above "${above}")
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${folder}-layer.stamp)
  file(GLOB sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/${folder}/*.h
       ${PROJECT_SOURCE_DIR}/${folder}/*.cpp)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -DFOLDER=${PROJECT_SOURCE_DIR}/${folder} "-DABOVE=${above}"
            -DSTAMP=${stamp} -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake
    DEPENDS ${sources} ${PROJECT_SOURCE_DIR}/cmake/CheckLayer.cmake
    COMMENT "Checking that ${folder}/ includes only the layers below it")
  add_custom_target(${target}_layer DEPENDS ${stamp})
  add_dependencies(${target} ${target}_layer)
endfunction()
