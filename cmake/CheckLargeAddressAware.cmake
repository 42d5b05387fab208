# Fails unless a 32-bit executable is marked large-address-aware, so that
# it may use more than 2 GB of address space.
#   cmake -DEXE=<exe> -DOBJDUMP=<objdump> -P CheckLargeAddressAware.cmake
cmake_minimum_required(VERSION 3.25)

foreach(required EXE OBJDUMP)
  if(NOT ${required})
    message(FATAL_ERROR "CheckLargeAddressAware: -D${required}=... is required")
  endif()
endforeach()

execute_process(COMMAND "${OBJDUMP}" -p "${EXE}"
  OUTPUT_VARIABLE dump ERROR_VARIABLE dump_error RESULT_VARIABLE dump_status)
if(NOT dump_status EQUAL 0)
  message(FATAL_ERROR "CheckLargeAddressAware: ${OBJDUMP} failed (${dump_status}): ${dump_error}")
endif()
# The header's characteristics, one flag a line, as objdump names them.
string(REGEX MATCH "Characteristics[^\n]*\n([ \t]+[^\n]*\n)*" flags "${dump}")
if(NOT flags)
  message(FATAL_ERROR "CheckLargeAddressAware: no characteristics found in ${EXE}")
endif()
message(STATUS "${flags}")
if(NOT flags MATCHES "large address aware")
  message(FATAL_ERROR "CheckLargeAddressAware: ${EXE} is not large-address-aware")
endif()
