# Checks the portable zip without running it:
#   cmake -DZIP=... -DNAME=... -DARCH=i686|x86_64 -DVERSION=... -DOBJDUMP=...
#         -DSOURCE_DIR=... -DWORK=... -P check_package.cmake
# - the zip holds one folder NAME with exactly NimbQuillbox.exe, glyphscan.dll,
#   README.txt, LICENSE and every file of every skin folder of Skins/, the skin
#   files as committed;
# - README.txt and LICENSE are the committed texts in plain ASCII with CR LF line
#   ends, README.txt with the version filled in;
# - both binaries are of the architecture ARCH and stripped;
# - they import from nothing but DLLs that every Windows has (below) and, the
#   exe, glyphscan.dll beside it; glyphscan.dll imports from KERNEL32 alone.
cmake_minimum_required(VERSION 3.20)
foreach(var ZIP NAME ARCH VERSION OBJDUMP SOURCE_DIR WORK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "check_package.cmake: ${var} is not set")
  endif()
endforeach()

# In the system folder of every Windows this program runs on (Windows 7 and
# later; each since Windows XP at the latest). Left out on purpose: the MinGW
# runtime (libgcc_s_*, libstdc++-6, libwinpthread-1), the Universal CRT
# (ucrtbase, api-ms-win-crt-*: Windows 10, elsewhere only with an update), the
# Visual C++ runtimes (msvcp*, vcruntime*) and anything else one installs.
# msvcrt.dll is a part of Windows itself, not a redistributable.
set(system_dlls ADVAPI32.DLL COMCTL32.DLL COMDLG32.DLL GDI32.DLL GDIPLUS.DLL IMM32.DLL
    KERNEL32.DLL MSVCRT.DLL OLE32.DLL OLEAUT32.DLL SHELL32.DLL SHLWAPI.DLL USER32.DLL
    UXTHEME.DLL VERSION.DLL WINMM.DLL)

set(problems "")
macro(problem text)
  string(APPEND problems "  ${text}\n")
endmacro()

get_filename_component(ZIP ${ZIP} ABSOLUTE)
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf ${ZIP} WORKING_DIRECTORY ${WORK}
                RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cannot unpack ${ZIP}")
endif()
set(top ${WORK}/${NAME})

# The file list.
set(expected ${NAME}/NimbQuillbox.exe ${NAME}/glyphscan.dll ${NAME}/README.txt ${NAME}/LICENSE)
set(skin_files)
file(GLOB skin_entries LIST_DIRECTORIES true ${SOURCE_DIR}/Skins/*)
foreach(entry IN LISTS skin_entries)
  if(IS_DIRECTORY ${entry})
    file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR} ${entry}/*)
    list(APPEND skin_files ${files})
  endif()
endforeach()
foreach(file IN LISTS skin_files)
  list(APPEND expected ${NAME}/${file})
endforeach()
file(GLOB_RECURSE found RELATIVE ${WORK} ${WORK}/*)
list(SORT expected)
list(SORT found)
if(NOT found STREQUAL expected)
  set(extra ${found})
  list(REMOVE_ITEM extra ${expected})
  set(missing ${expected})
  list(REMOVE_ITEM missing ${found})
  problem("files not as expected; extra: '${extra}'; missing: '${missing}'")
endif()
list(LENGTH skin_files skin_count)
if(skin_count LESS 80)
  problem("only ${skin_count} skin files")
endif()
foreach(file IN LISTS skin_files)
  if(EXISTS ${top}/${file})
    file(SHA256 ${SOURCE_DIR}/${file} want)
    file(SHA256 ${top}/${file} got)
    if(NOT want STREQUAL got)
      problem("${file} differs from the committed file")
    endif()
  endif()
endforeach()

# The texts, read as bytes (file(READ) as text drops carriage returns).
set(PROJECT_VERSION ${VERSION})
foreach(text README.txt LICENSE)
  if(NOT EXISTS ${top}/${text})
    continue()
  endif()
  if(text STREQUAL "README.txt")
    set(source ${SOURCE_DIR}/dist/README.txt)
  else()
    set(source ${SOURCE_DIR}/LICENSE)
  endif()
  configure_file(${source} ${WORK}/expected/${text} @ONLY NEWLINE_STYLE CRLF)
  file(SHA256 ${WORK}/expected/${text} want)
  file(SHA256 ${top}/${text} got)
  if(NOT want STREQUAL got)
    problem("${text} is not the committed text")
  endif()
  file(READ ${top}/${text} bytes HEX)
  string(REGEX REPLACE "(..)" "<\\1>" bytes "${bytes}")
  string(REPLACE "<0d><0a>" "" bare "${bytes}")
  if(bare MATCHES "<0[ad]>")
    problem("${text} has a line end other than CR LF")
  endif()
  if(bare MATCHES "<(0[0-8bcef]|1.|[89a-f].|7f)>")
    problem("${text} is not plain ASCII text")
  endif()
  if(NOT bytes MATCHES "<0d><0a>$")
    problem("${text} does not end with a line end")
  endif()
endforeach()

# The binaries.
if(ARCH STREQUAL "i686")
  set(format pei-i386)
else()
  set(format pei-x86-64)
endif()
function(dll_imports file out_var)
  execute_process(COMMAND ${OBJDUMP} -p ${file} OUTPUT_VARIABLE table RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${OBJDUMP} could not read ${file}")
  endif()
  string(REGEX MATCHALL "DLL Name: [^\n]+" lines "${table}")
  set(dlls)
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^DLL Name: " "" dll "${line}")
    string(TOUPPER "${dll}" dll)
    list(APPEND dlls ${dll})
  endforeach()
  set(${out_var} ${dlls} PARENT_SCOPE)
endfunction()

set(sizes "")
foreach(binary NimbQuillbox.exe glyphscan.dll)
  set(file ${top}/${binary})
  if(NOT EXISTS ${file})
    continue()
  endif()
  execute_process(COMMAND ${OBJDUMP} -f -h ${file} OUTPUT_VARIABLE header)
  if(NOT header MATCHES "file format ${format}\n")
    problem("${binary} is not of the format ${format}")
  endif()
  if(header MATCHES "HAS_SYMS" OR header MATCHES "[ \t]\\.debug")
    problem("${binary} is not stripped")
  endif()
  file(SIZE ${file} size)
  string(APPEND sizes " ${binary} ${size} bytes;")

  dll_imports(${file} dlls)
  if(NOT dlls)
    problem("${binary} imports nothing: its table was not read")
  endif()
  foreach(dll IN LISTS dlls)
    if(binary STREQUAL "NimbQuillbox.exe" AND dll STREQUAL "GLYPHSCAN.DLL")
      continue() # beside it in the zip
    endif()
    if(NOT dll IN_LIST system_dlls)
      problem("${binary} needs ${dll}, which Windows does not bring")
    endif()
  endforeach()
  if(binary STREQUAL "glyphscan.dll" AND NOT dlls STREQUAL "KERNEL32.DLL")
    problem("glyphscan.dll imports from '${dlls}', not KERNEL32.dll alone")
  endif()
endforeach()

if(problems)
  message(FATAL_ERROR "${ZIP}:\n${problems}")
endif()

# The exe binds glyphscan.dll by the plain names of its two exports.
set(EXE ${top}/NimbQuillbox.exe)
include(${CMAKE_CURRENT_LIST_DIR}/../tools/check_imports.cmake)
message(STATUS "${ZIP}: ${NAME}/ with the program, its DLL, ${skin_count} skin files, "
               "README.txt and LICENSE; stripped:${sizes} imports from Windows only")
