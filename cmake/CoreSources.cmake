# The Qt-free core: everything under src/ but the Qt widgets and the program's entry point.
# Shared by the main project and the fuzzing project, which compiles it with clang.
# Sets ZW_CORE_SOURCES from the source tree rooted at the given directory.
function(zw_core_sources root)
  file(GLOB sources CONFIGURE_DEPENDS
    ${root}/src/platform/*.cpp ${root}/src/engine/*.cpp ${root}/src/formula/*.cpp
    ${root}/src/planes/*.cpp ${root}/src/views/*.cpp ${root}/src/session/*.cpp
    ${root}/src/roots/*.cpp ${root}/src/app/*.cpp)
  list(FILTER sources EXCLUDE REGEX ".*/src/app/main\\.cpp$")
  # The formula's complex sin and cos pick one of two ways per lane; only when the compiler may
  # work out both for every lane (no trapping maths, which changes no value) does it vectorise.
  set_source_files_properties(${root}/src/formula/Trigonometric.cpp PROPERTIES
                              COMPILE_OPTIONS -fno-trapping-math)
  set(ZW_CORE_SOURCES ${sources} PARENT_SCOPE)
endfunction()
