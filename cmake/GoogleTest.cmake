# GoogleTest is built from Debian's sources with the compiler of this build, so
# the same test code runs natively and, cross-compiled, under Wine.
set(EL_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${EL_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# A table-driven unit test program. Natively it runs directly; for Windows it
# runs under Wine in the test prefix (see tests/CMakeLists.txt).
function(el_unit_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main)
    el_target_defaults(${name})
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/tests)
    if(EL_WINDOWS)
        if(EL_WINE_TESTS)
            add_test(NAME wine.${name} COMMAND ${name})
            el_wine_test_properties(wine.${name})
        endif()
    else()
        add_test(NAME native.${name} COMMAND ${name})
    endif()
endfunction()
