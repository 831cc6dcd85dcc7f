# cmake -DSOURCE_DIR=... -DOUTPUT=.../Version.h -DMAJOR=4 -DMINOR=0 [-DBUILD_NUMBER=N] -P this file
# Writes OUTPUT only when its text changes, so that nothing that includes it rebuilds needlessly.
if(NOT BUILD_NUMBER STREQUAL "")
    if(NOT BUILD_NUMBER MATCHES "^[0-9]+$")
        message(FATAL_ERROR "QV_BUILD_NUMBER must be a number, not '${BUILD_NUMBER}'")
    endif()
else()
    set(BUILD_NUMBER 0)
    find_package(Git QUIET)
    if(GIT_FOUND)
        # Only the project's own repository counts, not one that merely holds the source tree.
        execute_process(COMMAND ${GIT_EXECUTABLE} rev-parse --show-toplevel
                        WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE status
                        OUTPUT_VARIABLE top OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
        if(status EQUAL 0)
            file(REAL_PATH "${top}" top)
            file(REAL_PATH "${SOURCE_DIR}" source)
        endif()
        if(status EQUAL 0 AND top STREQUAL source)
            execute_process(COMMAND ${GIT_EXECUTABLE} rev-list --count HEAD
                            WORKING_DIRECTORY ${SOURCE_DIR} RESULT_VARIABLE status
                            OUTPUT_VARIABLE count OUTPUT_STRIP_TRAILING_WHITESPACE ERROR_QUIET)
            if(status EQUAL 0 AND count MATCHES "^[0-9]+$")
                set(BUILD_NUMBER ${count})
            endif()
        endif()
    endif()
endif()

set(version "${MAJOR}.${MINOR}.${BUILD_NUMBER}")
set(text "// Written by cmake/WriteVersionHeader.cmake at build time.
#ifndef QV_VERSION_H
#define QV_VERSION_H

#define QV_VERSION_MAJOR ${MAJOR}
#define QV_VERSION_MINOR ${MINOR}
#define QV_VERSION_BUILD ${BUILD_NUMBER}
#define QV_VERSION_TEXT \"${version}\"
#define QV_PRODUCT_VERSION_TEXT \"${MAJOR}.${MINOR}\"

#ifndef RC_INVOKED
namespace qv {
// The file version, MAJOR.MINOR.N: what --version prints and what the release archives are named.
inline constexpr char kVersion[] = QV_VERSION_TEXT;
// The product version, MAJOR.MINOR: what the windows and the resources call the program.
inline constexpr char kProductVersion[] = QV_PRODUCT_VERSION_TEXT;
}  // namespace qv
#endif

#endif
")
set(old "")
if(EXISTS ${OUTPUT})
    file(READ ${OUTPUT} old)
endif()
if(NOT old STREQUAL text)
    file(WRITE ${OUTPUT} "${text}")
endif()
