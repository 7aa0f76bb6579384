# Packages made with CPack: `cpack -G ZIP` in a Windows build folder makes
# Chronodex-<version>-win64.zip, one folder holding the program and its help document as
# `cmake --install` lays them out; `cpack -G DEB` in a Linux one makes the Debian package
# (Debian.cmake).
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VENDOR "The Chronodex developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
if(WIN32)
  set(CPACK_PACKAGE_FILE_NAME ${PROJECT_NAME}-${PROJECT_VERSION}-win64)
  set(CPACK_GENERATOR ZIP)
  # The installer, Chronodex-<version>-setup.exe (`cmake --build . --target setup`), where
  # NSIS is at hand: installer/chronodex.nsi says what it installs.
  find_program(CHRONODEX_MAKENSIS makensis)
  if(CHRONODEX_MAKENSIS)
    set(setup ${CMAKE_BINARY_DIR}/${PROJECT_NAME}-${PROJECT_VERSION}-setup.exe)
    add_custom_command(OUTPUT ${setup}
      COMMAND ${CHRONODEX_MAKENSIS} -V2 -DVERSION=${PROJECT_VERSION}
              "-DPUBLISHER=${CPACK_PACKAGE_VENDOR}" -DWEBSITE=https://chronodex.example.org
              -DPROGRAM=$<TARGET_FILE:chronodex> -DHELP=${PROJECT_SOURCE_DIR}/help/doc/Help.html
              -DICON=${PROJECT_SOURCE_DIR}/app/chronodex.ico -DOUTFILE=${setup}
              ${PROJECT_SOURCE_DIR}/installer/chronodex.nsi
      DEPENDS chronodex ${PROJECT_SOURCE_DIR}/installer/chronodex.nsi
              ${PROJECT_SOURCE_DIR}/help/doc/Help.html
      VERBATIM)
    add_custom_target(setup DEPENDS ${setup})
  endif()
else()
  include(${CMAKE_CURRENT_LIST_DIR}/Debian.cmake)
  set(CPACK_GENERATOR DEB)
endif()
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
