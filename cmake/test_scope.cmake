# A tree of threaded tests only (T640_TEST_SCOPE=threaded) builds just what those tests link: the
# programs, tools and benchmarks of the source folders are left out of the default target, and
# each test program pulls in the libraries it needs.
if(T640_TEST_SCOPE STREQUAL "threaded")
  get_property(t640_source_folders DIRECTORY PROPERTY SUBDIRECTORIES)
  foreach(folder IN LISTS t640_source_folders)
    if(NOT folder STREQUAL "${CMAKE_SOURCE_DIR}/tests")
      set_property(DIRECTORY ${folder} PROPERTY EXCLUDE_FROM_ALL ON)
    endif()
  endforeach()
elseif(NOT T640_TEST_SCOPE STREQUAL "all")
  message(FATAL_ERROR "T640_TEST_SCOPE is '${T640_TEST_SCOPE}'; it must be 'all' or 'threaded'")
endif()
