# Checks the resources that the build puts into the program and its DLL, read
# back from the binaries by windres (which writes a PE's resources as .rc text):
# both carry the configured version; the program also its manifest (common
# controls 6, asInvoker, per-monitor DPI aware) and its icon in five sizes; the DLL still
# imports from KERNEL32.dll alone. Run with
#   cmake -DWINDRES=... -DOBJDUMP=... -DEXE=... -DDLL=... -DVERSION=1.2.3 -P check_resources.cmake

set(failures "")
function(fail message)
  set(failures "${failures}  ${message}\n" PARENT_SCOPE)
endfunction()

function(read_resources file out_var)
  execute_process(COMMAND ${WINDRES} -i ${file} -O rc OUTPUT_VARIABLE text ERROR_VARIABLE error
                  RESULT_VARIABLE status)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "${WINDRES} could not read the resources of ${file}: ${error}")
  endif()
  set(${out_var} "${text}" PARENT_SCOPE)
endfunction()

# The resource of TYPE (as windres names it in its comment) and NAME: its text
# up to the next resource.
function(resource text type name out_var)
  set(block "")
  string(FIND "${text}" "${name} ${type}" start)
  if(NOT start EQUAL -1)
    string(SUBSTRING "${text}" ${start} -1 block)
    string(FIND "${block}" "\nEND" end)
    string(SUBSTRING "${block}" 0 ${end} block)
  endif()
  set(${out_var} "${block}" PARENT_SCOPE)
endfunction()

# FILEVERSION a, b, c, d of VERSION a.b[.c[.d]].
string(REPLACE "." ";" parts "${VERSION}")
list(LENGTH parts count)
while(count LESS 4)
  list(APPEND parts 0)
  math(EXPR count "${count} + 1")
endwhile()
list(JOIN parts ", " comma_version)
list(JOIN parts "." quad_version)
string(REPLACE "." "\\." version_regex "${VERSION}")

foreach(file IN ITEMS ${EXE} ${DLL})
  get_filename_component(name ${file} NAME)
  read_resources(${file} text)
  resource("${text}" "VERSIONINFO" 1 info)
  if(info STREQUAL "")
    fail("${name}: no VERSIONINFO 1")
  endif()
  foreach(field FILEVERSION PRODUCTVERSION)
    if(NOT info MATCHES "\n ${field} ${comma_version}\n")
      fail("${name}: ${field} is not ${comma_version}")
    endif()
  endforeach()
  foreach(pair "FileVersion|${version_regex}" "ProductVersion|${version_regex}"
               "ProductName|NimbQuillbox" "OriginalFilename|${name}"
               "LegalCopyright|Copyright \\(c\\) 2026 the NimbQuillbox authors"
               "FileDescription|[^\"]+")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 key)
    list(GET pair 1 value)
    if(NOT info MATCHES "VALUE \"${key}\", \"${value}\"\n")
      fail("${name}: StringFileInfo ${key} does not match '${value}'")
    endif()
  endforeach()
endforeach()

# The program: the manifest as RT_MANIFEST 1, its text as windres quotes it
# ("" for ", \n for a line end, one quoted string per line) made plain again.
read_resources(${EXE} text)
resource("${text}" "24 /* RT_MANIFEST */" 1 manifest)
if(manifest STREQUAL "")
  fail("NimbQuillbox.exe: no RT_MANIFEST 1")
endif()
string(REGEX REPLACE "\"\n *\"" "" manifest "${manifest}")
string(REPLACE "\\n" "\n" manifest "${manifest}")
string(REPLACE "\"\"" "\"" manifest "${manifest}")
foreach(pattern
    "name=\"Microsoft\\.Windows\\.Common-Controls\"[ \n]+version=\"6\\.0\\.0\\.0\"[ \n]+processorArchitecture=\"\\*\""
    "<requestedExecutionLevel level=\"asInvoker\""
    "<dpiAware [^>]*>true/pm</dpiAware>"
    "<dpiAwareness [^>]*>PerMonitorV2, PerMonitor</dpiAwareness>"
    "name=\"NimbQuillbox\" version=\"${quad_version}\""
    "35138b9a-5d96-4fbd-8e2d-a2440225f93a" "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38"
    "1f676c76-80e1-4239-95bb-83d0f6d0da78" "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a")
  if(NOT manifest MATCHES "${pattern}")
    fail("NimbQuillbox.exe: the manifest lacks '${pattern}'")
  endif()
endforeach()

# The icon group 1, the icon Explorer shows: one 32-bit image per size, widths
# and heights as octal bytes ("\000" stands for 256).
resource("${text}" "14 /* RT_GROUP_ICON */" 1 group)
set(sizes "")
string(REGEX MATCHALL "\"\\\\[0-7][0-7][0-7]\\\\[0-7][0-7][0-7]\\\\000\\\\000\", 1, 32,"
       entries "${group}")
foreach(entry IN LISTS entries)
  string(REGEX MATCH "^\"\\\\([0-7])([0-7])([0-7])\\\\([0-7])([0-7])([0-7])" _ "${entry}")
  math(EXPR width "${CMAKE_MATCH_1} * 64 + ${CMAKE_MATCH_2} * 8 + ${CMAKE_MATCH_3}")
  math(EXPR height "${CMAKE_MATCH_4} * 64 + ${CMAKE_MATCH_5} * 8 + ${CMAKE_MATCH_6}")
  if(width EQUAL 0)
    set(width 256)
  endif()
  if(height EQUAL 0)
    set(height 256)
  endif()
  list(APPEND sizes "${width}x${height}")
endforeach()
list(SORT sizes COMPARE NATURAL)
if(NOT sizes STREQUAL "16x16;24x24;32x32;48x48;256x256")
  fail("NimbQuillbox.exe: icon group 1 holds the 32-bit images '${sizes}', expected 16, 24, 32, 48 and 256")
endif()

# Resources add no import to the DLL, which has no C runtime.
execute_process(COMMAND ${OBJDUMP} -p ${DLL} OUTPUT_VARIABLE table RESULT_VARIABLE status)
string(REGEX MATCHALL "DLL Name: [^\n]+" imports "${table}")
if(NOT status EQUAL 0 OR NOT imports STREQUAL "DLL Name: KERNEL32.dll")
  fail("glyphscan.dll imports '${imports}', expected KERNEL32.dll alone")
endif()

if(failures)
  message(FATAL_ERROR "Resources not as built:\n${failures}")
endif()
message(STATUS "NimbQuillbox.exe and glyphscan.dll carry version ${VERSION}; the exe its manifest "
               "and icons ${sizes}")
