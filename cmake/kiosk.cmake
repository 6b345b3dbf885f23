# kiosk_expose_folder(<target>)
# A library's include path names only its own folder and, through its dependencies, theirs: each
# library gets a folder of its own under build/include holding a link to its source folder, so
# "#include "app/..."" from logging fails to compile instead of quietly reaching upwards.
function(kiosk_expose_folder target)
  file(RELATIVE_PATH folder ${CMAKE_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
  set(root ${CMAKE_BINARY_DIR}/include/${target})
  get_filename_component(parent ${root}/${folder} DIRECTORY)
  file(MAKE_DIRECTORY ${parent})
  if(NOT IS_SYMLINK ${root}/${folder})
    file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${folder} SYMBOLIC)
  endif()
  get_target_property(type ${target} TYPE)
  if(type STREQUAL "INTERFACE_LIBRARY")
    target_include_directories(${target} INTERFACE ${root})
  else()
    target_include_directories(${target} PUBLIC ${root})
  endif()
endfunction()

# kiosk_library(<name> [DEPS <targets>...])
# One static library per source folder, made of every .cpp in the folder (sub-folders excluded).
function(kiosk_library name)
  cmake_parse_arguments(K "" "" "DEPS;SOURCES" ${ARGN})
  file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  add_library(${name} STATIC ${srcs} ${K_SOURCES})
  kiosk_expose_folder(${name})
  target_link_libraries(${name} PUBLIC ${K_DEPS})
endfunction()

# kiosk_test(<name> LABEL <label> [DEPS <targets>...] [SOURCES ...])
# A GoogleTest binary made of every .cpp in the current folder unless SOURCES is given;
# each test case becomes one ctest entry carrying the label (unit, firebird, ui, e2e).
function(kiosk_test name)
  cmake_parse_arguments(K "" "LABEL;TIMEOUT" "DEPS;SOURCES;ENVIRONMENT" ${ARGN})
  if(K_SOURCES)
    set(srcs ${K_SOURCES})
  else()
    file(GLOB srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  if(NOT srcs)
    return()  # a folder whose tests are still to come
  endif()
  if(NOT K_LABEL)
    set(K_LABEL unit)
  endif()
  if(NOT K_TIMEOUT)
    set(K_TIMEOUT 120)
  endif()
  add_executable(${name} ${srcs})
  target_link_libraries(${name} PRIVATE ${K_DEPS} GTest::gmock GTest::gtest GTest::gtest_main Threads::Threads)
  target_include_directories(${name} PRIVATE ${CMAKE_SOURCE_DIR})
  gtest_discover_tests(${name}
    DISCOVERY_TIMEOUT 60
    PROPERTIES LABELS ${K_LABEL} TIMEOUT ${K_TIMEOUT} ENVIRONMENT "${K_ENVIRONMENT}")
endfunction()
