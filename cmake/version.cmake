# kvt_version_resource(target FILE "description"): the module's German
# version resource, with the product's one version number (project()) and
# the names below. The script is written in UTF-8 and compiled as CP1252.
set(KVT_COMPANY "KVTIdiag-Team")
set(KVT_COPYRIGHT "© 2026 KVTIdiag-Team")

function(kvt_version_resource target file description)
  set(KVT_FILE ${file})
  set(KVT_DESCRIPTION ${description})
  get_filename_component(KVT_INTERNAL_NAME ${file} NAME_WE)
  if(file MATCHES "\\.EXE$")
    set(KVT_FILE_TYPE VFT_APP)
  else()
    set(KVT_FILE_TYPE VFT_DLL)
  endif()
  set(KVT_VERSION_COMMAS "${PROJECT_VERSION_MAJOR},${PROJECT_VERSION_MINOR},${PROJECT_VERSION_PATCH},0")
  set(utf8 ${CMAKE_CURRENT_BINARY_DIR}/version.utf8.rc)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/version.rc)
  configure_file(${CMAKE_SOURCE_DIR}/cmake/version.rc.in ${utf8} @ONLY)
  add_custom_command(OUTPUT ${rc} COMMAND iconv -f UTF-8 -t CP1252 ${utf8} -o ${rc} DEPENDS ${utf8} VERBATIM)
  target_sources(${target} PRIVATE ${rc})
endfunction()
