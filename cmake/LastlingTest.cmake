# lastling_add_subfolders(dir): adds every subfolder of dir that has a CMakeLists.txt.
# Without LASTLING_GUI the window layers (folders named in LASTLING_WIDGET_FOLDERS, under
# src/, tests/ and bench/ alike) are left out, so the headless host builds without QtWidgets.
function(lastling_add_subfolders dir)
  file(GLOB subdirs LIST_DIRECTORIES true ${PROJECT_SOURCE_DIR}/${dir}/*)
  foreach(sub IN LISTS subdirs)
    get_filename_component(name ${sub} NAME)
    if(NOT LASTLING_GUI AND name IN_LIST LASTLING_WIDGET_FOLDERS)
      continue()
    endif()
    if(EXISTS ${sub}/CMakeLists.txt)
      add_subdirectory(${sub})
    endif()
  endforeach()
endfunction()

# lastling_add_test(NAME name SOURCES a.cpp b.cpp LIBS lib1 lib2 [GUI])
# Adds one GoogleTest executable and registers its cases with CTest.
# GUI tests run on the offscreen platform so that no display is needed.
function(lastling_add_test)
  cmake_parse_arguments(T "GUI" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${T_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
  include(GoogleTest)
  gtest_discover_tests(${T_NAME}
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen;LASTLING_SOURCE_DIR=${PROJECT_SOURCE_DIR}"
               TIMEOUT 300)
endfunction()

# lastling_add_fuzzer(NAME name SOURCES a.cpp LIBS lib1)
# A libFuzzer target (clang only); scripts/fuzz.sh builds and runs every target named fuzz_*.
function(lastling_add_fuzzer)
  cmake_parse_arguments(F "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(fuzz_${F_NAME} ${F_SOURCES})
  target_compile_options(fuzz_${F_NAME} PRIVATE -fsanitize=fuzzer)
  target_link_options(fuzz_${F_NAME} PRIVATE -fsanitize=fuzzer)
  target_link_libraries(fuzz_${F_NAME} PRIVATE ${F_LIBS})
  set_property(GLOBAL APPEND PROPERTY LASTLING_FUZZERS fuzz_${F_NAME})
  set_target_properties(fuzz_${F_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/fuzzers)
endfunction()
