# The layers as the build sees them. A static library links whatever a program brings, so
# a layer that used a later one would still build: each layer is linked here whole, with
# nothing but the layers before it, and a call into a later layer fails that link. Includes
# are checked while configuring and again by a test.
include(${CMAKE_CURRENT_LIST_DIR}/check_layers.cmake)
add_test(NAME build.layers_include_only_the_layers_before_them
         COMMAND ${CMAKE_COMMAND} -DVELTRANE_SOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}
                 -P ${CMAKE_CURRENT_LIST_DIR}/check_layers.cmake)
# The check itself, on a tree holding one fault of each kind.
set(layer_faults_tree ${CMAKE_CURRENT_BINARY_DIR}/layer_faults)
file(WRITE ${layer_faults_tree}/targets/later.h "#include \"lists/list_store.h\"\n")
file(WRITE ${layer_faults_tree}/elements/sibling.cpp "#include \"runtime/data.h\"\n#include \"widgets/win.h\"\n")
file(WRITE ${layer_faults_tree}/app/backend.h "#include \"widgets/headless/headless_backend.h\"\n")
file(WRITE ${layer_faults_tree}/app/main/program.cpp "#include \"widgets/qt/qt_backend.h\"\n")
add_test(NAME build.layers_check_names_each_include_of_a_later_layer_or_a_backend
         COMMAND ${CMAKE_COMMAND} -DVELTRANE_SOURCE_DIR=${layer_faults_tree}
                 -P ${CMAKE_CURRENT_LIST_DIR}/check_layers.cmake)
set_tests_properties(build.layers_check_names_each_include_of_a_later_layer_or_a_backend PROPERTIES
  PASS_REGULAR_EXPRESSION "elements/sibling.cpp: elements includes widgets/win.h, of the later layer widgets.*targets/later.h: targets includes lists/list_store.h, of the later layer lists.*app/backend.h: includes widgets/headless/headless_backend.h, of a backend only programs take"
  FAIL_REGULAR_EXPRESSION "program.cpp|runtime/data.h")

set(layer_check_main ${CMAKE_CURRENT_BINARY_DIR}/layer_check_main.cpp)
file(CONFIGURE OUTPUT ${layer_check_main} CONTENT "int main() { return 0; }\n")
foreach(layer runtime widgets elements elements_spare targets lists app headless)
  add_executable(veltrane_${layer}_links_alone ${layer_check_main})
  target_link_libraries(veltrane_${layer}_links_alone PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,veltrane_${layer}>")
endforeach()
