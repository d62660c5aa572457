# gtest, gmock and the standard headers most tests include, compiled once and reused by every test
# program: under the sanitizers, reading them again took most of each test file's compile time.
#
# A compiler takes a precompiled header only from a compile with the same code-generation flags,
# so every user of this one compiles as position-independent code, as the Qt-based tests must anyway.
# Its users may add include folders and macros of their own; it has none beyond gtest's.
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/t640_test_pch.cpp CONTENT "")
add_library(t640_test_pch OBJECT ${CMAKE_CURRENT_BINARY_DIR}/t640_test_pch.cpp)
target_link_libraries(t640_test_pch PRIVATE GTest::gmock GTest::gtest)
target_compile_options(t640_test_pch PRIVATE -fPIC)
target_precompile_headers(t640_test_pch PRIVATE
  <gmock/gmock.h> <gtest/gtest.h>
  <algorithm> <atomic> <chrono> <filesystem> <fstream> <functional> <map> <memory> <mutex>
  <optional> <regex> <set> <sstream> <string> <thread> <vector>)

function(t640_use_test_pch target)
  target_compile_options(${target} PRIVATE -fPIC)
  target_precompile_headers(${target} REUSE_FROM t640_test_pch)
endfunction()
