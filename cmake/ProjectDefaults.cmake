# Compiler and linker settings shared by every target of the project.
option(EL_SANITIZE "Build native code with AddressSanitizer and UBSan" OFF)

# Where the two deliverables land, side by side, as they ship.
set(EL_BIN_DIR ${CMAKE_BINARY_DIR}/bin)

# The product's version, shown as written ("1.00") by the version resource,
# the read-me and the package name; the resource's numeric fields take its
# major and minor parts.
set(EL_VERSION ${PROJECT_VERSION})
math(EXPR EL_VERSION_MINOR_NUMBER "${PROJECT_VERSION_MINOR}")
set(EL_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
file(CONFIGURE OUTPUT ${EL_GENERATED_DIR}/product_version.h CONTENT [[
// Generated from the project's version in CMakeLists.txt; do not edit.
#pragma once

#define EL_VERSION_TEXT "@EL_VERSION@"
#define EL_VERSION_MAJOR @PROJECT_VERSION_MAJOR@
#define EL_VERSION_MINOR @EL_VERSION_MINOR_NUMBER@
]] @ONLY)

set(EL_WARNINGS -Wall -Wextra -Werror)

if(EL_WINDOWS)
    # Windows XP SP2 headers are too old for SetDefaultDllDirectories; the
    # programs target Windows 7 and later.
    add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 WIN32_LEAN_AND_MEAN NOMINMAX)
    add_compile_options(-fstack-protector-strong)
    # Fully static, so the stack protector's runtime and libstdc++ add no DLL
    # import; ASLR and DEP stated explicitly rather than trusting binutils' defaults.
    add_link_options(-static -fstack-protector-strong -Wl,--dynamicbase -Wl,--nxcompat)
    # Reproducible bytes: the same sources give the same programs wherever and
    # whenever they are built. The linker's time stamp is the only varying
    # field of the PE headers; the prefix maps keep the checkout's and the
    # build folder's paths out of __FILE__.
    add_link_options(-Wl,--no-insert-timestamp)
    add_compile_options(
        "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${PROJECT_SOURCE_DIR}/=>"
        "$<$<COMPILE_LANGUAGE:C,CXX>:-ffile-prefix-map=${CMAKE_BINARY_DIR}/=>")
elseif(EL_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

# Applies the project's warnings to one of our own targets (not third-party code).
function(el_target_defaults target)
    target_compile_options(${target} PRIVATE ${EL_WARNINGS})
    # The generated folder holds product_version.h, which the version resource
    # (built into the front end and its test probe) includes.
    target_include_directories(${target} PUBLIC ${PROJECT_SOURCE_DIR} ${EL_GENERATED_DIR})
endfunction()

# Texts of the front end are written in UTF-8 and must reach the ANSI calls as
# Shift-JIS bytes.
function(el_shift_jis_literals target)
    if(EL_WINDOWS)
        target_compile_options(${target} PRIVATE -fexec-charset=CP932)
    endif()
endfunction()

# A deliverable: a Windows GUI program placed in the shipping folder. It ships
# without symbols or debug information (the statically linked runtime
# libraries bring their DWARF along, more than half of the file); the test
# tools keep theirs for backtraces.
function(el_windows_program target file_name)
    set_target_properties(${target} PROPERTIES
        WIN32_EXECUTABLE ON
        OUTPUT_NAME ${file_name}
        SUFFIX ""
        RUNTIME_OUTPUT_DIRECTORY ${EL_BIN_DIR})
    target_link_options(${target} PRIVATE -s)
    el_target_defaults(${target})
endfunction()

# Tests that run Windows programs under Wine are registered only in the build
# whose architecture this machine's Wine can run (scripts/build decides).
option(EL_WINE_TESTS "Register the tests that run the programs under Wine" OFF)
if(CMAKE_SIZEOF_VOID_P EQUAL 8)
    set(EL_WINE_ARCH win64)
else()
    set(EL_WINE_ARCH win32)
endif()
set(EL_WINE_UNIT_PREFIX ${CMAKE_BINARY_DIR}/wine/unit)
set(EL_WINE_E2E_PREFIX ${CMAKE_BINARY_DIR}/wine/e2e)
set(EL_WINE_FRONT_PREFIX ${CMAKE_BINARY_DIR}/wine/e2e-front)

# A Windows unit test program runs in the shared unit-test prefix.
function(el_wine_test_properties test)
    set_tests_properties(${test} PROPERTIES
        FIXTURES_REQUIRED wine_unit
        ENVIRONMENT "WINEPREFIX=${EL_WINE_UNIT_PREFIX};EL_WINE_ARCH=${EL_WINE_ARCH}"
        TIMEOUT 120)
endfunction()

# An end-to-end test: a Python script that drives the real programs on a
# private X server. The tests of one lane share one prefix and run one at a
# time, because programs find each other by window caption across the whole
# Wine session; the two lanes (the renderer's and the saver run's pictures,
# and the front end's windows) have a prefix, and so a Wine session, each,
# and run side by side. LANE is e2e or front.
function(el_e2e_test name script lane)
    if(lane STREQUAL "front")
        set(prefix ${EL_WINE_FRONT_PREFIX})
    else()
        set(prefix ${EL_WINE_E2E_PREFIX})
    endif()
    add_test(NAME e2e.${name}
        COMMAND python3 ${script}
        WORKING_DIRECTORY ${PROJECT_SOURCE_DIR})
    set_tests_properties(e2e.${name} PROPERTIES
        FIXTURES_REQUIRED wine_${lane}
        RESOURCE_LOCK wine_desktop_${lane}
        TIMEOUT 300
        ENVIRONMENT "WINEPREFIX=${prefix};EL_WINE_ARCH=${EL_WINE_ARCH};EL_BIN_DIR=${EL_BIN_DIR};EL_TOOLS_DIR=${CMAKE_BINARY_DIR}/tests;EL_SOURCE_DIR=${PROJECT_SOURCE_DIR};EL_WORK_DIR=${CMAKE_BINARY_DIR}/e2e-work;PYTHONPATH=${PROJECT_SOURCE_DIR}/tests/e2e;PYTHONDONTWRITEBYTECODE=1")
endfunction()
