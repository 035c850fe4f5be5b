# The third-party libraries of the Windows build, built from the sources that scripts/setup.sh
# puts in STAKEWISE_THIRD_PARTY_DIR (outside the source tree), under the target names that the
# Linux build gets from Debian's packages.
set(STAKEWISE_THIRD_PARTY_DIR "$ENV{HOME}/.cache/stakewise" CACHE PATH
    "Where scripts/setup.sh put GoogleTest, SQLite and the header-only libraries")
set(third_party ${STAKEWISE_THIRD_PARTY_DIR})
foreach(required googletest/CMakeLists.txt sqlite3/sqlite3.c include/CLI/CLI.hpp
                 include/nlohmann/json.hpp)
    if(NOT EXISTS ${third_party}/${required})
        message(FATAL_ERROR "${third_party}/${required} is missing: run scripts/setup.sh")
    endif()
endforeach()

# SQLite from its amalgamation; planhost loads no SQLite extensions.
add_library(sqlite3 STATIC ${third_party}/sqlite3/sqlite3.c)
target_include_directories(sqlite3 SYSTEM PUBLIC ${third_party}/sqlite3)
target_compile_definitions(sqlite3 PRIVATE SQLITE_OMIT_LOAD_EXTENSION)
target_compile_options(sqlite3 PRIVATE -w)
add_library(SQLite::SQLite3 ALIAS sqlite3)

# The header-only libraries, copied from Debian's packages: the cross compiler must not see
# /usr/include, whose C headers are the build machine's.
foreach(library nlohmann_json CLI11)
    add_library(${library} INTERFACE)
    target_include_directories(${library} SYSTEM INTERFACE ${third_party}/include)
    add_library(${library}::${library} ALIAS ${library})
endforeach()

# GoogleTest from Debian's sources; its own install rules and warnings stay out of this build.
if(STAKEWISE_BUILD_TESTS)
    set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
    add_subdirectory(${third_party}/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
    foreach(library gtest gtest_main gmock gmock_main)  # each also as GTest::${library}
        target_compile_options(${library} PRIVATE -w)
    endforeach()
endif()
