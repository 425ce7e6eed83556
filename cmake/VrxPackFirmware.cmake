# vrx_pack_firmware(TARGET [COMPONENT NAME] [EXCLUDE_FROM_ALL])
#
# After TARGET is linked, encipher the firmware image and append payload and
# trailer to the executable.  TARGET is also installed into the binary
# folder; stripping (cmake --install --strip) drops appended bytes, so the
# installed file is packed again afterwards.  `vrxtool pack` replaces a payload it
# appended before, so packing twice gives the same file as packing once.
include(GNUInstallDirs)

function(vrx_pack_firmware target)
  cmake_parse_arguments(ARG "EXCLUDE_FROM_ALL" "COMPONENT" "" ${ARGN})
  # A cross-built vrxtool runs through the emulator (Wine for Windows).
  set(pack_command ${CMAKE_CROSSCOMPILING_EMULATOR} $<TARGET_FILE:vrxtool> pack "${VRX_FIRMWARE_IMAGE}")

  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${pack_command} "$<TARGET_FILE:${target}>" --key "${VRX_FIRMWARE_KEY}"
    COMMENT "Appending firmware payload to ${target}"
    VERBATIM)
  add_dependencies(${target} vrxtool)
  # A changed image or key must re-link (and so re-pack) the executable.
  set_property(TARGET ${target} APPEND PROPERTY LINK_DEPENDS "${VRX_FIRMWARE_IMAGE}")

  set(install_options)
  if(ARG_COMPONENT)
    list(APPEND install_options COMPONENT ${ARG_COMPONENT})
  endif()
  if(ARG_EXCLUDE_FROM_ALL)
    list(APPEND install_options EXCLUDE_FROM_ALL)
  endif()
  install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} ${install_options})
  # Runs after the file has been copied (and stripped); prefix and DESTDIR
  # are taken at install time.
  if(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}")
    set(installed_dir "\$ENV{DESTDIR}${CMAKE_INSTALL_BINDIR}")
  else()
    set(installed_dir "\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}")
  endif()
  set(installed "${installed_dir}/$<TARGET_FILE_NAME:${target}>")
  install(CODE "
    message(STATUS \"Appending firmware payload to ${installed}\")
    execute_process(
      COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} \"$<TARGET_FILE:vrxtool>\" pack \"${VRX_FIRMWARE_IMAGE}\" \"${installed}\"
              --key \"${VRX_FIRMWARE_KEY}\"
      RESULT_VARIABLE pack_result)
    if(NOT pack_result EQUAL 0)
      message(FATAL_ERROR \"vrxtool pack failed on ${installed}\")
    endif()"
    ${install_options})
endfunction()
