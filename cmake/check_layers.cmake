# What each layer's files include: a folder names only itself and the layers before it
# (runtime; then widgets and elements, which know nothing of each other; then targets; then
# lists; then app), and only the programs in app/main name a backend (a folder below
# widgets/). Run while configuring, and as a test with
#   cmake -DVELTRANE_SOURCE_DIR=DIR -P cmake/check_layers.cmake
# so that an include added since the last configure is caught too.
cmake_policy(VERSION 3.20)
if(NOT VELTRANE_SOURCE_DIR)
  set(VELTRANE_SOURCE_DIR ${CMAKE_CURRENT_LIST_DIR}/..)
endif()

set(layers_runtime runtime)
set(layers_widgets runtime widgets)
set(layers_elements runtime elements)
set(layers_targets runtime widgets elements targets)
set(layers_lists runtime widgets elements targets lists)
set(layers_app runtime widgets elements targets lists app)
set(layer_backends headless qt win32)

set(layer_faults "")
foreach(layer runtime widgets elements targets lists app)
  file(GLOB_RECURSE layer_files ${VELTRANE_SOURCE_DIR}/${layer}/*.h ${VELTRANE_SOURCE_DIR}/${layer}/*.cpp)
  foreach(file ${layer_files})
    file(RELATIVE_PATH rel ${VELTRANE_SOURCE_DIR} ${file})
    # The programs may take any layer and any backend.
    if(rel MATCHES "^app/main/")
      continue()
    endif()
    set(own_backend "")
    if(rel MATCHES "^widgets/([^/]+)/")
      set(own_backend ${CMAKE_MATCH_1})
    endif()
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*\"[^\"]+\"")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]+)\".*" "\\1" included "${line}")
      if(NOT included MATCHES "^([^/]+)/")
        continue()
      endif()
      set(folder ${CMAKE_MATCH_1})
      if(folder IN_LIST layers_app AND NOT folder IN_LIST layers_${layer})
        list(APPEND layer_faults "${rel}: ${layer} includes ${included}, of the later layer ${folder}")
      elseif(included MATCHES "^widgets/([^/]+)/" AND CMAKE_MATCH_1 IN_LIST layer_backends
             AND NOT CMAKE_MATCH_1 STREQUAL own_backend)
        list(APPEND layer_faults "${rel}: includes ${included}, of a backend only programs take")
      endif()
    endforeach()
  endforeach()
endforeach()

if(layer_faults)
  list(JOIN layer_faults "\n  " layer_faults_text)
  message(FATAL_ERROR "A layer includes a later layer or a backend:\n  ${layer_faults_text}")
endif()
