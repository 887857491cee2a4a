# The standing checks that scripts/test runs along with the ordinary tests, in one ctest run:
#  - the unit and Qt tests again, built with AddressSanitizer and UndefinedBehaviorSanitizer
#    (a build of this same project in <build>/sanitized, run by a nested ctest);
#  - the tests of the work shared among threads, built with ThreadSanitizer (<build>/tsan);
#  - every fuzz target fuzz/<name>_fuzz.cpp, built by clang with libFuzzer (the project in
#    fuzz/, in <build>/fuzz), each run for a bounded number of inputs from its seed corpus.
# The builds are external projects, so that each keeps its own compiler and flags; they are
# remade with every build of this project and cost nothing when nothing changed.
include(ExternalProject)

set(ZW_CHECK_ARGS -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZW_WERROR=${ZW_WERROR})
if(CMAKE_CXX_COMPILER_LAUNCHER)
  list(APPEND ZW_CHECK_ARGS -DCMAKE_CXX_COMPILER_LAUNCHER=${CMAKE_CXX_COMPILER_LAUNCHER})
endif()

set(ZW_SANITIZED_DIR ${CMAKE_BINARY_DIR}/sanitized)
# Under make, $(MAKE) lets the inner build share the outer build's job slots.
if(CMAKE_GENERATOR MATCHES "Makefiles")
  set(ZW_SANITIZED_BUILD $(MAKE) zw_unit_tests zw_qt_tests zw_leak_probe)
else()
  set(ZW_SANITIZED_BUILD ${CMAKE_COMMAND} --build ${ZW_SANITIZED_DIR} --target zw_unit_tests
                         zw_qt_tests zw_leak_probe)
endif()
ExternalProject_Add(zw_sanitized
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${ZW_SANITIZED_DIR}
  PREFIX ${CMAKE_BINARY_DIR}/external
  CMAKE_ARGS ${ZW_CHECK_ARGS} -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER} -DZW_SANITIZE=ON
             -DZW_CHECKS=OFF -DZW_BUILD_BENCH=OFF
  BUILD_COMMAND ${ZW_SANITIZED_BUILD}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON)

# Qt and fontconfig keep a few allocations until exit on purpose; leaks of our own still fail.
set(ZW_SANITIZER_ENV
  "ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:check_initialization_order=1"
  "LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/sanitizers/lsan.supp:print_suppressions=0"
  "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
foreach(label unit qt)
  add_test(NAME sanitized.${label}
    COMMAND ${CMAKE_CTEST_COMMAND} --test-dir ${ZW_SANITIZED_DIR} -L ^${label}$
            --output-on-failure --timeout 600 -j2)
  set_tests_properties(sanitized.${label} PROPERTIES
    LABELS sanitize ENVIRONMENT "${ZW_SANITIZER_ENV}" PROCESSORS 2 TIMEOUT 1500)
endforeach()

# The tests of the work shared among threads, built alone with ThreadSanitizer: a data race
# fails them. Only the Qt-free core and one test program are built, a few minutes' work.
set(ZW_TSAN_DIR ${CMAKE_BINARY_DIR}/tsan)
if(CMAKE_GENERATOR MATCHES "Makefiles")
  set(ZW_TSAN_BUILD $(MAKE) zw_parallel_tests)
else()
  set(ZW_TSAN_BUILD ${CMAKE_COMMAND} --build ${ZW_TSAN_DIR} --target zw_parallel_tests)
endif()
ExternalProject_Add(zw_tsan
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${ZW_TSAN_DIR}
  PREFIX ${CMAKE_BINARY_DIR}/external
  CMAKE_ARGS ${ZW_CHECK_ARGS} -DCMAKE_CXX_COMPILER=${CMAKE_CXX_COMPILER} -DZW_TSAN=ON
             -DZW_CHECKS=OFF -DZW_BUILD_BENCH=OFF
  BUILD_COMMAND ${ZW_TSAN_BUILD}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON)
add_test(NAME sanitized.threads
  COMMAND ${CMAKE_CTEST_COMMAND} --test-dir ${ZW_TSAN_DIR} -L ^parallel$
          --output-on-failure --timeout 600 -j2)
set_tests_properties(sanitized.threads PROPERTIES
  LABELS sanitize ENVIRONMENT "TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1"
  PROCESSORS 2 TIMEOUT 1500)

find_program(ZW_FUZZ_CXX NAMES clang++ clang++-14 REQUIRED)
set(ZW_FUZZ_DIR ${CMAKE_BINARY_DIR}/fuzz)
ExternalProject_Add(zw_fuzz
  SOURCE_DIR ${PROJECT_SOURCE_DIR}/fuzz
  BINARY_DIR ${ZW_FUZZ_DIR}
  PREFIX ${CMAKE_BINARY_DIR}/external
  CMAKE_ARGS ${ZW_CHECK_ARGS} -DCMAKE_CXX_COMPILER=${ZW_FUZZ_CXX}
  INSTALL_COMMAND ""
  BUILD_ALWAYS ON)

# Each target runs a fixed number of inputs: 200,000 unless its source says otherwise with a
# line "// fuzz runs: N". New inputs go to a fresh temporary folder, so the seed corpus in the
# source tree is only read; crash reproducers land in <build>/fuzz-artifacts.
file(GLOB ZW_FUZZ_TARGETS CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
foreach(source ${ZW_FUZZ_TARGETS})
  get_filename_component(target ${source} NAME_WE)
  string(REGEX REPLACE "_fuzz$" "" name ${target})
  set(runs 200000)
  file(STRINGS ${source} marker REGEX "^// fuzz runs: [0-9]+$" LIMIT_COUNT 1)
  if(marker)
    string(REGEX REPLACE "^// fuzz runs: " "" runs "${marker}")
  endif()
  add_test(NAME fuzz.${name}
    COMMAND bash ${PROJECT_SOURCE_DIR}/fuzz/run.sh ${ZW_FUZZ_DIR}/${target} ${runs}
            ${PROJECT_SOURCE_DIR}/fuzz/corpus/${name} ${CMAKE_BINARY_DIR}/fuzz-artifacts)
  set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 300)
endforeach()
