# vrx_windows_resources(TARGET DESCRIPTION): the program's icon, version
# resource (the project version, as in the about box) and the manifest that
# asks for themed common controls and per-monitor DPI awareness.
function(vrx_windows_resources target description)
  set(VRX_RC_PROGRAM ${target})
  set(VRX_RC_DESCRIPTION "${description}")
  set(VRX_RC_ICON ${PROJECT_SOURCE_DIR}/resources/windows/vrx7100.ico)
  set(VRX_RC_MANIFEST ${PROJECT_SOURCE_DIR}/resources/windows/program.manifest)
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
  configure_file(${PROJECT_SOURCE_DIR}/resources/windows/program.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${rc})
  set_property(SOURCE ${rc} APPEND PROPERTY OBJECT_DEPENDS ${VRX_RC_ICON} ${VRX_RC_MANIFEST})
endfunction()
