# The release package, `cmake --build <dir> --target package`: a ZIP named
# after the version and bitness that unpacks into one folder holding
# tarvik.exe, the manual beside it, a sample Marker file and a README.
install(TARGETS tarvik RUNTIME DESTINATION .)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/app/Manual DESTINATION .)
install(FILES "${PROJECT_SOURCE_DIR}/samples/Sample Route.mkr" DESTINATION .)

# Windows line ends, so that every Notepad shows the README's lines.
math(EXPR TARVIK_PACKAGE_BITS "${CMAKE_SIZEOF_VOID_P} * 8")
configure_file(${PROJECT_SOURCE_DIR}/cmake/README.txt.in ${PROJECT_BINARY_DIR}/package/README.unix @ONLY)
file(READ ${PROJECT_BINARY_DIR}/package/README.unix readme)
string(REPLACE "\n" "\r\n" readme "${readme}")
file(WRITE ${PROJECT_BINARY_DIR}/package/README.txt "${readme}")
install(FILES ${PROJECT_BINARY_DIR}/package/README.txt DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Tarvik)
set(CPACK_PACKAGE_VENDOR "The Tarvik developers")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME Tarvik-${PROJECT_VERSION}-${TARVIK_WINE_ARCH})
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/package)
# Only the program's own files: no test or stand-in has install rules.
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)
