# Installs the build into a scratch DESTDIR and checks that a desktop finds everything where it
# looks: the three programs, the three manuals, the desktop entry, the icon and the AppStream data.
# The validators run when they are installed. Usage: cmake -DBUILD_DIR=... -DDEST=... -P this file
cmake_minimum_required(VERSION 3.21)

file(REMOVE_RECURSE "${DEST}")
set(ENV{DESTDIR} "${DEST}")
execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix /usr
    RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cmake --install failed: ${rc}")
endif()

set(root "${DEST}/usr")
foreach(f bin/quorvel05 bin/quorvel05-unitsim bin/quorvel05-cli
        share/doc/quorvel05/Quorvel05_cz.html share/doc/quorvel05/Quorvel05_en.html
        share/doc/quorvel05/Quorvel05_de.html
        share/applications/quorvel05.desktop
        share/icons/hicolor/scalable/apps/quorvel05.svg
        share/metainfo/quorvel05.metainfo.xml)
    if(NOT EXISTS "${root}/${f}")
        message(FATAL_ERROR "not installed: ${f}")
    endif()
endforeach()
# The installed programs run from there.
execute_process(COMMAND "${root}/bin/quorvel05" --version OUTPUT_VARIABLE version RESULT_VARIABLE rc)
if(NOT rc EQUAL 0 OR NOT version MATCHES "^quorvel05 ")
    message(FATAL_ERROR "installed quorvel05 --version: ${rc} ${version}")
endif()
execute_process(COMMAND "${root}/bin/quorvel05-unitsim" --help OUTPUT_QUIET ERROR_QUIET
    RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "installed quorvel05-unitsim --help: ${rc}")
endif()

execute_process(COMMAND "${root}/bin/quorvel05-cli" --help OUTPUT_QUIET ERROR_QUIET
    RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "installed quorvel05-cli --help: ${rc}")
endif()

# The entry starts the installed program by name, with the installed icon.
file(STRINGS "${root}/share/applications/quorvel05.desktop" entry)
foreach(line "Exec=quorvel05" "Icon=quorvel05" "Type=Application")
    if(NOT line IN_LIST entry)
        message(FATAL_ERROR "quorvel05.desktop lacks ${line}")
    endif()
endforeach()

find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
if(DESKTOP_FILE_VALIDATE)
    execute_process(COMMAND ${DESKTOP_FILE_VALIDATE} "${root}/share/applications/quorvel05.desktop"
        RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "desktop-file-validate failed")
    endif()
else()
    message(STATUS "desktop-file-validate not installed: desktop entry not validated")
endif()
find_program(APPSTREAMCLI appstreamcli)
if(APPSTREAMCLI)
    execute_process(COMMAND ${APPSTREAMCLI} validate --no-net
        "${root}/share/metainfo/quorvel05.metainfo.xml" RESULT_VARIABLE rc)
    if(NOT rc EQUAL 0)
        message(FATAL_ERROR "appstreamcli validate failed")
    endif()
else()
    message(STATUS "appstreamcli not installed: metainfo not validated")
endif()
file(REMOVE_RECURSE "${DEST}")
