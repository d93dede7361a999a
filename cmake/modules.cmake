# kvt_module(target FILE def): a Win32 DLL named FILE.DLL with undecorated
# exports on both architectures, and an import library target <target>_imp.
#
# The .def lists the i686 stdcall names (Name@bytes). The DLL is linked with
# --kill-at so the exports carry the plain name; the import library comes
# from dlltool -k, so that 32-bit callers still bind their decorated
# references to the plain export. On x86_64 the decorations are dropped.
function(kvt_module target file def)
  add_library(${target} SHARED ${ARGN})
  set_target_properties(${target} PROPERTIES OUTPUT_NAME ${file} PREFIX "" SUFFIX ".DLL")
  file(READ ${def} def_text)
  if(NOT KVT_ARCH STREQUAL i686)
    string(REGEX REPLACE "@[0-9]+" "" def_text "${def_text}")
  endif()
  set(arch_def ${CMAKE_CURRENT_BINARY_DIR}/${file}.${KVT_ARCH}.def)
  file(GENERATE OUTPUT ${arch_def} CONTENT "${def_text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
  target_sources(${target} PRIVATE ${arch_def})
  target_link_options(${target} PRIVATE -Wl,--kill-at -Wl,--enable-stdcall-fixup)
  set(implib ${CMAKE_BINARY_DIR}/lib/lib${file}.imp.a)
  add_custom_command(OUTPUT ${implib}
    COMMAND ${KVT_DLLTOOL} -k -d ${arch_def} -D ${file}.DLL -l ${implib}
    DEPENDS ${arch_def} VERBATIM)
  add_custom_target(${target}_implib DEPENDS ${implib})
  add_library(${target}_imp INTERFACE)
  add_dependencies(${target}_imp ${target}_implib ${target})
  target_link_libraries(${target}_imp INTERFACE ${implib})
endfunction()
