# Windows resources of the project's binaries, compiled by windres (CMake's RC
# language).
#
# nq_add_resources(TARGET FILE_NAME name DESCRIPTION text [TYPE APP|DLL]
#                  [ICON file.ico] [MANIFEST file.manifest.in])
# Gives TARGET a VERSIONINFO resource with the project's version (project() in
# the top-level CMakeLists.txt), its file name and description; with ICON, that
# icon as ICON 1 (the one Explorer shows); with MANIFEST, that template
# configured with the version as its application manifest (RT_MANIFEST 1).
function(nq_add_resources target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "FILE_NAME;DESCRIPTION;TYPE;ICON;MANIFEST" "")
  if(NOT arg_FILE_NAME OR NOT arg_DESCRIPTION)
    message(FATAL_ERROR "nq_add_resources(${target}): FILE_NAME and DESCRIPTION are required")
  endif()
  if(NOT arg_TYPE)
    set(arg_TYPE APP)
  endif()
  set(NQ_RC_FILE_NAME "${arg_FILE_NAME}")
  set(NQ_RC_DESCRIPTION "${arg_DESCRIPTION}")
  set(NQ_RC_FILE_TYPE "VFT_${arg_TYPE}")
  set(NQ_RC_INTERNAL_NAME "${target}")
  # NimbQuillbox_VERSION*, not PROJECT_VERSION*, which a subproject (GoogleTest)
  # sets anew in its folders. FILEVERSION has four parts; a missing one counts 0.
  set(NQ_VERSION "${NimbQuillbox_VERSION}")
  set(NQ_VERSION_COMMA "")
  foreach(part MAJOR MINOR PATCH TWEAK)
    set(number "${NimbQuillbox_VERSION_${part}}")
    if(number STREQUAL "")
      set(number 0)
    endif()
    string(APPEND NQ_VERSION_COMMA "${number},")
  endforeach()
  string(REGEX REPLACE ",$" "" NQ_VERSION_COMMA "${NQ_VERSION_COMMA}")
  string(REPLACE "," "." NQ_VERSION_QUAD "${NQ_VERSION_COMMA}")

  set(extra "")
  set(depends "")
  if(arg_ICON)
    string(APPEND extra "1 ICON \"${arg_ICON}\"\n")
    list(APPEND depends "${arg_ICON}")
  endif()
  if(arg_MANIFEST)
    get_filename_component(manifest_name "${arg_MANIFEST}" NAME)
    string(REGEX REPLACE "\\.in$" "" manifest_name "${manifest_name}")
    set(manifest "${CMAKE_CURRENT_BINARY_DIR}/${target}_${manifest_name}")
    configure_file("${arg_MANIFEST}" "${manifest}" @ONLY)
    # 1 is CREATEPROCESS_MANIFEST_RESOURCE_ID, 24 is RT_MANIFEST.
    string(APPEND extra "1 24 \"${manifest}\"\n")
    list(APPEND depends "${manifest}")
  endif()
  set(NQ_RC_EXTRA "${extra}")

  set(rc "${CMAKE_CURRENT_BINARY_DIR}/${target}_resources.rc")
  configure_file("${PROJECT_SOURCE_DIR}/cmake/resources.rc.in" "${rc}" @ONLY)
  # windres reads the icon and the manifest: rebuild when they change.
  set_source_files_properties("${rc}" PROPERTIES OBJECT_DEPENDS "${depends}")
  target_sources(${target} PRIVATE "${rc}")
endfunction()
