# glotta_add_test(NAME sources... LIBS libs...)
# One QtTest executable registered with CTest, run headless on the offscreen platform.
# In a build for Windows made here the program is only collected (global property
# GLOTTA_WINDOWS_TESTS): they all run in one Wine session, registered by
# tests/installer/platform/windows.
function(glotta_add_test name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${ARG_LIBS})
  target_compile_definitions(${name} PRIVATE GLOTTA_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data")
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    # Headless under Wine, and no plugins it does not use (a static Qt links in what is named).
    qt_import_plugins(${name} INCLUDE Qt6::QOffscreenIntegrationPlugin EXCLUDE_BY_TYPE imageformats generic)
    set_property(GLOBAL APPEND PROPERTY GLOTTA_WINDOWS_TESTS ${name})
    return()
  endif()
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_LOGGING_RULES=qt.qpa.*=false"
    TIMEOUT 300)
endfunction()
