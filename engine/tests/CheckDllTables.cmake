# Checks a hook library's export and import tables with objdump: exactly the
# four hook procedures, undecorated, and imports from system DLLs only (the
# library is loaded into every program on the desktop), and its size.
#   cmake -DOBJDUMP=<objdump> -DDLL=<calc.dll> -DMAX_BYTES=<n> -P CheckDllTables.cmake
cmake_minimum_required(VERSION 3.25)
get_filename_component(name_of_dll ${DLL} NAME)
file(SIZE ${DLL} dll_bytes)
if(dll_bytes GREATER_EQUAL MAX_BYTES)
  message(FATAL_ERROR "${name_of_dll} has ${dll_bytes} bytes, the limit is ${MAX_BYTES}")
endif()
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE tables RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "objdump failed on ${DLL}")
endif()

string(REGEX MATCHALL "DLL Name: [^\r\n]+" imports "${tables}")
set(allowed KERNEL32.DLL USER32.DLL GDI32.DLL ADVAPI32.DLL MSVCRT.DLL)
foreach(line IN LISTS imports)
  string(REPLACE "DLL Name: " "" name "${line}")
  string(TOUPPER "${name}" name)
  if(NOT name IN_LIST allowed)
    message(FATAL_ERROR "${name_of_dll} imports ${name}, which is not a system DLL")
  endif()
endforeach()

string(REGEX MATCH "\\[Ordinal/Name Pointer\\] Table[^\n]*\n(([ \t]+\\[[ 0-9]+\\][^\n]*\n)*)" table "${tables}")
string(REGEX MATCHALL "\\] [^\n]+" exports "${CMAKE_MATCH_1}")
list(TRANSFORM exports REPLACE "\\] +" "")
list(SORT exports)
set(expected CallWNDProc GetMessageProc KeyboardProc ShellHookProc)
if(NOT exports STREQUAL expected)
  message(FATAL_ERROR "${name_of_dll} exports '${exports}', expected '${expected}'")
endif()
message(STATUS "${dll_bytes} bytes; exports: ${exports}; imports: ${imports}")
