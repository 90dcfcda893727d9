# Installs the build into a scratch folder and checks that what it installs fits together: the
# menu entry starts an installed program and names an icon installed at every size, the metainfo
# launches that entry and provides installed programs, every program has its manual page and
# its translations.
# Where the desktop's validators are installed it runs them too.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DSCRATCH=... -P InstalledTree.cmake
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${SCRATCH})
set(ENV{DESTDIR} ${SCRATCH})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix /usr
                OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
set(root ${SCRATCH}/usr)
set(failures "")
# expect(MESSAGE CONDITION...): CONDITION as if() takes it.
macro(expect message)
    if(NOT (${ARGN}))
        list(APPEND failures "${message}")
    endif()
endmacro()
function(desktop_key file key out)
    file(STRINGS ${file} lines REGEX "^${key}=")
    string(REPLACE "${key}=" "" value "${lines}")
    string(REPLACE "\\;" ";" value "${value}")  # file(STRINGS) escapes them
    set(${out} "${value}" PARENT_SCOPE)
endfunction()

file(GLOB programs RELATIVE ${root}/bin ${root}/bin/*)
expect("the panel is not installed" vora-tx-controller IN_LIST programs)
expect("the virtual transmitter is not installed" vora-txsim IN_LIST programs)
foreach(program IN LISTS programs)
    expect("${program} has no manual page" EXISTS ${root}/share/man/man1/${program}.1.gz)
endforeach()

set(entry ${root}/share/applications/vora-tx-controller.desktop)
expect("no menu entry" EXISTS ${entry})
if(EXISTS ${entry})
    desktop_key(${entry} Exec exec)
    string(REGEX REPLACE " .*" "" exec "${exec}")
    expect("the menu entry starts '${exec}', which is not installed" exec IN_LIST programs)
    desktop_key(${entry} Icon icon)
    foreach(size 16 22 24 32 48 64 128 256)
        expect("icon '${icon}' missing at ${size} px"
               EXISTS ${root}/share/icons/hicolor/${size}x${size}/apps/${icon}.png)
    endforeach()
    expect("icon '${icon}' has no scalable version"
           EXISTS ${root}/share/icons/hicolor/scalable/apps/${icon}.svg)
    desktop_key(${entry} Categories categories)
    expect("the menu entry is not under HamRadio" HamRadio IN_LIST categories)
endif()

file(GLOB metainfo ${root}/share/metainfo/*.metainfo.xml)
list(LENGTH metainfo count)
expect("expected one metainfo file, found ${count}" count EQUAL 1)
if(count EQUAL 1)
    file(READ ${metainfo} xml)
    get_filename_component(name ${metainfo} NAME)
    string(REGEX MATCH "<id>([^<]*)</id>" ignored "${xml}")
    expect("metainfo file not named after its id"
           name STREQUAL "${CMAKE_MATCH_1}.metainfo.xml")
    string(REGEX MATCH "<launchable type=\"desktop-id\">([^<]*)<" ignored "${xml}")
    expect("metainfo launches '${CMAKE_MATCH_1}', which is not installed"
           EXISTS ${root}/share/applications/${CMAKE_MATCH_1})
    string(REGEX MATCHALL "<binary>[^<]*</binary>" provided "${xml}")
    foreach(binary IN LISTS provided)
        string(REGEX REPLACE "</?binary>" "" binary "${binary}")
        expect("metainfo provides '${binary}', which is not installed" binary IN_LIST programs)
    endforeach()
endif()

# Each program's translations, in every language the source tree has.
file(GLOB languages RELATIVE ${SOURCE_DIR}/translations ${SOURCE_DIR}/translations/vora_*.ts)
expect("the source tree has no translation" languages)
foreach(ts IN LISTS languages)
    string(REGEX REPLACE "^vora_(.*)\\.ts$" "\\1" language "${ts}")
    foreach(catalogue vora vora-txsim)
        expect("${catalogue}_${language}.qm is not installed"
               EXISTS ${root}/share/vora-tx-controller/translations/${catalogue}_${language}.qm)
    endforeach()
endforeach()

# The README and LICENSE, and every picture the README shows beside the README.
file(READ ${SOURCE_DIR}/README.md readme)
string(REGEX MATCHALL "\\(docs/[^)]+\\.png\\)" pictures "${readme}")
expect("the README shows no picture" pictures)
set(docs README.md LICENSE)
foreach(link IN LISTS pictures)
    string(REGEX REPLACE "^\\((.*)\\)$" "\\1" picture "${link}")
    list(APPEND docs ${picture})
endforeach()
foreach(doc IN LISTS docs)
    expect("${doc} is not installed" EXISTS ${root}/share/doc/vora-tx-controller/${doc})
endforeach()

find_program(desktop_file_validate desktop-file-validate)
if(desktop_file_validate AND EXISTS ${entry})
    execute_process(COMMAND ${desktop_file_validate} ${entry} RESULT_VARIABLE status
                    OUTPUT_VARIABLE report ERROR_VARIABLE report)
    expect("desktop-file-validate: ${report}" status EQUAL 0)
endif()
find_program(appstreamcli appstreamcli)
if(appstreamcli AND count EQUAL 1)
    execute_process(COMMAND ${appstreamcli} validate --no-net ${metainfo} RESULT_VARIABLE status
                    OUTPUT_VARIABLE report ERROR_VARIABLE report)
    expect("appstreamcli: ${report}" status EQUAL 0)
endif()

if(failures)
    list(JOIN failures "\n  " text)
    message(FATAL_ERROR "The installation does not fit together:\n  ${text}")
endif()
