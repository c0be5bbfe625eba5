# The desktop program `pantrio`: Qt 6 Widgets with the View tab on Qt
# WebEngine. The windows live in the static library pantrio_ui (src/ui), the
# program's main() in src/app/desktop, and the window tests in one QtTest
# binary run under xvfb-run.

find_package(Qt6 REQUIRED COMPONENTS Widgets WebEngineWidgets PrintSupport Multimedia Test)

# Interface sounds: short wave files made at build time by a tiny tool, so
# the repository carries no binary audio.
add_executable(pantrio-make-sounds "${CMAKE_SOURCE_DIR}/tools/make_sounds/main.cpp")
set_target_properties(pantrio-make-sounds PROPERTIES
    RUNTIME_OUTPUT_DIRECTORY "${CMAKE_BINARY_DIR}/tools")
set(PANTRIO_SOUND_NAMES STARTSOUND2 MINIWHOOSH NICECHIME MALLETG SOUNDIMPORTFROMWEB)
set(PANTRIO_SOUND_OUTPUTS "")
foreach(sound IN LISTS PANTRIO_SOUND_NAMES)
    list(APPEND PANTRIO_SOUND_OUTPUTS "${PANTRIO_DATA_OUT}/Sounds/${sound}.wav")
endforeach()
add_custom_command(
    OUTPUT ${PANTRIO_SOUND_OUTPUTS}
    COMMAND "${CMAKE_COMMAND}" -E make_directory "${PANTRIO_DATA_OUT}/Sounds"
    COMMAND pantrio-make-sounds "${PANTRIO_DATA_OUT}/Sounds"
    DEPENDS pantrio-make-sounds
    COMMENT "Making the interface sounds"
    VERBATIM)
add_custom_target(pantrio_sounds ALL DEPENDS ${PANTRIO_SOUND_OUTPUTS})

set(CMAKE_AUTOMOC ON)

file(GLOB_RECURSE PANTRIO_UI_SOURCES CONFIGURE_DEPENDS
     "${CMAKE_SOURCE_DIR}/src/ui/*.cpp" "${CMAKE_SOURCE_DIR}/src/ui/*.h")
add_library(pantrio_ui STATIC ${PANTRIO_UI_SOURCES})
target_include_directories(pantrio_ui PUBLIC "${CMAKE_SOURCE_DIR}/src")
target_link_libraries(pantrio_ui PUBLIC pantrio_core Qt6::Widgets Qt6::WebEngineWidgets Qt6::PrintSupport
                                        Qt6::Multimedia)

file(GLOB_RECURSE PANTRIO_DESKTOP_SOURCES CONFIGURE_DEPENDS
     "${CMAKE_SOURCE_DIR}/src/app/desktop/*.cpp")
add_executable(pantrio ${PANTRIO_DESKTOP_SOURCES})
target_link_libraries(pantrio PRIVATE pantrio_ui)
add_dependencies(pantrio pantrio_data pantrio_sounds)

install(TARGETS pantrio RUNTIME DESTINATION bin)
install(FILES "${CMAKE_SOURCE_DIR}/data/pantrio.desktop" DESTINATION share/applications)
install(FILES "${CMAKE_SOURCE_DIR}/data/icons/pantrio.svg"
        DESTINATION share/icons/hicolor/scalable/apps)

if(PANTRIO_BUILD_TESTS)
    file(GLOB PANTRIO_UI_TEST_SOURCES CONFIGURE_DEPENDS "${CMAKE_SOURCE_DIR}/tests/ui/*.cpp"
         "${CMAKE_SOURCE_DIR}/tests/ui/*.h")
    # The loopback mail server the window's mail test sends to.
    list(APPEND PANTRIO_UI_TEST_SOURCES "${CMAKE_SOURCE_DIR}/tests/mail/MailServer.cpp")
    # The loopback recipe service the window's posting test posts to.
    list(APPEND PANTRIO_UI_TEST_SOURCES "${CMAKE_SOURCE_DIR}/tests/support/LoopbackService.cpp")
    add_executable(pantrio_ui_tests ${PANTRIO_UI_TEST_SOURCES})
    target_link_libraries(pantrio_ui_tests PRIVATE pantrio_ui Qt6::Test PkgConfig::HTTPLIB)
    target_include_directories(pantrio_ui_tests PRIVATE "${CMAKE_SOURCE_DIR}/tests")
    target_compile_definitions(pantrio_ui_tests PRIVATE
        PANTRIO_TEST_DATA_DIR="${CMAKE_SOURCE_DIR}/tests/data"
        PANTRIO_SHARED_DIR="${CMAKE_SOURCE_DIR}/../shared"
        PANTRIO_BUILT_DATA_DIR="${PANTRIO_DATA_OUT}")
    add_dependencies(pantrio_ui_tests pantrio_data pantrio_sounds)
    # WebEngine runs as root in CI, where Chromium's sandbox cannot start.
    # Chromium inside the WebEngine library (built without the sanitizers)
    # frees some objects through a base-class size and keeps allocations to
    # the end of the process, so for this binary only the leak checker and
    # the new/delete size check are off; every other check stays.
    add_test(NAME ui_tests COMMAND xvfb-run -a -s "-screen 0 1600x1000x24"
                                   $<TARGET_FILE:pantrio_ui_tests>)
    # The window suite is the longest by far (several minutes under the
    # sanitizers): it may take its time (QtTest's own watchdog too), and starts
    # first beside the others.
    set_tests_properties(ui_tests PROPERTIES
        TIMEOUT 1500
        COST 10000
        ENVIRONMENT_MODIFICATION "QT_QPA_PLATFORM=unset:"
        ENVIRONMENT "QTEST_FUNCTION_TIMEOUT=1500000;QTWEBENGINE_DISABLE_SANDBOX=1;QTWEBENGINE_CHROMIUM_FLAGS=--no-sandbox --disable-gpu;LC_ALL=C.UTF-8;ASAN_OPTIONS=detect_leaks=0:new_delete_type_mismatch=0:abort_on_error=0")
endif()
