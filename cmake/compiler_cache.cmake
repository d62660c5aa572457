# Compiles through ccache when it is installed, so that a second build folder or a fresh clone on
# the same machine reuses the objects of the first (the cache lives in ~/.cache/ccache).
#
# base_dir and hash_dir make a clone in another folder hit the cache of the first. The precompiled
# test headers change their bytes on every build, so ccache is told to trust the header they were
# made from instead (pch_defines, time_macros) and the file times of a fresh checkout (mtime, ctime).
option(T640_USE_CCACHE "Compile through ccache when it is installed" ON)
find_program(T640_CCACHE_PROGRAM ccache)
if(T640_USE_CCACHE AND T640_CCACHE_PROGRAM AND NOT CMAKE_CXX_COMPILER_LAUNCHER)
  set(CMAKE_CXX_COMPILER_LAUNCHER
      ${CMAKE_COMMAND} -E env CCACHE_BASEDIR=${CMAKE_SOURCE_DIR} CCACHE_NOHASHDIR=1
      CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
      ${T640_CCACHE_PROGRAM})
endif()
