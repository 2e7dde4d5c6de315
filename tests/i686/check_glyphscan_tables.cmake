# cmake -DOBJDUMP=... -DDLL=glyphscan.dll -DPROBE=probe.exe -P check_glyphscan_tables.cmake
# The DLL exports exactly GetFontProps and ReadIntoBuffer under their plain names,
# imports from KERNEL32.dll alone,
# and a program linked against the import library imports them by those names.

function(objdump_lines file out_var)
  execute_process(COMMAND ${OBJDUMP} -p ${file} OUTPUT_VARIABLE text RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "objdump failed on ${file}")
  endif()
  string(REPLACE ";" "\\;" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(${out_var} "${lines}" PARENT_SCOPE)
endfunction()

# Names listed after the line matching start_regex, up to the next empty line,
# each taken from lines matching item_regex (first capture).
function(names_after lines start_regex item_regex out_var)
  set(names)
  set(inside FALSE)
  foreach(line IN LISTS lines)
    if(inside)
      if(line MATCHES "^[ \t]*$")
        break()
      endif()
      if(line MATCHES "${item_regex}")
        list(APPEND names "${CMAKE_MATCH_1}")
      endif()
    elseif(line MATCHES "${start_regex}")
      set(inside TRUE)
    endif()
  endforeach()
  set(${out_var} "${names}" PARENT_SCOPE)
endfunction()

set(expected "GetFontProps;ReadIntoBuffer")

objdump_lines(${DLL} dll_lines)
names_after("${dll_lines}" "^\\[Ordinal/Name Pointer\\] Table" "^[ \t]*\\[ *[0-9]+\\] (.+)$" exports)
if(NOT exports STREQUAL expected)
  message(FATAL_ERROR "glyphscan.dll exports by name: '${exports}', expected '${expected}'")
endif()
set(address_count "")
foreach(line IN LISTS dll_lines)
  if(line MATCHES "^[ \t]*Export Address Table[ \t]+([0-9a-fA-F]+)$")
    set(address_count "${CMAKE_MATCH_1}")
    break()
  endif()
endforeach()
if(NOT address_count STREQUAL "00000002")
  message(FATAL_ERROR "glyphscan.dll has '${address_count}' exports in all, expected 2")
endif()

# The library binds nothing but the kernel: no C runtime DLL beside it.
set(dlls)
foreach(line IN LISTS dll_lines)
  if(line MATCHES "DLL Name: (.+)$")
    string(TOUPPER "${CMAKE_MATCH_1}" dll_name)
    list(APPEND dlls "${dll_name}")
  endif()
endforeach()
if(NOT dlls STREQUAL "KERNEL32.DLL")
  message(FATAL_ERROR "glyphscan.dll imports from '${dlls}', expected KERNEL32.dll alone")
endif()

objdump_lines(${PROBE} probe_lines)
names_after("${probe_lines}" "DLL Name: glyphscan\\.dll" "^[ \t]*[0-9a-fA-F]+[ \t]+[0-9]+[ \t]+(.+)$"
            imports)
list(SORT imports)
if(NOT imports STREQUAL expected)
  message(FATAL_ERROR "a program imports from glyphscan.dll: '${imports}', expected '${expected}'")
endif()
message(STATUS "glyphscan.dll exports and imports: ${exports}")
