# The program that runs this build's executables for CTest. Where the
# machine runs no 32-bit programs, Debian's wine cannot start at all (it
# always goes through the 32-bit loader once wine32 is installed), so 64-bit
# programs run under wine64 directly; cmake/wine-mode.sh decides that for
# the scripts and exports the answer, and a build configured by hand asks
# the 32-bit loader the same question.
set(tarvik_wine_mode "$ENV{TARVIK_WINE_MODE}")
if(NOT tarvik_wine_mode)
  if("$ENV{TARVIK_NO_32BIT}" STREQUAL "1")
    set(tarvik_wine_mode 64only)
  else()
    execute_process(COMMAND /usr/lib/wine/wine --version
      RESULT_VARIABLE tarvik_loader_status OUTPUT_QUIET ERROR_QUIET)
    if(tarvik_loader_status EQUAL 0)
      set(tarvik_wine_mode both)
    else()
      set(tarvik_wine_mode 64only)
    endif()
  endif()
endif()

if(tarvik_wine_mode STREQUAL "64only" AND CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  # Wine's own helpers start through WINELOADER, which cmake/wine-env.sh sets.
  set(CMAKE_CROSSCOMPILING_EMULATOR /usr/lib/wine/wine64)
else()
  set(CMAKE_CROSSCOMPILING_EMULATOR wine)
endif()
