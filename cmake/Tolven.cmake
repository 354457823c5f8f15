# Build helpers shared by every folder.

set(TOLVEN_ROOT ${CMAKE_CURRENT_LIST_DIR}/..)

if(TOLVEN_WINDOWS)
  # Every Windows binary lands in one folder so test programs find the
  # deliverables beside themselves, as an installation would have them.
  set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
  set(CMAKE_SHARED_LIBRARY_PREFIX "")
  # The Wine architecture the test programs of this build run under.
  if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(TOLVEN_WINE_ARCH win64)
  else()
    set(TOLVEN_WINE_ARCH win32)
  endif()
  # User-mode C++ only: the kernel drivers (C) take the DDK headers as they are.
  add_compile_definitions($<$<COMPILE_LANGUAGE:CXX>:UNICODE> $<$<COMPILE_LANGUAGE:CXX>:_UNICODE>
    $<$<COMPILE_LANGUAGE:CXX>:WIN32_LEAN_AND_MEAN> $<$<COMPILE_LANGUAGE:CXX>:NOMINMAX>
    $<$<COMPILE_LANGUAGE:CXX>:_WIN32_WINNT=0x0501>)
  add_link_options(-static -static-libgcc -static-libstdc++)
  find_package(Threads REQUIRED)
  # GoogleTest for the test programs that run under Wine, from Debian's sources.
  set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
elseif(TOLVEN_FUZZ)
  # Everything is instrumented for coverage; only the fuzz targets are built
  # (target "fuzzers") and run (CTest label "fuzz").
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  add_custom_target(fuzzers)
  find_package(GTest REQUIRED)
  include(GoogleTest)
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
  if(TOLVEN_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wall> $<$<COMPILE_LANGUAGE:CXX>:-Wextra>)
# GCC 12 warns of overlapping copies inside std::string's operator+ where
# there are none (a known false positive of its -Wrestrict).
if(CMAKE_CXX_COMPILER_ID STREQUAL "GNU" AND CMAKE_CXX_COMPILER_VERSION VERSION_LESS 13)
  add_compile_options($<$<COMPILE_LANGUAGE:CXX>:-Wno-restrict>)
endif()
# The test command builds with warnings as errors: the project's own sources
# build without any. (GoogleTest, added above, keeps its own flags.)
option(TOLVEN_WERROR "Treat warnings in the project's sources as errors" OFF)
if(TOLVEN_WERROR)
  add_compile_options(-Werror)
endif()

# tolven_native_test(<name> SOURCES ... LIBS ...)
# A GoogleTest program of portable code, built and run by the native build only.
function(tolven_native_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  if(TOLVEN_WINDOWS OR TOLVEN_FUZZ)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main GTest::gmock)
  gtest_discover_tests(${name} TEST_PREFIX "${name}." DISCOVERY_TIMEOUT 60)
endfunction()

# tolven_wine_test(<name> SOURCES ... LIBS ...)
# A GoogleTest program built for Windows and run in the build's Wine prefix.
# It is one CTest test; its own output lists the cases.
function(tolven_wine_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS;DEPENDS" ${ARGN})
  if(NOT TOLVEN_WINDOWS)
    return()
  endif()
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_main gtest)
  if(T_DEPENDS)
    add_dependencies(${name} ${T_DEPENDS})
  endif()
  add_test(NAME wine.${name} COMMAND ${name} --gtest_color=no)
  set_tests_properties(wine.${name} PROPERTIES
    FIXTURES_REQUIRED wine_prefix
    RESOURCE_LOCK wine_system
    LABELS wine
    ENVIRONMENT "WINEPREFIX=${CMAKE_BINARY_DIR}/wineprefix;TOLVEN_WINE_ARCH=${TOLVEN_WINE_ARCH}"
    TIMEOUT 240)
endfunction()

# tolven_version_resource(<target> DESCRIPTION <text> FILENAME <name> TYPE <APP|DLL|DRV>)
# Gives a Windows module its version resource, from the project's one version.
function(tolven_version_resource target)
  cmake_parse_arguments(V "" "DESCRIPTION;FILENAME;TYPE" "" ${ARGN})
  if(NOT TOLVEN_WINDOWS)
    return()
  endif()
  set(TOLVEN_VERSION_DESCRIPTION "${V_DESCRIPTION}")
  set(TOLVEN_VERSION_FILENAME "${V_FILENAME}")
  if(V_TYPE STREQUAL "APP")
    set(TOLVEN_VERSION_FILETYPE "VFT_APP")
    set(TOLVEN_VERSION_SUBTYPE "VFT2_UNKNOWN")
  elseif(V_TYPE STREQUAL "DRV")
    set(TOLVEN_VERSION_FILETYPE "VFT_DRV")
    set(TOLVEN_VERSION_SUBTYPE "VFT2_DRV_SYSTEM")
  elseif(V_TYPE STREQUAL "VIDCAP")
    set(TOLVEN_VERSION_FILETYPE "VFT_DRV")
    set(TOLVEN_VERSION_SUBTYPE "VFT2_DRV_INSTALLABLE")
  else()
    set(TOLVEN_VERSION_FILETYPE "VFT_DLL")
    set(TOLVEN_VERSION_SUBTYPE "VFT2_UNKNOWN")
  endif()
  set(out ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${TOLVEN_ROOT}/cmake/version.rc.in ${out} @ONLY)
  target_sources(${target} PRIVATE ${out})
endfunction()

# tolven_fuzz_target(<name> SOURCES ... LIBS ... CORPUS <dir> [SECONDS <n>])
# A libFuzzer target (LLVMFuzzerTestOneInput), built in the fuzz build only.
# CTest runs it for a bounded time from the seed corpus kept in the repository;
# new inputs go to a scratch corpus in the build folder.
function(tolven_fuzz_target name)
  cmake_parse_arguments(F "" "CORPUS;SECONDS" "SOURCES;LIBS" ${ARGN})
  if(NOT TOLVEN_FUZZ)
    return()
  endif()
  if(NOT F_SECONDS)
    set(F_SECONDS 30)
  endif()
  add_executable(${name} ${F_SOURCES})
  target_link_libraries(${name} PRIVATE ${F_LIBS})
  target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  add_dependencies(fuzzers ${name})
  set(scratch ${CMAKE_BINARY_DIR}/fuzz-corpus/${name})
  file(MAKE_DIRECTORY ${scratch})
  add_test(NAME fuzz.${name}
    COMMAND ${name} -max_total_time=${F_SECONDS} -rss_limit_mb=2048 -print_final_stats=1 ${scratch} ${F_CORPUS})
  set_tests_properties(fuzz.${name} PROPERTIES LABELS fuzz TIMEOUT 600)
endfunction()
