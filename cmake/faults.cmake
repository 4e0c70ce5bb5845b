# The fault harness (Linux only): the driver killed during every kind of save, each of its
# calls on the program folder made to fail through an LD_PRELOAD shim, and a full disk.
# CI runs a short pass; README.md gives the command of the long one.
enable_language(C)
find_package(Threads REQUIRED)

add_library(veltrane_fault_shim SHARED tests/faults/fault_shim.c)
# The shim goes into the driver before everything but a sanitizer's runtime, so it carries
# no sanitizer of its own.
set_target_properties(veltrane_fault_shim PROPERTIES
  OUTPUT_NAME veltrane-fault-shim PREFIX "" C_STANDARD 11 C_EXTENSIONS ON
  COMPILE_OPTIONS "-Wall;-Wextra" LINK_OPTIONS "")
target_link_libraries(veltrane_fault_shim PRIVATE ${CMAKE_DL_LIBS})

file(GLOB FAULT_HARNESS_SOURCES CONFIGURE_DEPENDS tests/faults/*.cpp)
add_executable(veltrane-faults ${FAULT_HARNESS_SOURCES})
target_link_libraries(veltrane-faults PRIVATE veltrane_lists Threads::Threads)

# A driver built with GCC's AddressSanitizer loads its runtime as a shared library, which
# must come first of all: the harness preloads it before the shim.
set(fault_preload "")
if(VELTRANE_SANITIZE AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libasan.so
    OUTPUT_VARIABLE asan_runtime OUTPUT_STRIP_TRAILING_WHITESPACE)
  if(EXISTS "${asan_runtime}")
    set(fault_preload --preload-first ${asan_runtime})
  endif()
endif()

set(fault_harness veltrane-faults --driver $<TARGET_FILE:veltrane-drive> --shim $<TARGET_FILE:veltrane_fault_shim>
    ${fault_preload} --records 20000 --config-kib 4096 --jobs 2)
# Every fourth call fails (every tenth under the sanitizers, where each run takes longer).
set(fault_pass --kills 20 --stride 4 --limits 1)
if(VELTRANE_SANITIZE)
  set(fault_pass --kills 8 --stride 10 --limits 1)
endif()
add_test(NAME faults.saves_survive_kills_failed_calls_and_a_full_disk
  COMMAND ${fault_harness} ${fault_pass})
# The harness's own check: saves that write over their files in place must show as damage.
add_test(NAME faults.a_save_written_in_place_shows_as_damage
  COMMAND ${fault_harness} --kinds move --tear --kills 20 --stride 0 --limits 0 --expect-damage)
set_tests_properties(faults.saves_survive_kills_failed_calls_and_a_full_disk
  faults.a_save_written_in_place_shows_as_damage PROPERTIES TIMEOUT 900)
