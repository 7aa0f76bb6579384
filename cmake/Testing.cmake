# chronodex_test(NAME SOURCES... LIBS ...): one QtTest program, run by CTest with a pinned
# locale and time zone: on Linux on the offscreen platform, on Windows in real windows (under
# Wine on an X display).
function(chronodex_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE Qt6::Test ${T_LIBS})
  if(WIN32 AND CMAKE_CROSSCOMPILING)
    add_test(NAME ${name} COMMAND ${PROJECT_SOURCE_DIR}/cmake/wine-qtest.sh $<TARGET_FILE:${name}>)
  else()
    add_test(NAME ${name} COMMAND ${name})
  endif()
  if(WIN32)
    set(platform windows)
  else()
    set(platform offscreen)
  endif()
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "QT_QPA_PLATFORM=${platform};TZ=UTC;LC_ALL=C.UTF-8;QT_LOGGING_RULES=qt.qpa.*=false"
    TIMEOUT 120)
endfunction()

# chronodex_tests(DIR): a folder of tests, built only with BUILD_TESTING (on by default).
macro(chronodex_tests dir)
  if(BUILD_TESTING)
    add_subdirectory(${dir})
  endif()
endmacro()
