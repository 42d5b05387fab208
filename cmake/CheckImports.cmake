# Fails when an executable imports a DLL that Windows does not provide, so
# that tarvik.exe keeps running from a bare folder on any Windows.
#   cmake -DEXE=<exe> -DOBJDUMP=<objdump> [-DALLOWED=<names>] -P CheckImports.cmake
# ALLOWED replaces the list of Windows DLLs (names without ".dll"); the
# tests use it to show that the check does fail.
cmake_minimum_required(VERSION 3.25)

set(windows_dlls KERNEL32 USER32 GDI32 ADVAPI32 SHELL32 COMCTL32 COMDLG32 msvcrt UxTheme
                 ole32 OLEAUT32 SHLWAPI)
if(NOT DEFINED ALLOWED)
  set(ALLOWED ${windows_dlls})
endif()
list(TRANSFORM ALLOWED TOLOWER)

foreach(required EXE OBJDUMP)
  if(NOT ${required})
    message(FATAL_ERROR "CheckImports: -D${required}=... is required")
  endif()
endforeach()
if(NOT EXISTS "${EXE}")
  message(FATAL_ERROR "CheckImports: no such file: ${EXE}")
endif()

execute_process(COMMAND "${OBJDUMP}" -p "${EXE}"
  OUTPUT_VARIABLE dump ERROR_VARIABLE dump_error RESULT_VARIABLE dump_status)
if(NOT dump_status EQUAL 0)
  message(FATAL_ERROR "CheckImports: ${OBJDUMP} failed (${dump_status}): ${dump_error}")
endif()

string(REGEX MATCHALL "DLL Name: [^\r\n]+" import_lines "${dump}")
# Every Windows executable imports at least KERNEL32; none found means the
# dump was not read right, which must not pass as "nothing outside the list".
if(NOT import_lines)
  message(FATAL_ERROR "CheckImports: no imported DLLs found in ${EXE}")
endif()

set(outside)
foreach(line IN LISTS import_lines)
  string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
  string(STRIP "${dll}" dll)
  string(TOLOWER "${dll}" name)
  string(REGEX REPLACE "\\.dll$" "" name "${name}")
  # API sets are names for parts of Windows itself, resolved by its loader.
  if(name IN_LIST ALLOWED OR name MATCHES "^api-ms-win-")
    message(STATUS "${dll}: Windows system DLL")
  else()
    message(STATUS "${dll}: NOT a Windows system DLL")
    list(APPEND outside "${dll}")
  endif()
endforeach()

if(outside)
  list(JOIN outside ", " outside_text)
  message(FATAL_ERROR "CheckImports: ${EXE} imports DLLs outside the Windows list: ${outside_text}")
endif()
