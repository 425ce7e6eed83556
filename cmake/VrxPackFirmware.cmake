# vrx_pack_firmware(TARGET): after TARGET is linked, encipher the firmware
# image and append payload and trailer to the executable.  Anything that
# strips the binary afterwards drops the payload, so the install step packs
# again after stripping (see writer/CMakeLists.txt).
function(vrx_pack_firmware target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND $<TARGET_FILE:vrx_pack> "${VRX_FIRMWARE_IMAGE}" "$<TARGET_FILE:${target}>"
            --key "${VRX_FIRMWARE_KEY}"
    COMMENT "Appending firmware payload to ${target}"
    VERBATIM)
  add_dependencies(${target} vrx_pack)
endfunction()
