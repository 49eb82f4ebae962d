# Fails when one of the program's own sources includes a header that only POSIX systems have, or
# reads /proc: the program runs on Windows as well, and Qt covers what it needs. The simulator, the
# tests, the benchmarks and the tools run on Linux only and are not looked at.
# Usage: cmake -DSOURCE_DIR=<tree> -P portablesources.cmake
set(program_folders app comm controller events settings units)
# POSIX and Linux headers with no counterpart on Windows; sys/ covers sys/ioctl.h, sys/stat.h and the rest.
set(posix_headers "unistd|termios|fcntl|sys/[^>\"]*|pthread|dlfcn|poll|pty|pwd|grp|dirent|libgen|syslog|spawn|"
                  "semaphore|sched|utmp|netdb|netinet/[^>\"]*|arpa/[^>\"]*|linux/[^>\"]*")
string(REPLACE ";" "" posix_headers "${posix_headers}")
set(include_pattern "^[ \t]*#[ \t]*include[ \t]*[<\"](${posix_headers})(\\.h)?[>\"]")

set(found "")
foreach(folder IN LISTS program_folders)
    file(GLOB_RECURSE sources "${SOURCE_DIR}/${folder}/*.cpp" "${SOURCE_DIR}/${folder}/*.h")
    foreach(source IN LISTS sources)
        file(RELATIVE_PATH name "${SOURCE_DIR}" "${source}")
        file(STRINGS "${source}" includes REGEX "${include_pattern}")
        foreach(line IN LISTS includes)
            string(STRIP "${line}" line)
            list(APPEND found "${name}: ${line}")
        endforeach()
        file(STRINGS "${source}" procs REGEX "/proc(/|\"|$)")
        foreach(line IN LISTS procs)
            string(STRIP "${line}" line)
            list(APPEND found "${name}: reads /proc: ${line}")
        endforeach()
    endforeach()
endforeach()

if(NOT IS_DIRECTORY "${SOURCE_DIR}/app" OR NOT IS_DIRECTORY "${SOURCE_DIR}/settings")
    message(FATAL_ERROR "no program sources under \"${SOURCE_DIR}\"")
endif()
if(found)
    string(REPLACE ";" "\n  " found "${found}")
    message(FATAL_ERROR "POSIX-only code in the program's own sources (use Qt instead):\n  ${found}")
endif()
