# Header-only libraries from the distribution. Their headers live in /usr/include, which a cross
# build must not put on its include path (it would shadow the MinGW C library), so each library's
# own folder is linked into a private include folder and used from there.
set(QV_THIRD_PARTY_INCLUDE ${CMAKE_BINARY_DIR}/third_party_include)
file(MAKE_DIRECTORY ${QV_THIRD_PARTY_INCLUDE})
foreach(dir CLI nlohmann)
    if(NOT EXISTS /usr/include/${dir})
        message(FATAL_ERROR "/usr/include/${dir} is missing: run tools/setup to install it")
    endif()
    if(NOT EXISTS ${QV_THIRD_PARTY_INCLUDE}/${dir})
        file(CREATE_LINK /usr/include/${dir} ${QV_THIRD_PARTY_INCLUDE}/${dir} SYMBOLIC)
    endif()
endforeach()
add_library(qv_third_party INTERFACE)
target_include_directories(qv_third_party SYSTEM INTERFACE ${QV_THIRD_PARTY_INCLUDE})

# GoogleTest, compiled from the distribution's source so the native and the cross build use it
# the same way.
if(QV_TESTS)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
    set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
    add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    # Unoptimised, like the tests themselves (see tests/CMakeLists.txt).
    foreach(target gtest gtest_main gmock gmock_main)
        target_compile_options(${target} PRIVATE -O0)
    endforeach()
endif()
