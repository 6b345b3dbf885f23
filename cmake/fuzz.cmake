# Fuzzing build: clang with libFuzzer, address and undefined-behaviour sanitizers, over the whole tree.
# Every library is instrumented for coverage; only the targets under fuzz/ link the fuzzer's main.
option(KIOSK_FUZZ "Build the libFuzzer targets under fuzz/ (clang only)" OFF)
set(KIOSK_FUZZ_SECONDS 5 CACHE STRING "How long ctest runs each fuzz target")

if(KIOSK_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "KIOSK_FUZZ needs clang (configure with CC=clang CXX=clang++)")
  endif()
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fsanitize=fuzzer-no-link
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

# kiosk_fuzz_target(<name> DEPS <targets>...)
# fuzz/<name>_fuzz.cpp becomes the program fuzz_<name>, seeded from fuzz/seeds/<name>/. ctest runs it
# for KIOSK_FUZZ_SECONDS under the label "fuzz", keeping what it finds in the build tree's corpus.
function(kiosk_fuzz_target name)
  cmake_parse_arguments(K "" "" "DEPS" ${ARGN})
  set(target fuzz_${name})
  add_executable(${target} ${CMAKE_CURRENT_SOURCE_DIR}/${name}_fuzz.cpp)
  target_link_libraries(${target} PRIVATE ${K_DEPS})
  target_include_directories(${target} PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_options(${target} PRIVATE -fsanitize=fuzzer)
  set(corpus ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
  set(seeds ${CMAKE_CURRENT_SOURCE_DIR}/seeds/${name})
  file(MAKE_DIRECTORY ${corpus})
  add_test(NAME fuzz.${name}
    COMMAND ${target} -max_total_time=${KIOSK_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
            -print_final_stats=1 ${corpus} ${seeds})
  set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 300
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1;UBSAN_OPTIONS=print_stacktrace=1")
endfunction()
