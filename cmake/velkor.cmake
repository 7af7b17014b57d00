# velkor_library(NAME DEPS ...): a static library of every .cc file in the current folder
# (and in the folders named by SUBDIRS), with includes rooted at the repository root.
function(velkor_library name)
  cmake_parse_arguments(ARG "" "" "DEPS;SUBDIRS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cc)
  foreach(sub IN LISTS ARG_SUBDIRS)
    file(GLOB more CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${sub}/*.cc)
    list(APPEND sources ${more})
  endforeach()
  if(NOT sources)
    # Headers only, so far.
    add_library(${name} INTERFACE)
    target_include_directories(${name} INTERFACE ${PROJECT_SOURCE_DIR})
    target_link_libraries(${name} INTERFACE ${ARG_DEPS})
    return()
  endif()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# velkor_test(NAME LABEL label DEPS ...): one GoogleTest executable of every .cc file in the
# current folder, each test registered with ctest under the given label, and the whole program
# under the label "whole".
function(velkor_test name)
  cmake_parse_arguments(ARG "" "LABEL" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cc)
  if(NOT sources)
    return()
  endif()
  add_executable(${name} ${sources})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  # Where tests find files of the tree (reference images): __FILE__ may be relative to the build
  # directory when the compiler cache rewrites paths, while tests run from the source root.
  target_compile_definitions(${name} PRIVATE VELKOR_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} velkor_test_support GTest::gmock GTest::gtest_main)
  gtest_discover_tests(${name}
    PROPERTIES LABELS ${ARG_LABEL}
    DISCOVERY_TIMEOUT 120
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
  # The program once more, whole and from its own folder: state that one test leaves behind for the
  # next (a singleton's, a stage, a clock, a back-off) and a test that finds files only from the
  # root never show when every test runs in a process of its own. The label is "whole" alone, so
  # that a folder's label still picks its tests once each.
  add_test(NAME ${name}.whole COMMAND ${name} WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
  set_tests_properties(${name}.whole PROPERTIES LABELS whole TIMEOUT 1200)
endfunction()

# velkor_all_libraries(OUT): every library target of the tree that exists, for programs (benchmarks,
# fuzz targets) that may reach into any of them.
function(velkor_all_libraries out)
  set(found)
  foreach(lib platform_dispatch platform_base platform_net platform_ui platform_render platform_web
              platform_privacy lumberjack velkor velkor_mock_server)
    if(TARGET ${lib})
      list(APPEND found ${lib})
    endif()
  endforeach()
  set(${out} ${found} PARENT_SCOPE)
endfunction()
