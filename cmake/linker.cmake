# Links with lld when it is installed: the sanitizer builds' test programs carry tens of megabytes
# of debug information, which lld links in about a third of the time of the default linker.
option(T640_USE_LLD "Link with lld when it is installed" ON)
find_program(T640_LLD_PROGRAM ld.lld)
if(T640_USE_LLD AND T640_LLD_PROGRAM)
  add_link_options(-fuse-ld=lld)
endif()
