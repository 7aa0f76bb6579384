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
else()
  include(${CMAKE_CURRENT_LIST_DIR}/Debian.cmake)
  set(CPACK_GENERATOR DEB)
endif()
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
