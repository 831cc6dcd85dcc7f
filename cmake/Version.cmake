# The version the executables carry: the project's MAJOR.MINOR and a build number N, the count of
# commits reachable from HEAD. The same commit always gets the same N and each later commit on the
# branch a higher one. Without git, or for a source tree exported from git, QV_BUILD_NUMBER gives N.
#
# Version.h is written at build time, and only when its text changes, so a new commit renumbers
# the next build without a configure step and an unchanged number rebuilds nothing. It serves C++
# (qv::kVersion) and the resource compiler (the QV_VERSION_* macros).
set(QV_BUILD_NUMBER "" CACHE STRING "The version's third part; empty: count the commits of HEAD")

set(QV_GENERATED_DIR ${CMAKE_BINARY_DIR}/generated)
add_custom_target(qv_version_header
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
            -DOUTPUT=${QV_GENERATED_DIR}/Version.h
            -DMAJOR=${PROJECT_VERSION_MAJOR} -DMINOR=${PROJECT_VERSION_MINOR}
            -DBUILD_NUMBER=${QV_BUILD_NUMBER}
            -P ${CMAKE_CURRENT_LIST_DIR}/WriteVersionHeader.cmake
    BYPRODUCTS ${QV_GENERATED_DIR}/Version.h
    COMMENT "Checking the version number"
    VERBATIM)

add_library(qv_version INTERFACE)
target_include_directories(qv_version INTERFACE ${QV_GENERATED_DIR})
add_dependencies(qv_version qv_version_header)
